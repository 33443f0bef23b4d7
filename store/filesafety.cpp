#include "filesafety.h"

#include <fcntl.h>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool setMode(const QString& path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

} // namespace

bool FileSafety::makePrivateFile(const QString& path)
{
    return setMode(path, S_IRUSR | S_IWUSR);
}

bool FileSafety::hideFromOthers(const QString& path)
{
    // Only the group's and others' rights go: an owner who made the file
    // read-only keeps it read-only.
    struct stat status
    {
    };
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &status) != 0)
        return false;
    if ((status.st_mode & (S_IRWXG | S_IRWXO)) == 0)
        return true;
    return ::chmod(name.constData(), status.st_mode & ~(S_IRWXG | S_IRWXO) & 07777) == 0;
}

bool FileSafety::createPrivateFile(const QString& path)
{
    // O_CREAT with mode 0600 makes a new file private from its first byte;
    // an existing file keeps its content and is made private.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    ::close(fd);
    return makePrivateFile(path);
}

bool FileSafety::sync(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}
