#include "importreader.h"

#include "bitwardenjson.h"
#include "boundedfile.h"
#include "csv.h"
#include "csvformats.h"

#include <QCoreApplication>
#include <QTextCodec>

namespace {

ImportPlan refused(const QString& why)
{
    ImportPlan plan;
    plan.refusal = why;
    return plan;
}

QString tooLarge()
{
    return QCoreApplication::translate(
        "", "The file is larger than 50 MiB, more than an export of passwords can be.");
}

bool isUtf8Text(const QByteArray& bytes)
{
    if (bytes.contains('\0'))
        return false;
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0;
}

} // namespace

ImportPlan ImportReader::readFile(const QString& path)
{
    const BoundedFile::Result file = BoundedFile::read(path, MaxFileBytes);
    switch (file.status) {
    case BoundedFile::Status::Read:
        break;
    case BoundedFile::Status::TooLarge:
        return refused(tooLarge());
    case BoundedFile::Status::NotRegular:
        return refused(QCoreApplication::translate(
            "", "This is not a file that can be imported: it is a folder, a device or a pipe."));
    case BoundedFile::Status::Unreadable:
        return refused(
            QCoreApplication::translate("", "The file cannot be read: %1").arg(file.error));
    }
    return read(file.bytes);
}

ImportPlan ImportReader::read(const QByteArray& bytes)
{
    if (bytes.size() > MaxFileBytes)
        return refused(tooLarge());
    if (!isUtf8Text(bytes))
        return refused(QCoreApplication::translate(
            "", "This is not a CSV or JSON export of a password manager: it is not text."));
    const QByteArray start = bytes.left(64).trimmed();
    if (start.startsWith('{') || start.startsWith('['))
        return BitwardenJson::read(bytes);
    return readCsv(bytes);
}

ImportPlan ImportReader::readCsv(const QByteArray& bytes)
{
    // Counted before the text is parsed: a line is at least one byte.
    if (bytes.count('\n') > MaxRows)
        return refused(QCoreApplication::translate(
                           "", "The file has more than %1 lines; split it and import the parts.")
                           .arg(MaxRows));
    const Csv::Table table = Csv::parse(bytes);
    const CsvFormats::Kind kind =
        CsvFormats::detect(table.records.isEmpty() ? QStringList() : table.records.first().fields);
    if (kind == CsvFormats::Kind::Unknown)
        return refused(QCoreApplication::translate(
            "", "This is not a KeePassXC or Bitwarden export: its first line does not name their "
                "columns, and it is not JSON."));
    return CsvFormats::map(kind, table);
}
