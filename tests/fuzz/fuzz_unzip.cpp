// libFuzzer target for the zip reader: opens an archive from memory, checks
// every entry, extracts each entry into a memory buffer, then extracts the
// whole archive into a fresh folder. It stops with a crash when an entry
// yields more bytes than it declares, or when anything is written outside
// the target folder: path checks and size limits are fuzzed with the rest.
#include "unzip.h"

#include <cstddef>
#include <cstdint>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

void silence(QtMsgType, const QMessageLogContext&, const QString&) {}

// Extracts everything below root/target and checks what landed in root.
void extractIntoFolder(UnZip& unzip)
{
    qint64 declared = 0;
    for (const UnZip::EntryInfo& entry : unzip.entryList())
        declared += entry.size;
    QTemporaryDir root;
    if (!root.isValid())
        return;
    const QString target = root.filePath(QStringLiteral("target"));
    QDir().mkpath(target);
    unzip.extractAll(target);
    qint64 written = 0;
    QDirIterator it(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink() || !info.absoluteFilePath().startsWith(target))
            __builtin_trap(); // a link, or a file outside the target folder
        if (info.isFile())
            written += info.size();
    }
    if (written > declared)
        __builtin_trap(); // more written than the archive declares
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(silence), true);
    Q_UNUSED(quiet)
    QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    UnZip unzip;
    unzip.setArchivePassword(QStringLiteral("pw"));
    if (unzip.openArchive(&input) != UnZip::Ok)
        return 0;
    unzip.extractAll(QDir(), UnZip::CheckOnly);
    for (const UnZip::EntryInfo& entry : unzip.entryList()) {
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        unzip.extractFile(entry.name, &output);
        if (output.size() > qint64(entry.size))
            __builtin_trap(); // the reader wrote past the declared size
    }
    extractIntoFolder(unzip);
    return 0;
}
