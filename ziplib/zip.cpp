#include "zip.h"

#include "zipprivate.h"

#include <QFile>

Zip::Zip() : d(std::make_unique<ZipPrivate>()) {}

Zip::~Zip()
{
    finishArchive();
}

bool Zip::isOpen() const
{
    return d->device != nullptr;
}

void Zip::setArchivePassword(const QString& password)
{
    d->password = password;
}

void Zip::clearArchivePassword()
{
    d->password.clear();
}

QString Zip::archivePassword() const
{
    return d->password;
}

void Zip::setArchiveComment(const QString& comment)
{
    d->comment = comment;
}

QString Zip::archiveComment() const
{
    return d->comment;
}

Zip::ErrorCode Zip::createArchive(const QString& path, bool overwrite)
{
    finishArchive();
    if (path.isEmpty())
        return FileNotFound;
    d->file = new QFile(path);
    if (d->file->exists() && !overwrite) {
        delete d->file;
        d->file = nullptr;
        return FileExists;
    }
    if (!d->file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        delete d->file;
        d->file = nullptr;
        return OpenFailed;
    }
    return d->createArchive(d->file);
}

Zip::ErrorCode Zip::createArchive(QIODevice* device)
{
    return d->createArchive(device);
}

Zip::ErrorCode Zip::addPath(const QString& path, CompressionLevel level)
{
    if (path.isEmpty())
        return Ok;
    return addPaths(QStringList(path), QString(), PathRelative, level);
}

Zip::ErrorCode Zip::addPaths(const QStringList& paths, const QString& root, PathOptions options,
                             CompressionLevel level, int* addedFiles)
{
    return d->addPaths(paths, root, options, level, addedFiles);
}

Zip::ErrorCode Zip::addDirectoryTree(const QString& path, const QString& root, PathOptions options,
                                     CompressionLevel level)
{
    if (!d->device)
        return NoOpenArchive;
    return d->addDirectory(path, ZipPrivate::normalizedRoot(root), options, level, true, nullptr);
}

Zip::ErrorCode Zip::finishArchive()
{
    const ErrorCode ec = d->do_closeArchive();
    d->reset();
    return ec;
}

QString Zip::errorText(ErrorCode code)
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
    case LimitExceeded:
        return tr("The archive would pass the zip limits of 4 GiB and 65,535 entries.");
    default:
        return tr("Unknown error.");
    }
}
