#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Small helpers for the zip tests: files with given content and time, and
// little-endian fields of archive bytes.
QString writeFile(const QString& path, const QByteArray& content,
                  const QDateTime& modified = QDateTime());
QByteArray readFile(const QString& path);
// Every file below folder, hidden ones included, by relative path, sorted.
QStringList filesBelow(const QString& folder);
quint32 le32(const QByteArray& data, int offset);
quint16 le16(const QByteArray& data, int offset);
void putLe32(QByteArray& data, int offset, quint32 value);
void putLe16(QByteArray& data, int offset, quint16 value);
// Text that compresses like prose, of the given length, the same every time.
QByteArray sampleText(int length);
