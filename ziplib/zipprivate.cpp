#include "zipprivate.h"

#include "zipformat.h"
#include "zipkeys.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zlib.h>

using namespace ZipFormat;

namespace {

constexpr qint64 MaxSize = 0xFFFFFFFFLL;
constexpr int MaxEntries = 0xFFFF;
constexpr qint64 SmallFile = 60;

// Suffixes by how well their files compress, kept sorted for binary search.
const char* const StoredSuffixes[] = {"7z",  "bin", "deb", "exe", "gz", "gz2", "jar",
                                      "rar", "rpm", "tar", "tgz", "z",  "zip"};
const char* const FastSuffixes[] = {"asf",  "avi", "divx", "doc", "docx", "flv", "gif",  "iso",
                                    "jpeg", "jpg", "mka",  "mkv", "mp3",  "mp4", "mpeg", "mpg",
                                    "odt",  "ogg", "ogm",  "ra",  "rm",   "wma", "wmv"};
const char* const BestSuffixes[] = {"asp", "bat", "c",    "conf", "cpp", "css", "csv", "cxx", "h",
                                    "hpp", "htm", "html", "hxx",  "ini", "js",  "php", "pl",  "py",
                                    "rtf", "sh",  "tsv",  "txt",  "vb",  "vbs", "xml", "xst"};

template <size_t N> bool listed(const char* const (&table)[N], const QByteArray& suffix)
{
    return std::binary_search(std::begin(table), std::end(table), suffix.constData(),
                              [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
}

// The fields that a local header and a central record share, in the same
// order: version needed, flag, method, time, date, CRC-32, sizes, name length.
void putEntryFields(unsigned char* b, int at, const ZipEntryP& h, quint32 crc, quint32 compressed,
                    quint16 nameLength)
{
    setUShort(b, at, VersionNeeded);
    b[at + 2] = h.gpFlag[0];
    b[at + 3] = h.gpFlag[1];
    setUShort(b, at + 4, h.compMethod);
    b[at + 6] = h.modTime[0];
    b[at + 7] = h.modTime[1];
    b[at + 8] = h.modDate[0];
    b[at + 9] = h.modDate[1];
    setULong(b, at + 10, crc);
    setULong(b, at + 14, compressed);
    setULong(b, at + 18, h.szUncomp);
    setUShort(b, at + 22, nameLength);
}

unsigned char* bytes(std::vector<char>& buffer)
{
    return reinterpret_cast<unsigned char*>(buffer.data());
}

} // namespace

ZipPrivate::ZipPrivate() : buffer1(BufferSize), buffer2(BufferSize) {}

ZipPrivate::~ZipPrivate()
{
    reset();
}

int ZipPrivate::levelFor(const QFileInfo& file, Zip::CompressionLevel level)
{
    if (file.isDir() || file.size() < SmallFile)
        return 0;
    if (level == Zip::LevelAutoSpeed)
        return 5;
    if (level != Zip::LevelAutoByType && level != Zip::LevelAutoFull)
        return std::clamp(int(level), 0, 9);
    const QByteArray suffix = file.completeSuffix().toLower().toUtf8();
    if (listed(StoredSuffixes, suffix))
        return 0;
    if (listed(FastSuffixes, suffix))
        return 2;
    if (listed(BestSuffixes, suffix))
        return 9;
    return 5;
}

QString ZipPrivate::normalizedRoot(const QString& root)
{
    QString normalized = root.trimmed();
    if (normalized.isEmpty() || normalized == QLatin1String("/"))
        return normalized;
    while (normalized.endsWith(QLatin1Char('\\')) || normalized.endsWith(QLatin1Char('/')))
        normalized.chop(1);
    return normalized + QLatin1Char('/');
}

Zip::ErrorCode ZipPrivate::createArchive(QIODevice* target)
{
    if (!target) {
        qDebug() << "Invalid device.";
        return Zip::OpenFailed;
    }
    if (device) {
        do_closeArchive();
        reset();
    }
    device = target;
    if (device != file)
        connect(device, &QObject::destroyed, this, &ZipPrivate::deviceDestroyed);
    if (!device->isOpen() && !device->open(QIODevice::WriteOnly)) {
        qDebug() << "Unable to open device for writing.";
        disconnect(device, nullptr, this, nullptr);
        device = nullptr;
        return Zip::OpenFailed;
    }
    headers = std::make_unique<QMap<QString, ZipEntryP>>();
    return Zip::Ok;
}

Zip::ErrorCode ZipPrivate::addPaths(const QStringList& paths, const QString& root,
                                    Zip::PathOptions options, Zip::CompressionLevel level,
                                    int* addedFiles)
{
    if (!device)
        return Zip::NoOpenArchive;
    if (addedFiles)
        *addedFiles = 0;
    QStringList sources;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (options & Zip::SkipDuplicates) {
            if (sources.contains(path))
                continue;
            const QString absolute = info.absoluteFilePath().toLower();
            const bool inTable =
                std::any_of(headers->cbegin(), headers->cend(), [&](const ZipEntryP& e) {
                    return e.fileSize == info.size() && e.absolutePath == absolute;
                });
            if (inTable)
                continue;
        }
        if (info.exists() && info.isReadable())
            sources.append(path);
        else if (!(options & Zip::SkipUnreadable))
            return Zip::FileNotFound;
    }
    if (sources.isEmpty())
        return Zip::Ok;

    QFileInfoList infos;
    for (const QString& source : sources)
        infos.append(QFileInfo(source));
    return addSources(infos, normalizedRoot(root), options, options, level, addedFiles);
}

Zip::ErrorCode ZipPrivate::addSources(const QList<QFileInfo>& sources, const QString& prefix,
                                      Zip::PathOptions options, Zip::PathOptions nestedOptions,
                                      Zip::CompressionLevel level, int* addedFiles)
{
    for (const QFileInfo& info : sources) {
        Zip::ErrorCode ec;
        if (info.isDir()) {
            ec = addDirectory(info.absoluteFilePath(), prefix, nestedOptions, level, false,
                              addedFiles);
        } else {
            ec = createEntry(info, prefix + info.fileName(), level);
            if (ec == Zip::Ok && addedFiles)
                ++*addedFiles;
        }
        if (ec != Zip::Ok && !(options & Zip::SkipUnreadable))
            return ec;
    }
    return Zip::Ok;
}

Zip::ErrorCode ZipPrivate::addDirectory(const QString& path, const QString& root,
                                        Zip::PathOptions options, Zip::CompressionLevel level,
                                        bool topLevel, int* addedFiles)
{
    const QDir dir(path);
    if (!dir.exists())
        return Zip::FileNotFound;
    QString prefix = root;
    const bool keepsNames = !(options & Zip::PathNone);
    if ((options & Zip::PathAbsolute) && keepsNames && !(options & Zip::PathSkipRoot)) {
        QString parent = QFileInfo(dir.absolutePath()).absolutePath();
        while (parent.startsWith(QLatin1Char('/')))
            parent.remove(0, 1);
        if (!parent.isEmpty())
            prefix += parent + QLatin1Char('/');
    }
    if (keepsNames && !((options & Zip::PathSkipRoot) && topLevel))
        prefix += dir.dirName() + QLatin1Char('/');

    const Zip::PathOptions nested = options & ~Zip::PathOptions(Zip::PathAbsolute);
    const QFileInfoList list = dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot |
                                                     QDir::NoSymLinks | QDir::Hidden,
                                                 QDir::DirsFirst | QDir::Name);
    return addSources(list, prefix, options, nested, level, addedFiles);
}

bool ZipPrivate::writeAll(const char* data, qint64 length)
{
    return device->write(data, length) == length;
}

Zip::ErrorCode ZipPrivate::createEntry(const QFileInfo& info, const QString& entryName,
                                       Zip::CompressionLevel requested)
{
    if (!device || !headers)
        return Zip::NoOpenArchive;
    const bool directory = info.isDir();
    const qint64 size = directory ? 0 : info.size();
    // Without ZIP64 no size or offset may pass 4 GiB and no archive may hold
    // more than 65,535 entries: refuse rather than write a corrupt archive.
    if ((!headers->contains(entryName) && headers->size() >= MaxEntries) ||
        size > MaxSize - EncryptionHeaderSize || device->pos() > MaxSize)
        return Zip::LimitExceeded;

    const int level = levelFor(info, requested);
    const bool encrypt = !password.isEmpty() && !directory;
    ZipEntryP h;
    h.absolutePath = info.absoluteFilePath().toLower();
    h.fileSize = info.size();
    h.gpFlag[0] = encrypt ? 9 : 0;
    h.szComp = encrypt ? EncryptionHeaderSize : 0;
    h.compMethod = level ? 8 : 0;
    h.szUncomp = quint32(size);

    const QDateTime utc = info.lastModified().toUTC().addSecs(currentUtcOffset());
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    toDosTime(QDateTime(utc.date(), utc.time()), &dosDate, &dosTime);
    setUShort(h.modTime, 0, dosTime);
    setUShort(h.modDate, 0, dosDate);
    h.lhOffset = quint32(device->pos());

    const QByteArray name = entryName.toLatin1();
    unsigned char* b = bytes(buffer1);
    setULong(b, 0, LocalHeaderSignature);
    // CRC-32 and compressed size are rewritten once the data is written.
    putEntryFields(b, 4, h, 0, 0, quint16(name.size()));
    setUShort(b, 28, 0);
    if (!writeAll(buffer1.data(), LocalHeaderSize) || !writeAll(name.constData(), name.size()))
        return Zip::WriteFailed;

    std::unique_ptr<ZipKeys> keys;
    if (encrypt) {
        keys = std::make_unique<ZipKeys>(password.toLatin1());
        const Zip::ErrorCode ec = writeEncryptionHeader(keys.get(), h.modTime);
        if (ec != Zip::Ok)
            return ec;
    }

    quint32 crc = crc32(0L, Z_NULL, 0);
    qint64 written = 0;
    qint64 read = 0;
    if (!directory) {
        const Zip::ErrorCode ec = deflateFile(info, &crc, &written, &read, level, keys.get());
        if (ec != Zip::Ok)
            return ec;
    }
    if (written + h.szComp > MaxSize || read > MaxSize || device->pos() > MaxSize)
        return Zip::LimitExceeded;
    h.szComp += quint32(written);
    h.crc = crc;
    // The sizes are those of the data actually read, should the file have
    // changed since its size was taken.
    h.szUncomp = quint32(read);

    const qint64 end = device->pos();
    if (!device->seek(h.lhOffset + 14))
        return Zip::SeekFailed;
    setULong(b, 0, h.crc);
    setULong(b, 4, h.szComp);
    setULong(b, 8, h.szUncomp);
    if (!writeAll(buffer1.data(), 12))
        return Zip::WriteFailed;
    if (!device->seek(end))
        return Zip::SeekFailed;

    if (h.hasDataDescriptor()) {
        setULong(b, 0, DataDescriptorSignature);
        setULong(b, 4, h.crc);
        setULong(b, 8, h.szComp);
        setULong(b, 12, h.szUncomp);
        if (!writeAll(buffer1.data(), 16))
            return Zip::WriteFailed;
    }
    headers->insert(entryName, h);
    return Zip::Ok;
}

Zip::ErrorCode ZipPrivate::writeEncryptionHeader(ZipKeys* keys, const unsigned char modTime[2])
{
    const QByteArray secret = password.toLatin1();
    srand(unsigned(time(nullptr) ^ 0xBB40E64E));
    ZipKeys seed(secret);
    char header[EncryptionHeaderSize];
    for (int i = 0; i < 10; ++i)
        header[i] = char(seed.encrypt(static_cast<unsigned char>((rand() >> 7) & 0xFF)));
    *keys = ZipKeys(secret);
    keys->encrypt(header, 10);
    header[10] = char(keys->encrypt(modTime[0]));
    header[11] = char(keys->encrypt(modTime[1]));
    return writeAll(header, EncryptionHeaderSize) ? Zip::Ok : Zip::WriteFailed;
}

Zip::ErrorCode ZipPrivate::deflateFile(const QFileInfo& info, quint32* crc, qint64* written,
                                       qint64* read, int level, ZipKeys* keys)
{
    QFile source(info.absoluteFilePath());
    if (!source.open(QIODevice::ReadOnly)) {
        qDebug()
            << QStringLiteral("An error occurred while opening %1").arg(info.absoluteFilePath());
        return Zip::OpenFailed;
    }
    const Zip::ErrorCode ec = level ? compressFile(source, info.absoluteFilePath(), info.size(),
                                                   crc, written, read, level, keys)
                                    : storeFile(source, crc, written, read, keys);
    source.close();
    return ec;
}

Zip::ErrorCode ZipPrivate::storeFile(QIODevice& source, quint32* crc, qint64* written, qint64* read,
                                     ZipKeys* keys)
{
    for (;;) {
        const qint64 n = source.read(buffer1.data(), BufferSize);
        if (n < 0)
            return Zip::ReadFailed;
        if (n == 0)
            return Zip::Ok;
        *read += n;
        *crc = crc32(*crc, bytes(buffer1), uInt(n));
        if (keys)
            keys->encrypt(buffer1.data(), n);
        if (!writeAll(buffer1.data(), n))
            return Zip::WriteFailed;
        *written += n;
    }
}

Zip::ErrorCode ZipPrivate::compressFile(QIODevice& source, const QString& path, qint64 size,
                                        quint32* crc, qint64* written, qint64* read, int level,
                                        ZipKeys* keys)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        qDebug() << "Could not initialize zlib for compression";
        return Zip::ZlibError;
    }
    Zip::ErrorCode ec = Zip::Ok;
    for (int flush = Z_NO_FLUSH; flush != Z_FINISH && ec == Zip::Ok;) {
        const qint64 n = source.read(buffer1.data(), BufferSize);
        if (n < 0) {
            qDebug() << QStringLiteral("Error while reading %1").arg(path);
            ec = Zip::ReadFailed;
            break;
        }
        *read += n;
        *crc = crc32(*crc, bytes(buffer1), uInt(n));
        // The stream is finished at the expected size, or earlier should the
        // file have shrunk meanwhile, so that it always ends properly.
        flush = (n == 0 || *read >= size) ? Z_FINISH : Z_NO_FLUSH;
        stream.next_in = bytes(buffer1);
        stream.avail_in = uInt(n);
        do {
            stream.next_out = bytes(buffer2);
            stream.avail_out = BufferSize;
            if (deflate(&stream, flush) == Z_STREAM_ERROR) {
                ec = Zip::ZlibError;
                break;
            }
            const qint64 produced = BufferSize - stream.avail_out;
            if (keys)
                keys->encrypt(buffer2.data(), produced);
            if (!writeAll(buffer2.data(), produced)) {
                qDebug() << QStringLiteral("Error while writing %1").arg(path);
                ec = Zip::WriteFailed;
                break;
            }
            *written += produced;
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return ec;
}

Zip::ErrorCode ZipPrivate::do_closeArchive()
{
    if (!device && !headers)
        return Zip::Ok;
    if (!device)
        return Zip::NoOpenArchive;
    Zip::ErrorCode ec = Zip::Ok;
    const qint64 offset = device->pos();
    quint32 size = 0;
    unsigned char* b = bytes(buffer1);
    if (offset > MaxSize)
        ec = Zip::LimitExceeded;
    if (headers) {
        for (auto it = headers->cbegin(); it != headers->cend() && ec == Zip::Ok; ++it) {
            const ZipEntryP& h = it.value();
            const QByteArray name = it.key().toLatin1();
            std::memset(b, 0, CentralHeaderSize);
            setULong(b, 0, CentralHeaderSignature);
            setUShort(b, 4, 0);
            putEntryFields(b, 6, h, h.crc, h.szComp, quint16(name.size()));
            setULong(b, 42, h.lhOffset);
            if (!writeAll(buffer1.data(), CentralHeaderSize) ||
                !writeAll(name.constData(), name.size()))
                ec = Zip::WriteFailed;
            size += CentralHeaderSize + name.size();
        }
    }
    if (ec == Zip::Ok) {
        const QByteArray latin1Comment = comment.toLatin1().left(MaxCommentSize);
        const quint16 count = quint16(headers ? headers->size() : 0);
        std::memset(b, 0, EndRecordSize);
        setULong(b, 0, EndRecordSignature);
        setUShort(b, 8, count);
        setUShort(b, 10, count);
        setULong(b, 12, size);
        setULong(b, 16, quint32(offset));
        setUShort(b, 20, quint16(latin1Comment.size()));
        if (!writeAll(buffer1.data(), EndRecordSize) ||
            !writeAll(latin1Comment.constData(), latin1Comment.size()))
            ec = Zip::WriteFailed;
    }
    // The directory and end record may still sit in the file's buffer: the
    // archive is only written once they reach the file and it closes cleanly.
    if (ec == Zip::Ok && file) {
        if (!file->flush())
            ec = Zip::WriteFailed;
        file->close();
        if (file->error() != QFileDevice::NoError)
            ec = Zip::WriteFailed;
    }
    if (ec != Zip::Ok && file) {
        file->close();
        if (!file->remove())
            qDebug() << "Failed to delete corrupt archive.";
    }
    return ec;
}

void ZipPrivate::reset()
{
    if (device && device != file)
        disconnect(device, nullptr, this, nullptr);
    comment.clear();
    headers.reset();
    delete file;
    file = nullptr;
    device = nullptr;
}

void ZipPrivate::deviceDestroyed(QObject*)
{
    qDebug() << "Unexpected device destruction detected.";
    device = nullptr;
    reset();
}
