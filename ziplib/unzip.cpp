#include "unzip.h"

#include "unzipprivate.h"

#include <QDebug>
#include <QDir>
#include <QFile>

UnZip::UnZip() : d(std::make_unique<UnzipPrivate>()) {}

UnZip::~UnZip()
{
    d->closeArchive();
}

bool UnZip::isOpen() const
{
    return d->device != nullptr;
}

UnZip::ErrorCode UnZip::openArchive(const QString& path)
{
    d->closeArchive();
    d->file = new QFile(path);
    if (!d->file->exists()) {
        delete d->file;
        d->file = nullptr;
        return FileNotFound;
    }
    if (!d->file->open(QIODevice::ReadOnly)) {
        delete d->file;
        d->file = nullptr;
        return OpenFailed;
    }
    return d->openArchive(d->file);
}

UnZip::ErrorCode UnZip::openArchive(QIODevice* device)
{
    d->closeArchive();
    if (!device) {
        qDebug() << "Invalid device.";
        return InvalidDevice;
    }
    return d->openArchive(device);
}

void UnZip::releaseArchive()
{
    d->closeArchive();
}

void UnZip::setArchivePassword(const QString& password)
{
    d->password = password;
}

QString UnZip::archiveComment() const
{
    return d->comment;
}

QStringList UnZip::fileList() const
{
    return d->headers ? d->headers->keys() : QStringList();
}

QList<UnZip::EntryInfo> UnZip::entryList() const
{
    QList<EntryInfo> entries;
    if (!d->headers)
        return entries;
    for (auto it = d->headers->cbegin(); it != d->headers->cend(); ++it)
        entries.append({it.key(), it->szUncomp, it->szComp, it->isSymlink()});
    return entries;
}

UnZip::ErrorCode UnZip::verifyArchive()
{
    return extractAll(QDir(), CheckOnly);
}

UnZip::ErrorCode UnZip::extractAll(const QString& directory, ExtractionOptions options)
{
    return extractAll(QDir(directory), options);
}

UnZip::ErrorCode UnZip::extractAll(const QDir& directory, ExtractionOptions options)
{
    if (!d->device)
        return NoOpenArchive;
    if (!d->headers)
        return Ok;
    // A single entry that would land outside the target refuses the whole
    // archive before anything is written.
    if (!(options & CheckOnly)) {
        for (auto it = d->headers->cbegin(); it != d->headers->cend(); ++it)
            if (!UnzipPrivate::isSafeEntryName(it.key())) {
                qDebug() << QStringLiteral("Unsafe entry path refused: %1").arg(it.key());
                return UnsafePath;
            }
    }
    ErrorCode ec = Ok;
    for (auto it = d->headers->begin(); it != d->headers->end(); ++it) {
        ec = d->extractFile(it.key(), it.value(), directory, options);
        if (ec == Skip)
            continue;
        if (ec == Corrupted) {
            qDebug() << "Corrupted entry" << it.key();
            return ec;
        }
        if (ec != Ok)
            return ec;
    }
    return ec;
}

UnZip::ErrorCode UnZip::extractFile(const QString& name, const QDir& directory,
                                    ExtractionOptions options)
{
    if (!d->device)
        return NoOpenArchive;
    if (!d->headers || !d->headers->contains(name))
        return FileNotFound;
    return d->extractFile(name, (*d->headers)[name], directory, options);
}

UnZip::ErrorCode UnZip::extractFile(const QString& name, QIODevice* device,
                                    ExtractionOptions options)
{
    if (!d->device)
        return NoOpenArchive;
    if (!d->headers || !d->headers->contains(name))
        return FileNotFound;
    return d->extractFile(name, (*d->headers)[name], device, options);
}

UnZip::ErrorCode UnZip::extractFiles(const QStringList& names, const QDir& directory,
                                     ExtractionOptions options)
{
    for (const QString& name : names) {
        const ErrorCode ec = extractFile(name, directory, options);
        if (ec != Ok && ec != FileNotFound)
            return ec;
    }
    return Ok;
}

bool UnZip::isSafeEntryName(const QString& name)
{
    return UnzipPrivate::isSafeEntryName(name);
}

QString UnZip::errorText(ErrorCode code)
{
    switch (code) {
    case Ok:
        return tr("ZIP operation completed successfully.");
    case ZlibInit:
        return tr("Failed to initialize or load zlib library.");
    case ZlibError:
        return tr("zlib library error.");
    case OpenFailed:
        return tr("Unable to create or open file.");
    case PartiallyCorrupted:
        return tr("Partially corrupted archive. Some files might be extracted.");
    case Corrupted:
        return tr("Corrupted archive.");
    case WrongPassword:
        return tr("Wrong password.");
    case NoOpenArchive:
        return tr("No archive has been created yet.");
    case FileNotFound:
        return tr("File or directory does not exist.");
    case ReadFailed:
        return tr("File read error.");
    case WriteFailed:
        return tr("File write error.");
    case SeekFailed:
        return tr("File seek error.");
    case CreateDirFailed:
        return tr("Unable to create a directory.");
    case InvalidDevice:
        return tr("Invalid device.");
    case InvalidArchive:
        return tr("Invalid or incompatible zip archive.");
    case HeaderConsistencyError:
        return tr("Inconsistent headers. Archive might be corrupted.");
    case UnsafePath:
        return tr("An entry would be written outside the target folder.");
    default:
        return tr("Unknown error.");
    }
}
