#include "privatefilewriter.h"

#include "filesafety.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The temporary files being written, as a signal handler can read them:
// fixed buffers, each published by its flag once its path is complete.
constexpr int Slots = 8;
char slotPath[Slots][PATH_MAX];
std::atomic<bool> slotUsed[Slots];

// Writers live on one thread; only the signal handler reads concurrently.
int takeSlot(const QByteArray& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < Slots; ++i) {
        if (slotUsed[i].load())
            continue;
        // The flag goes up once the path is complete, so that a handler
        // never reads half a path.
        std::memcpy(slotPath[i], path.constData(), size_t(path.size()) + 1);
        slotUsed[i].store(true);
        return i;
    }
    return -1;
}

} // namespace

PrivateFileWriter::PrivateFileWriter(const QString& folder, const QString& prefix,
                                     const QString& suffix)
    : m_file(folder + QLatin1Char('/') + prefix + QStringLiteral("XXXXXX") + suffix),
      m_folder(folder)
{
}

PrivateFileWriter::~PrivateFileWriter()
{
    // QTemporaryFile removes the file unless it took its final name.
    m_file.close();
    forget();
}

bool PrivateFileWriter::open()
{
    // O_CREAT | O_EXCL, mode 0600: a link or a file already at the name
    // makes the open fail rather than be followed or reused.
    if (!m_file.open())
        return false;
    m_slot = takeSlot(QFile::encodeName(m_file.fileName()));
    return true;
}

void PrivateFileWriter::forget()
{
    if (m_slot >= 0)
        slotUsed[m_slot].store(false);
    m_slot = -1;
}

bool PrivateFileWriter::commit(const QString& finalPath, Commit mode, bool* taken)
{
    if (taken)
        *taken = false;
    if (!m_file.isOpen())
        return false;
    // The data is flushed, private and on the disk once, whatever number of
    // names are tried after.
    if (!m_synced) {
        const int fd = m_file.handle();
        if (!m_file.flush() || ::fchmod(fd, S_IRUSR | S_IWUSR) != 0 || ::fsync(fd) != 0)
            return false;
        m_synced = true;
    }
    const QByteArray from = QFile::encodeName(m_file.fileName());
    const QByteArray to = QFile::encodeName(finalPath);
    const int renamed = mode == Commit::Replace ? std::rename(from.constData(), to.constData())
                                                : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD,
                                                              to.constData(), RENAME_NOREPLACE);
    if (renamed != 0) {
        if (taken)
            *taken = errno == EEXIST;
        return false;
    }
    m_file.setAutoRemove(false);
    m_file.close();
    forget();
    FileSafety::sync(m_folder);
    return true;
}

void PrivateFileWriter::removeAllFromSignal()
{
    for (int i = 0; i < Slots; ++i)
        if (slotUsed[i].load())
            ::unlink(slotPath[i]);
}
