#pragma once

#include "zip.h"
#include "zipentryp.h"

#include <memory>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <vector>

class QFile;
class QFileInfo;
class ZipKeys;

// The writer's state: the entry table, the output device and two work
// buffers through which all data streams.
class ZipPrivate : public QObject
{
    Q_OBJECT

public:
    ZipPrivate();
    ~ZipPrivate() override;

    Zip::ErrorCode createArchive(QIODevice* device);
    Zip::ErrorCode addPaths(const QStringList& paths, const QString& root, Zip::PathOptions options,
                            Zip::CompressionLevel level, int* addedFiles);
    Zip::ErrorCode addDirectory(const QString& path, const QString& root, Zip::PathOptions options,
                                Zip::CompressionLevel level, bool topLevel, int* addedFiles);
    // Adds files as entries named prefix + file name, and folders as trees.
    Zip::ErrorCode addSources(const QList<QFileInfo>& sources, const QString& prefix,
                              Zip::PathOptions options, Zip::PathOptions nestedOptions,
                              Zip::CompressionLevel level, int* addedFiles);
    Zip::ErrorCode createEntry(const QFileInfo& file, const QString& entryName,
                               Zip::CompressionLevel level);
    Zip::ErrorCode deflateFile(const QFileInfo& file, quint32* crc, qint64* written, qint64* read,
                               int level, ZipKeys* keys);
    Zip::ErrorCode storeFile(QIODevice& source, quint32* crc, qint64* written, qint64* read,
                             ZipKeys* keys);
    Zip::ErrorCode compressFile(QIODevice& source, const QString& path, qint64 size, quint32* crc,
                                qint64* written, qint64* read, int level, ZipKeys* keys);
    Zip::ErrorCode writeEncryptionHeader(ZipKeys* keys, const unsigned char modTime[2]);
    Zip::ErrorCode do_closeArchive();
    void reset();

    static int levelFor(const QFileInfo& file, Zip::CompressionLevel level);
    static QString normalizedRoot(const QString& root);

    std::unique_ptr<QMap<QString, ZipEntryP>> headers;
    QIODevice* device = nullptr;
    QFile* file = nullptr;
    std::vector<char> buffer1;
    std::vector<char> buffer2;
    QString comment;
    QString password;

public slots:
    void deviceDestroyed(QObject*);

private:
    bool writeAll(const char* data, qint64 length);
};
