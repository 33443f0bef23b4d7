#pragma once

#include "unzip.h"
#include "zipentryp.h"

#include <memory>
#include <QMap>
#include <QObject>
#include <vector>

class QDir;
class QFile;
class QIODevice;
class ZipKeys;

// The reader's state: the entry table read from the central directory, the
// input device and two work buffers through which all data streams.
class UnzipPrivate : public QObject
{
    Q_OBJECT

public:
    UnzipPrivate();
    ~UnzipPrivate() override;

    UnZip::ErrorCode openArchive(QIODevice* device);
    UnZip::ErrorCode seekToCentralDirectory();
    UnZip::ErrorCode parseCentralDirectoryRecord();
    UnZip::ErrorCode parseLocalHeaderRecord(const QString& name, ZipEntryP& entry);
    UnZip::ErrorCode extractFile(const QString& name, ZipEntryP& entry, const QDir& directory,
                                 UnZip::ExtractionOptions options);
    UnZip::ErrorCode extractFile(const QString& name, ZipEntryP& entry, QIODevice* out,
                                 UnZip::ExtractionOptions options);
    UnZip::ErrorCode extractStored(quint32 remaining, quint32* crc, QIODevice* out, ZipKeys* keys);
    // Inflates at most declared bytes; written counts what came out.
    UnZip::ErrorCode inflateData(quint32 remaining, quint32 declared, quint32* written,
                                 quint32* crc, QIODevice* out, ZipKeys* keys);
    bool createDirectory(const QString& path);
    void closeArchive();

    // Whether an entry name stays inside the directory it is extracted to.
    static bool isSafeEntryName(const QString& name);

    QString password;
    std::unique_ptr<QMap<QString, ZipEntryP>> headers;
    QIODevice* device = nullptr;
    QFile* file = nullptr;
    std::vector<char> buffer1;
    std::vector<char> buffer2;
    quint32 cdOffset = 0;
    quint32 eocdOffset = 0;
    quint16 cdEntryCount = 0;
    quint16 unsupportedEntryCount = 0;
    QString comment;

public slots:
    void deviceDestroyed(QObject*);

private:
    bool readExactly(char* data, qint64 length);
};
