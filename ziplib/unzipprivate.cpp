#include "unzipprivate.h"

#include "zipformat.h"
#include "zipkeys.h"

#include <algorithm>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <zlib.h>

using namespace ZipFormat;

namespace {

unsigned char* bytes(std::vector<char>& buffer)
{
    return reinterpret_cast<unsigned char*>(buffer.data());
}

} // namespace

UnzipPrivate::UnzipPrivate() : buffer1(BufferSize), buffer2(BufferSize) {}

UnzipPrivate::~UnzipPrivate()
{
    closeArchive();
}

bool UnzipPrivate::readExactly(char* data, qint64 length)
{
    return device->read(data, length) == length;
}

bool UnzipPrivate::isSafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return false;
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':'))
        return false; // a drive letter, as in C:\x
    const QVector<QStringRef> parts = name.splitRef(QRegExp(QStringLiteral("[/\\\\]")));
    return std::none_of(parts.cbegin(), parts.cend(),
                        [](const QStringRef& part) { return part == QLatin1String(".."); });
}

UnZip::ErrorCode UnzipPrivate::openArchive(QIODevice* input)
{
    if (!input->isOpen() && !input->open(QIODevice::ReadOnly))
        return UnZip::OpenFailed;
    device = input;
    if (device != file)
        connect(device, &QObject::destroyed, this, &UnzipPrivate::deviceDestroyed);

    UnZip::ErrorCode ec = seekToCentralDirectory();
    if (ec != UnZip::Ok) {
        closeArchive();
        return ec;
    }
    if (cdEntryCount == 0)
        return UnZip::Ok;
    for (;;) {
        char signature[4];
        if (!readExactly(signature, 4)) {
            if (headers) {
                qDebug() << "Corrupted zip archive. Some files might be extracted.";
                ec = headers->isEmpty() ? UnZip::Corrupted : UnZip::PartiallyCorrupted;
            } else {
                qDebug() << "Corrupted or invalid zip archive. Closing.";
                ec = UnZip::Corrupted;
            }
            break;
        }
        if (getULong(reinterpret_cast<unsigned char*>(signature), 0) != CentralHeaderSignature)
            break;
        ec = parseCentralDirectoryRecord();
        if (ec != UnZip::Ok)
            break;
    }
    if (ec != UnZip::Ok)
        closeArchive();
    return ec;
}

UnZip::ErrorCode UnzipPrivate::seekToCentralDirectory()
{
    const qint64 size = device->size();
    if (size < EndRecordSize)
        return UnZip::InvalidArchive;
    // The end record sits within the last 22 + 65,535 bytes (its largest
    // comment): read them in one go and search backwards from the end, so a
    // large file that is no archive fails at once.
    const qint64 window = std::min<qint64>(size, EndRecordSize + MaxCommentSize);
    const qint64 start = size - window;
    if (!device->seek(start))
        return UnZip::SeekFailed;
    QByteArray tail(int(window), Qt::Uninitialized);
    if (!readExactly(tail.data(), window))
        return UnZip::ReadFailed;
    const auto* data = reinterpret_cast<const unsigned char*>(tail.constData());

    qint64 found = -1;
    for (qint64 p = window - EndRecordSize; p >= 0; --p) {
        if (getULong(data, int(p)) != EndRecordSignature)
            continue;
        if (found < 0)
            found = p;
        // Prefer the record whose comment ends exactly at the end of the file.
        if (p + EndRecordSize + getUShort(data, int(p) + 20) == window) {
            found = p;
            break;
        }
    }
    if (found < 0)
        return UnZip::InvalidArchive;

    const unsigned char* record = data + found;
    cdEntryCount = getUShort(record, 10);
    cdOffset = getULong(record, 16);
    eocdOffset = quint32(start + found);
    const int commentLength = getUShort(record, 20);
    if (commentLength > 0) {
        if (found + EndRecordSize + commentLength > window)
            return UnZip::ReadFailed;
        comment = QString::fromLatin1(tail.constData() + found + EndRecordSize, commentLength);
    }
    if (!device->seek(cdOffset))
        return UnZip::SeekFailed;
    return UnZip::Ok;
}

UnZip::ErrorCode UnzipPrivate::parseCentralDirectoryRecord()
{
    // Offsets below are those of the record less its 4-byte signature.
    unsigned char* b = bytes(buffer1);
    if (!readExactly(buffer1.data(), CentralHeaderSize - 4))
        return UnZip::ReadFailed;
    const quint16 method = getUShort(b, 6);
    const quint16 nameLength = getUShort(b, 24);
    const quint16 extraLength = getUShort(b, 26);
    const quint16 commentLength = getUShort(b, 28);

    bool skip = false;
    if (method != 0 && method != 8) {
        qDebug() << "Unsupported compression method. Skipping file.";
        skip = true;
    } else if (nameLength == 0) {
        qDebug() << "Skipping file with no name.";
        skip = true;
    }
    if (!readExactly(buffer2.data(), nameLength))
        return UnZip::ReadFailed;
    const QString name = QString::fromLatin1(buffer2.data(), nameLength);

    const int version = static_cast<signed char>(b[2]);
    if (!skip && version > 20) {
        QString shown = QString::number(version);
        if (shown.size() == 2)
            shown.insert(1, QLatin1Char('.'));
        qDebug() << QStringLiteral("Unsupported PKZip version (%1). Skipping file: %2")
                        .arg(shown, name.isEmpty() ? QStringLiteral("<undefined>") : name);
        skip = true;
    }
    if (skip) {
        if (!device->seek(device->pos() + extraLength + commentLength))
            return UnZip::SeekFailed;
        ++unsupportedEntryCount;
        return UnZip::Ok;
    }

    ZipEntryP entry;
    entry.gpFlag[0] = b[4];
    entry.gpFlag[1] = b[5];
    entry.compMethod = method;
    entry.modTime[0] = b[8];
    entry.modTime[1] = b[9];
    entry.modDate[0] = b[10];
    entry.modDate[1] = b[11];
    entry.crc = getULong(b, 12);
    entry.szComp = getULong(b, 16);
    entry.szUncomp = getULong(b, 20);
    entry.lhOffset = getULong(b, 38);
    entry.madeByHost = b[1];
    entry.externalAttributes = getULong(b, 34);
    if (!device->seek(device->pos() + extraLength))
        return UnZip::SeekFailed;
    if (commentLength > 0) {
        if (!readExactly(buffer2.data(), commentLength))
            return UnZip::ReadFailed;
        entry.comment = QString::fromLatin1(buffer2.data(), commentLength);
    }
    if (!headers)
        headers = std::make_unique<QMap<QString, ZipEntryP>>();
    headers->insert(name, entry);
    return UnZip::Ok;
}

UnZip::ErrorCode UnzipPrivate::parseLocalHeaderRecord(const QString& name, ZipEntryP& entry)
{
    unsigned char* b = bytes(buffer1);
    if (!device->seek(entry.lhOffset))
        return UnZip::SeekFailed;
    if (!readExactly(buffer1.data(), 4))
        return UnZip::ReadFailed;
    if (getULong(b, 0) != LocalHeaderSignature)
        return UnZip::InvalidArchive;
    if (!readExactly(buffer1.data(), LocalHeaderSize - 4))
        return UnZip::ReadFailed;
    // Offsets below are those of the header less its 4-byte signature.
    if (getUShort(b, 4) != entry.compMethod || b[2] != entry.gpFlag[0] || b[3] != entry.gpFlag[1] ||
        b[6] != entry.modTime[0] || b[7] != entry.modTime[1] || b[8] != entry.modDate[0] ||
        b[9] != entry.modDate[1])
        return UnZip::HeaderConsistencyError;
    if (!entry.hasDataDescriptor() &&
        (getULong(b, 10) != entry.crc || getULong(b, 14) != entry.szComp ||
         getULong(b, 18) != entry.szUncomp))
        return UnZip::HeaderConsistencyError;
    const quint16 nameLength = getUShort(b, 22);
    const quint16 extraLength = getUShort(b, 24);
    if (nameLength == 0)
        return UnZip::HeaderConsistencyError;
    if (!readExactly(buffer2.data(), nameLength))
        return UnZip::ReadFailed;
    if (QString::fromLatin1(buffer2.data(), nameLength) != name) {
        qDebug() << "Filename in local header mismatches.";
        return UnZip::HeaderConsistencyError;
    }
    if (!device->seek(device->pos() + extraLength))
        return UnZip::SeekFailed;
    entry.dataOffset = quint32(device->pos());

    if (entry.hasDataDescriptor()) {
        if (!device->seek(qint64(entry.dataOffset) + entry.szComp))
            return UnZip::SeekFailed;
        if (!readExactly(buffer1.data(), 4))
            return UnZip::ReadFailed;
        if (getULong(b, 0) == DataDescriptorSignature) {
            if (!readExactly(buffer1.data(), 12))
                return UnZip::ReadFailed;
        } else {
            if (!readExactly(buffer1.data() + 4, 8))
                return UnZip::ReadFailed;
        }
        if (getULong(b, 0) != entry.crc || getULong(b, 4) != entry.szComp ||
            getULong(b, 8) != entry.szUncomp)
            return UnZip::HeaderConsistencyError;
    }
    return UnZip::Ok;
}

bool UnzipPrivate::createDirectory(const QString& path)
{
    if (QDir(path).exists() || QDir().mkpath(path))
        return true;
    qDebug() << QStringLiteral("Unable to create directory: %1").arg(path);
    return false;
}

UnZip::ErrorCode UnzipPrivate::extractFile(const QString& name, ZipEntryP& entry,
                                           const QDir& directory, UnZip::ExtractionOptions options)
{
    // A symbolic link is never made: a later entry could write through it.
    if (!(options & UnZip::CheckOnly) && (!isSafeEntryName(name) || entry.isSymlink())) {
        qDebug() << QStringLiteral("Unsafe entry refused: %1").arg(name);
        return UnZip::UnsafePath;
    }
    const QString target = directory.absolutePath();
    if (name.endsWith(QLatin1Char('/'))) {
        if (options & (UnZip::CheckOnly | UnZip::FlattenEntryPaths))
            return UnZip::Ok;
        return createDirectory(target + QLatin1Char('/') + QDir::cleanPath(name))
                   ? UnZip::Ok
                   : UnZip::CreateDirFailed;
    }
    if (options & UnZip::CheckOnly)
        return extractFile(name, entry, nullptr, options);

    QString outputDirectory = target;
    QString fileName = name;
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash >= 1) {
        if (!(options & UnZip::FlattenEntryPaths)) {
            outputDirectory = target + QLatin1Char('/') + QDir::cleanPath(name.left(slash));
            if (!createDirectory(outputDirectory))
                return UnZip::CreateDirFailed;
        }
        fileName = name.mid(slash + 1);
    }
    if (!(options & UnZip::NoDirectoryCreation) && !QDir().mkpath(outputDirectory)) {
        qDebug() << QStringLiteral("Unable to create output directory %1").arg(outputDirectory);
        return UnZip::CreateDirFailed;
    }
    QFile out(outputDirectory + QLatin1Char('/') + fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qDebug() << QStringLiteral("Unable to open %1 for writing").arg(out.fileName());
        return UnZip::OpenFailed;
    }
    const UnZip::ErrorCode ec = extractFile(name, entry, &out, options);
    out.flush();
    const QDateTime modified =
        fromDosTime(getUShort(entry.modDate, 0), getUShort(entry.modTime, 0));
    if (!out.setFileTime(modified, QFileDevice::FileModificationTime))
        qDebug()
            << QStringLiteral("Unable to set last modified time on file: %1").arg(out.fileName());
    out.close();
    if (ec != UnZip::Ok && !out.remove())
        qDebug() << QStringLiteral("Unable to remove corrupted file: %1").arg(out.fileName());
    return ec;
}

UnZip::ErrorCode UnzipPrivate::extractFile(const QString& name, ZipEntryP& entry, QIODevice* out,
                                           UnZip::ExtractionOptions)
{
    if (!entry.lhEntryChecked) {
        const UnZip::ErrorCode ec = parseLocalHeaderRecord(name, entry);
        if (ec != UnZip::Ok)
            return ec;
        // Marked only when the check passed, so a damaged entry is never
        // read from an unknown data offset later.
        entry.lhEntryChecked = true;
    }
    if (!device->seek(entry.dataOffset))
        return UnZip::SeekFailed;
    quint32 remaining = entry.szComp;

    std::unique_ptr<ZipKeys> keys;
    if (entry.isEncrypted()) {
        char header[EncryptionHeaderSize];
        if (remaining < EncryptionHeaderSize || !readExactly(header, EncryptionHeaderSize))
            return UnZip::Corrupted;
        keys = std::make_unique<ZipKeys>(password.toLatin1());
        keys->decrypt(header, EncryptionHeaderSize);
        const unsigned char check =
            entry.hasDataDescriptor() ? entry.modTime[1] : (entry.crc >> 24) & 0xFF;
        if (static_cast<unsigned char>(header[EncryptionHeaderSize - 1]) != check) {
            qDebug() << QStringLiteral("Unable to decrypt %1").arg(name);
            return UnZip::Skip;
        }
        remaining -= EncryptionHeaderSize;
    }
    // Nothing is ever written beyond the size the entry declares, and any
    // other size than the declared one is an error: a bomb stops at once.
    if (entry.compMethod == 0 && remaining != entry.szUncomp)
        return UnZip::Corrupted;
    if (remaining == 0)
        return entry.crc == 0 && entry.szUncomp == 0 ? UnZip::Ok : UnZip::Corrupted;

    quint32 crc = crc32(0L, Z_NULL, 0);
    quint32 written = 0;
    const UnZip::ErrorCode ec =
        entry.compMethod == 0
            ? extractStored(remaining, &crc, out, keys.get())
            : inflateData(remaining, entry.szUncomp, &written, &crc, out, keys.get());
    if (ec != UnZip::Ok)
        return ec;
    if (entry.compMethod != 0 && written != entry.szUncomp)
        return UnZip::Corrupted;
    return crc == entry.crc ? UnZip::Ok : UnZip::Corrupted;
}

UnZip::ErrorCode UnzipPrivate::extractStored(quint32 remaining, quint32* crc, QIODevice* out,
                                             ZipKeys* keys)
{
    while (remaining > 0) {
        const qint64 chunk = std::min<qint64>(remaining, BufferSize);
        const qint64 n = device->read(buffer1.data(), chunk);
        if (n < 0)
            return UnZip::ReadFailed;
        if (n == 0)
            break;
        remaining -= quint32(n);
        if (keys)
            keys->decrypt(buffer1.data(), n);
        *crc = crc32(*crc, bytes(buffer1), uInt(n));
        if (out && out->write(buffer1.data(), n) != n)
            return UnZip::WriteFailed;
    }
    return UnZip::Ok;
}

UnZip::ErrorCode UnzipPrivate::inflateData(quint32 remaining, quint32 declared, quint32* written,
                                           quint32* crc, QIODevice* out, ZipKeys* keys)
{
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return UnZip::ZlibError;
    UnZip::ErrorCode ec = UnZip::Ok;
    int result = Z_OK;
    while (remaining > 0 && result != Z_STREAM_END && ec == UnZip::Ok) {
        const qint64 chunk = std::min<qint64>(remaining, BufferSize);
        const qint64 n = device->read(buffer1.data(), chunk);
        if (n < 0) {
            ec = UnZip::ReadFailed;
            break;
        }
        if (n == 0)
            break;
        remaining -= quint32(n);
        if (keys)
            keys->decrypt(buffer1.data(), n);
        stream.next_in = bytes(buffer1);
        stream.avail_in = uInt(n);
        do {
            stream.next_out = bytes(buffer2);
            stream.avail_out = BufferSize;
            result = inflate(&stream, Z_NO_FLUSH);
            if (result == Z_NEED_DICT || result == Z_DATA_ERROR || result == Z_MEM_ERROR ||
                result == Z_STREAM_ERROR) {
                ec = UnZip::ZlibError;
                break;
            }
            const qint64 produced = BufferSize - stream.avail_out;
            if (produced > qint64(declared - *written)) {
                ec = UnZip::Corrupted; // more than the entry declares
                break;
            }
            *written += quint32(produced);
            if (out && out->write(buffer2.data(), produced) != produced) {
                ec = UnZip::WriteFailed;
                break;
            }
            *crc = crc32(*crc, bytes(buffer2), uInt(produced));
        } while (stream.avail_out == 0 && result != Z_STREAM_END);
    }
    inflateEnd(&stream);
    return ec;
}

void UnzipPrivate::closeArchive()
{
    if (device && device != file)
        disconnect(device, nullptr, this, nullptr);
    headers.reset();
    device = nullptr;
    delete file;
    file = nullptr;
    cdOffset = 0;
    eocdOffset = 0;
    cdEntryCount = 0;
    unsupportedEntryCount = 0;
    comment.clear();
}

void UnzipPrivate::deviceDestroyed(QObject*)
{
    qDebug() << "Unexpected device destruction detected.";
    device = nullptr;
    closeArchive();
}
