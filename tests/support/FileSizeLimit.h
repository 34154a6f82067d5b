#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

// While it lives, files this process writes cannot grow beyond the given number of bytes: a
// write past it fails (as on a full disk) instead of raising SIGXFSZ. Works for root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(int64_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_saved;
        small.rlim_cur = rlim_t(bytes);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};
