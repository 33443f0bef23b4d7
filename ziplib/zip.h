#pragma once

#include <memory>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QIODevice;
class ZipPrivate;

// Writes zip archives (PKWARE APPNOTE, no ZIP64) to a file or a device.
class Zip
{
    Q_DECLARE_TR_FUNCTIONS(Zip)

public:
    enum ErrorCode
    {
        Ok = 0,
        ZlibInit = 1,
        ZlibError = 2,
        FileExists = 3,
        OpenFailed = 4,
        NoOpenArchive = 5,
        FileNotFound = 6,
        ReadFailed = 7,
        WriteFailed = 8,
        SeekFailed = 9,
        // Without ZIP64 an archive holds at most 65,535 entries and 4 GiB.
        LimitExceeded = 10
    };

    enum CompressionLevel
    {
        Store = 0,
        Deflate1 = 1,
        Deflate2,
        Deflate3,
        Deflate4,
        Deflate5,
        Deflate6,
        Deflate7,
        Deflate8,
        Deflate9,
        LevelAutoSpeed = 10,
        LevelAutoByType = 11,
        LevelAutoFull = 12
    };

    enum PathOption
    {
        PathRelative = 0x01,
        PathAbsolute = 0x02,
        PathNone = 0x04,
        PathSkipRoot = 0x08,
        SkipUnreadable = 0x20,
        SkipDuplicates = 0x40
    };
    Q_DECLARE_FLAGS(PathOptions, PathOption)

    Zip();
    ~Zip();

    bool isOpen() const;
    void setArchivePassword(const QString& password);
    void clearArchivePassword();
    QString archivePassword() const;
    void setArchiveComment(const QString& comment);
    QString archiveComment() const;

    ErrorCode createArchive(const QString& file, bool overwrite = true);
    ErrorCode createArchive(QIODevice* device);
    ErrorCode addPath(const QString& path, CompressionLevel level = LevelAutoFull);
    ErrorCode addPaths(const QStringList& paths, const QString& root = QString(),
                       PathOptions options = PathRelative, CompressionLevel level = LevelAutoFull,
                       int* addedFiles = nullptr);
    ErrorCode addDirectoryTree(const QString& path, const QString& root = QString(),
                               PathOptions options = PathRelative,
                               CompressionLevel level = LevelAutoFull);
    ErrorCode finishArchive();

    static QString errorText(ErrorCode code);

private:
    std::unique_ptr<ZipPrivate> d;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Zip::PathOptions)
