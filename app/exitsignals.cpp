#include "exitsignals.h"

#include "privatefilewriter.h"

#include <csignal>
#include <fcntl.h>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler's end [1] and the event loop's end [0].
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    PrivateFileWriter::removeAllFromSignal();
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::quitOnSignal);
    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

ExitSignals::~ExitSignals()
{
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    for (int& end : signalPipe) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void ExitSignals::quitOnSignal()
{
    char byte = 0;
    while (::read(signalPipe[0], &byte, 1) > 0) {
    }
    QCoreApplication::quit();
}
