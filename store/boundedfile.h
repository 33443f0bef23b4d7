#pragma once

#include <QByteArray>
#include <QString>

// Reads a whole file that the user chose, safely: only a regular file (a
// link is followed to what it names, and a device, a pipe or a folder is
// refused without blocking), and never more than a limit plus one byte,
// whatever the file's size claims, so that a link to /dev/zero or a file
// that grows while it is read cannot take the memory.
class BoundedFile
{
public:
    enum class Status
    {
        Read,
        Unreadable, // missing, or not open to this user; error says why
        NotRegular,
        TooLarge
    };
    struct Result
    {
        Status status = Status::Unreadable;
        QByteArray bytes; // only when read
        QString error;
    };

    static Result read(const QString& path, qint64 maxBytes);
};
