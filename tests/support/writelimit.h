#pragma once

#include <sys/resource.h>

// A real full disk for the code run while it lives: no file of the process
// may grow past bytes (RLIMIT_FSIZE), and a write that would is refused with
// EFBIG instead of killing the process (SIGXFSZ ignored). The old limit comes
// back when it ends.
class WriteLimit
{
public:
    explicit WriteLimit(rlim_t bytes);
    ~WriteLimit();
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;

private:
    rlimit m_old{};
};
