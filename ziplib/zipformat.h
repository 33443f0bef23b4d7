#pragma once

#include <QDateTime>
#include <QtGlobal>

// Little-endian fields, record signatures and MS-DOS times of the zip format,
// shared by the writer and the reader.
namespace ZipFormat {

constexpr int BufferSize = 256 * 1024;
constexpr quint32 LocalHeaderSignature = 0x04034b50;
constexpr quint32 CentralHeaderSignature = 0x02014b50;
constexpr quint32 EndRecordSignature = 0x06054b50;
constexpr quint32 DataDescriptorSignature = 0x08074b50;
constexpr int LocalHeaderSize = 30;
constexpr int CentralHeaderSize = 46;
constexpr int EndRecordSize = 22;
constexpr int MaxCommentSize = 0xFFFF;
constexpr int EncryptionHeaderSize = 12;
constexpr quint16 VersionNeeded = 20;

inline quint16 getUShort(const unsigned char* data, int offset)
{
    return quint16(data[offset] | (data[offset + 1] << 8));
}

inline quint32 getULong(const unsigned char* data, int offset)
{
    return quint32(data[offset]) | (quint32(data[offset + 1]) << 8) |
           (quint32(data[offset + 2]) << 16) | (quint32(data[offset + 3]) << 24);
}

inline void setUShort(unsigned char* data, int offset, quint16 value)
{
    data[offset] = value & 0xFF;
    data[offset + 1] = (value >> 8) & 0xFF;
}

inline void setULong(unsigned char* data, int offset, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        data[offset + i] = (value >> (8 * i)) & 0xFF;
}

// The present offset of local time from UTC in seconds, the way the C
// library's gmtime, localtime and mktime tell it (plus an hour in summer time).
int currentUtcOffset();

// MS-DOS date and time of a wall-clock time (seconds halved, rounded down);
// times before 1980 are stored as the first moment of 1980.
void toDosTime(const QDateTime& wallClock, quint16* date, quint16* time);
QDateTime fromDosTime(quint16 date, quint16 time);

} // namespace ZipFormat
