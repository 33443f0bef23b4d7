#include "ziptestfiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString writeFile(const QString& path, const QByteArray& content, const QDateTime& modified)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write(content);
    file.flush();
    if (modified.isValid())
        file.setFileTime(modified, QFileDevice::FileModificationTime);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

quint32 le32(const QByteArray& data, int offset)
{
    return quint32(quint8(data[offset])) | quint32(quint8(data[offset + 1])) << 8 |
           quint32(quint8(data[offset + 2])) << 16 | quint32(quint8(data[offset + 3])) << 24;
}

quint16 le16(const QByteArray& data, int offset)
{
    return quint16(quint8(data[offset]) | quint8(data[offset + 1]) << 8);
}

void putLe32(QByteArray& data, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void putLe16(QByteArray& data, int offset, quint16 value)
{
    data[offset] = char(value & 0xFF);
    data[offset + 1] = char(value >> 8);
}

QByteArray sampleText(int length)
{
    static const char* const words[] = {"wallet ",   "secret ", "folder ", "item ", "field ",
                                        "password ", "card ",   "bank ",   "note ", "heron "};
    QByteArray text;
    quint32 state = 12345;
    while (text.size() < length) {
        state = state * 1103515245u + 12345u;
        text += words[(state >> 16) % 10];
        if ((state >> 8) % 13 == 0)
            text += QByteArray::number(state % 100000) + ".\n";
    }
    return text.left(length);
}
