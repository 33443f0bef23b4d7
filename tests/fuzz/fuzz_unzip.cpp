// libFuzzer target for the zip reader: opens an archive from memory and
// checks every entry (nothing is written), then extracts each entry into a
// memory buffer.
#include "unzip.h"

#include <cstddef>
#include <cstdint>
#include <QBuffer>
#include <QDir>

namespace {

void silence(QtMsgType, const QMessageLogContext&, const QString&) {}

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
    for (const QString& name : unzip.fileList()) {
        QBuffer output;
        output.open(QIODevice::WriteOnly);
        unzip.extractFile(name, &output);
    }
    return 0;
}
