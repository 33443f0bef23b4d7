#include "boundedfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

BoundedFile::Result BoundedFile::read(const QString& path, qint64 maxBytes)
{
    Result result;
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        result.status = Status::NotRegular;
        return result;
    }
    if (status.st_size > maxBytes) {
        ::close(fd);
        result.status = Status::TooLarge;
        return result;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.error = file.errorString();
        return result;
    }
    // The size was only a claim: one byte more than the limit is enough to
    // know that the file is too large.
    result.bytes = file.read(maxBytes + 1);
    if (result.bytes.size() > maxBytes) {
        result.bytes.clear();
        result.status = Status::TooLarge;
        return result;
    }
    if (file.error() != QFileDevice::NoError) {
        result.bytes.clear();
        result.error = file.errorString();
        return result;
    }
    result.status = Status::Read;
    return result;
}
