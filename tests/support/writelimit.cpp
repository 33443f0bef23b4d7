#include "writelimit.h"

#include <csignal>

WriteLimit::WriteLimit(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

WriteLimit::~WriteLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
}
