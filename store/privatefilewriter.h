#pragma once

#include <QString>
#include <QTemporaryFile>

class QIODevice;

// Writes a file that only its owner may read (a backup, an export) so that
// it is complete or absent: the bytes go to a new temporary file in the
// target folder, created 0600 without following anything at its name, and
// written, flushed, made private and synced through the one descriptor that
// created it; only then does it take its final name. A writer that ends
// without committing removes its temporary file, and so does SIGINT or
// SIGTERM (through removeAllFromSignal) while it is being written.
class PrivateFileWriter
{
public:
    // How the file takes its final name.
    enum class Commit
    {
        Replace,  // over whatever stands there (a link is replaced, never followed)
        NoReplace // never over anything: a taken name fails and says so
    };

    // The temporary file is folder/prefix + six random characters + suffix.
    PrivateFileWriter(const QString& folder, const QString& prefix, const QString& suffix);
    ~PrivateFileWriter();
    PrivateFileWriter(const PrivateFileWriter&) = delete;
    PrivateFileWriter& operator=(const PrivateFileWriter&) = delete;

    bool open();
    QIODevice* device() { return &m_file; }
    QString temporaryPath() const { return m_file.fileName(); }
    // Flushes, makes private and syncs what was written, then renames it to
    // finalPath and syncs the folder. False when any step failed; taken is
    // set when a NoReplace commit found the name in use (nothing is lost:
    // another name may be tried).
    bool commit(const QString& finalPath, Commit mode, bool* taken = nullptr);

    // Removes every temporary file of the writers still open; only calls
    // that are safe in a signal handler.
    static void removeAllFromSignal();

private:
    void forget();

    QTemporaryFile m_file;
    QString m_folder;
    int m_slot = -1;
    bool m_synced = false;
};
