#pragma once

#include <memory>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QDir;
class QIODevice;
class UnzipPrivate;

// Reads zip archives (PKWARE APPNOTE, no ZIP64) and extracts their entries,
// checking every entry's CRC-32. Entries whose names would land outside the
// target directory are refused.
class UnZip
{
    Q_DECLARE_TR_FUNCTIONS(UnZip)

public:
    enum ErrorCode
    {
        Ok = 0,
        ZlibInit = 1,
        ZlibError = 2,
        OpenFailed = 3,
        PartiallyCorrupted = 4,
        Corrupted = 5,
        WrongPassword = 6,
        NoOpenArchive = 7,
        FileNotFound = 8,
        ReadFailed = 9,
        WriteFailed = 10,
        SeekFailed = 11,
        CreateDirFailed = 12,
        InvalidDevice = 13,
        InvalidArchive = 14,
        HeaderConsistencyError = 15,
        Skip = 16,
        SkipAll = 17,
        // An entry name that would be written outside the target directory.
        UnsafePath = 18
    };

    enum ExtractionOption
    {
        KeepEntryPaths = 0x01,
        FlattenEntryPaths = 0x02,
        CheckOnly = 0x04,
        NoDirectoryCreation = 0x08
    };
    Q_DECLARE_FLAGS(ExtractionOptions, ExtractionOption)

    UnZip();
    ~UnZip();

    bool isOpen() const;
    ErrorCode openArchive(const QString& path);
    ErrorCode openArchive(QIODevice* device);
    void releaseArchive();

    void setArchivePassword(const QString& password);
    QString archiveComment() const;
    QStringList fileList() const;

    // What the central directory says of one entry, before anything is read.
    struct EntryInfo
    {
        QString name;
        quint32 size = 0;           // uncompressed, as declared
        quint32 compressedSize = 0; // as declared
        bool symlink = false;
    };
    QList<EntryInfo> entryList() const;

    ErrorCode verifyArchive();
    ErrorCode extractAll(const QString& directory, ExtractionOptions options = KeepEntryPaths);
    ErrorCode extractAll(const QDir& directory, ExtractionOptions options = KeepEntryPaths);
    ErrorCode extractFile(const QString& name, const QDir& directory,
                          ExtractionOptions options = KeepEntryPaths);
    ErrorCode extractFile(const QString& name, QIODevice* device,
                          ExtractionOptions options = KeepEntryPaths);
    ErrorCode extractFiles(const QStringList& names, const QDir& directory,
                           ExtractionOptions options = KeepEntryPaths);

    static QString errorText(ErrorCode code);
    // Whether an entry name stays inside the folder it would be extracted to.
    static bool isSafeEntryName(const QString& name);

private:
    std::unique_ptr<UnzipPrivate> d;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(UnZip::ExtractionOptions)
