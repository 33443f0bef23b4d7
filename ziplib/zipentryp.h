#pragma once

#include <QString>
#include <QtGlobal>

// One entry of a zip archive, as the writer records it and the reader reads it.
struct ZipEntryP
{
    quint32 lhOffset = 0;   // where the local header starts
    quint32 dataOffset = 0; // where the entry's data starts (reader)
    unsigned char gpFlag[2] = {0, 0};
    quint16 compMethod = 0; // 0 stored, 8 deflated
    unsigned char modTime[2] = {0, 0};
    unsigned char modDate[2] = {0, 0};
    quint32 crc = 0;
    quint32 szComp = 0; // includes the 12-byte encryption header
    quint32 szUncomp = 0;
    QString comment;                // reader
    QString absolutePath;           // lower-cased source path (writer)
    qint64 fileSize = 0;            // source size (writer)
    bool lhEntryChecked = false;    // reader
    quint8 madeByHost = 0;          // reader: 3 for Unix
    quint32 externalAttributes = 0; // reader: a Unix mode in the upper 16 bits
    // A symbolic link as a Unix zip tool stores one.
    bool isSymlink() const
    {
        constexpr quint32 FileTypeMask = 0170000;
        constexpr quint32 SymlinkType = 0120000;
        return madeByHost == 3 && ((externalAttributes >> 16) & FileTypeMask) == SymlinkType;
    }

    bool isEncrypted() const { return gpFlag[0] & 0x01; }
    bool hasDataDescriptor() const { return gpFlag[0] & 0x08; }
};
