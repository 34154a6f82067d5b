#include "platform/MemoryBudget.h"

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace {

int64_t PixelBytes(int64_t width, int64_t height) {
    return width > 0 && height > 0 ? width * height * 4 : 0;
}

std::optional<std::string> ReadText(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<int64_t> ReadNumber(const std::string& path) {
    const auto text = ReadText(path);
    if (!text) {
        return std::nullopt;
    }
    try {
        return int64_t(std::stoll(*text));
    } catch (const std::exception&) {
        return std::nullopt;  // "max": no limit
    }
}

// The value of "key: N kB" (or "key N") in a /proc or cgroup table, in bytes when it says kB.
std::optional<int64_t> TableValue(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, key.size(), key) != 0 || line.size() == key.size() ||
            (line[key.size()] != ':' && line[key.size()] != ' ')) {
            continue;
        }
        std::istringstream fields(line.substr(key.size() + 1));
        int64_t value = 0;
        std::string unit;
        if (!(fields >> value)) {
            return std::nullopt;
        }
        fields >> unit;
        return unit == "kB" ? value * 1024 : value;
    }
    return std::nullopt;
}

// The soft limit of resource less what the process uses of it now (statusKey of
// /proc/self/status); -1 without a limit.
int64_t RlimitHeadroom(int resource, const std::string& statusKey) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return -1;
    }
    const int64_t cap = limit.rlim_cur > rlim_t(std::numeric_limits<int64_t>::max())
                            ? std::numeric_limits<int64_t>::max()
                            : int64_t(limit.rlim_cur);
    const auto status = ReadText("/proc/self/status");
    const int64_t used = status ? TableValue(*status, statusKey).value_or(0) : 0;
    return std::max<int64_t>(0, cap - used);
}

// A cgroup folder's limit less its usage; the page cache it could drop (inactive files)
// counts as free. -1 when the folder sets no limit.
int64_t CgroupHeadroom(const std::filesystem::path& dir, const char* limitFile,
                       const char* usageFile, const char* inactiveKey) {
    const auto limit = ReadNumber((dir / limitFile).string());
    // cgroup v1 writes "no limit" as a number near 2^63.
    if (!limit || *limit >= (int64_t(1) << 62)) {
        return -1;
    }
    int64_t used = ReadNumber((dir / usageFile).string()).value_or(0);
    if (const auto stat = ReadText((dir / "memory.stat").string())) {
        used -= std::min(used, TableValue(*stat, inactiveKey).value_or(0));
    }
    return std::max<int64_t>(0, *limit - used);
}

// The lowest headroom of the process's cgroup and the cgroups above it, v2 or v1.
int64_t CgroupLimit() {
    const auto self = ReadText("/proc/self/cgroup");
    if (!self) {
        return -1;
    }
    struct Hierarchy {
        std::filesystem::path root;
        std::string relative;
        const char *limit, *usage, *inactive;
    };
    std::vector<Hierarchy> hierarchies;
    std::istringstream lines(*self);
    for (std::string line; std::getline(lines, line);) {
        // "0::/path" (v2) or "4:memory:/path" (v1; the controllers may be a list).
        const size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string relative = line.substr(second + 1);
        if (controllers.empty() && line.compare(0, first, "0") == 0) {
            hierarchies.push_back(
                {"/sys/fs/cgroup", relative, "memory.max", "memory.current", "inactive_file"});
        } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
            hierarchies.push_back({"/sys/fs/cgroup/memory", relative, "memory.limit_in_bytes",
                                   "memory.usage_in_bytes", "total_inactive_file"});
        }
    }
    int64_t lowest = -1;
    for (const Hierarchy& h : hierarchies) {
        std::error_code error;
        if (!std::filesystem::is_directory(h.root, error)) {
            continue;
        }
        // Inside a container the path may be seen from a higher root than the one mounted:
        // drop leading parts until it names a folder.
        std::filesystem::path relative = std::filesystem::path(h.relative).relative_path();
        std::filesystem::path dir = h.root / relative;
        while (!relative.empty() && !std::filesystem::is_directory(dir, error)) {
            auto part = relative.begin();
            std::filesystem::path rest;
            for (++part; part != relative.end(); ++part) {
                rest /= *part;
            }
            relative = rest;
            dir = h.root / relative;
        }
        for (;; dir = dir.parent_path()) {
            const int64_t headroom = CgroupHeadroom(dir, h.limit, h.usage, h.inactive);
            if (headroom >= 0 && (lowest < 0 || headroom < lowest)) {
                lowest = headroom;
            }
            if (dir == h.root || dir == dir.parent_path()) {
                break;
            }
        }
    }
    return lowest;
}

// "12.0 GB", or "300 MB" below a gigabyte.
QString Amount(int64_t bytes) {
    constexpr double kMB = 1 << 20, kGB = 1 << 30;
    if (double(bytes) >= kGB) {
        return QStringLiteral("%1 GB").arg(double(bytes) / kGB, 0, 'f', 1);
    }
    return QStringLiteral("%1 MB").arg(std::ceil(double(bytes) / kMB), 0, 'f', 0);
}

}  // namespace

int64_t PictureMemoryNeed(std::span<const QSize> layers) {
    int64_t layerBytes = 0, largestLayer = 0, width = 0, height = 0;
    for (const QSize& size : layers) {
        const int64_t bytes = PixelBytes(size.width(), size.height());
        if (bytes == 0) {
            continue;
        }
        layerBytes += bytes;
        largestLayer = std::max(largestLayer, bytes);
        width = std::max<int64_t>(width, size.width());
        height = std::max<int64_t>(height, size.height());
    }
    const int64_t extent = PixelBytes(width, height);
    const int64_t caches = 2 * extent;
    const int64_t save = 2 * extent;
    return layerBytes + caches + save + largestLayer;
}

int64_t MemoryLimits::Lowest() const {
    int64_t lowest = -1;
    for (int64_t bound : {available, addressSpace, data, cgroup}) {
        if (bound >= 0 && (lowest < 0 || bound < lowest)) {
            lowest = bound;
        }
    }
    return lowest;
}

MemoryLimits ReadMemoryLimits() {
    MemoryLimits limits;
    if (const auto meminfo = ReadText("/proc/meminfo")) {
        limits.available = TableValue(*meminfo, "MemAvailable").value_or(-1);
    }
    limits.addressSpace = RlimitHeadroom(RLIMIT_AS, "VmSize");
    limits.data = RlimitHeadroom(RLIMIT_DATA, "VmData");
    limits.cgroup = CgroupLimit();
    return limits;
}

MemoryVerdict CheckPictureMemory(std::span<const QSize> layers, int64_t heldBytes,
                                 const MemoryLimits& limits) {
    MemoryVerdict verdict;
    verdict.need = PictureMemoryNeed(layers);
    const int64_t lowest = limits.Lowest();
    if (lowest < 0) {
        return verdict;
    }
    verdict.available = lowest + std::max<int64_t>(0, heldBytes);
    verdict.fits = verdict.need <= verdict.available;
    return verdict;
}

QString MemoryRefusalMessage(const QString& refusal, const MemoryVerdict& verdict) {
    return refusal +
           QStringLiteral("\nIt needs about %1 of memory; %2 are available.")
               .arg(Amount(verdict.need), Amount(std::max<int64_t>(0, verdict.available)));
}
