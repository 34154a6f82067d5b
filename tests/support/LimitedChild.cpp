#include "support/LimitedChild.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

int64_t StatusBytes(const char* key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key, 0) == 0) {
            std::istringstream fields(line.substr(std::strlen(key)));
            int64_t kB = 0;
            fields >> kB;
            return kB * 1024;
        }
    }
    return 0;
}

void WriteAll(int fd, const void* data, size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n <= 0) {
            return;
        }
        p += n;
        size -= size_t(n);
    }
}

}  // namespace

int64_t AddressSpaceInUse() {
    return StatusBytes("VmSize:");
}

int64_t PeakAddressSpace() {
    return StatusBytes("VmPeak:");
}

ChildResult RunInLimitedChild(int64_t headroom, const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return {};
    }
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        // A forked process starts its peak afresh at its size.
        const int64_t start = AddressSpaceInUse();
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = rlim_t(start + headroom);
        setrlimit(RLIMIT_AS, &limit);
        std::string text;
        try {
            text = body();
        } catch (...) {
            // An allocation that failed: the child ends here, not in the test runner's loop.
            ::_exit(1);
        }
        const int64_t grown = PeakAddressSpace() - start;
        WriteAll(fds[1], &grown, sizeof grown);
        WriteAll(fds[1], text.data(), text.size());
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    ChildResult result;
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) {
        bytes.append(buffer, size_t(n));
    }
    ::close(fds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
        return result;
    }
    result.ended = WIFEXITED(status) && WEXITSTATUS(status) == 0 && bytes.size() >= 8;
    if (result.ended) {
        std::memcpy(&result.grownBytes, bytes.data(), 8);
        result.text = bytes.substr(8);
    }
    return result;
}
