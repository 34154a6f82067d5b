#include "support/LimitedChild.h"

#include <sys/resource.h>

#include <QCoreApplication>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace {

constexpr char kScenarioOption[] = "--limited-child=";
constexpr char kHeadroomOption[] = "--limited-headroom=";

std::map<std::string, ChildWork>& Scenarios() {
    static std::map<std::string, ChildWork> scenarios;
    return scenarios;
}

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

}  // namespace

ChildScenario::ChildScenario(const char* name, ChildWork work) {
    Scenarios()[name] = std::move(work);
}

int64_t AddressSpaceInUse() {
    return StatusBytes("VmSize:");
}

int64_t PeakAddressSpace() {
    return StatusBytes("VmPeak:");
}

ChildResult RunInLimitedChild(int64_t headroom, const char* scenario, const QStringList& args) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                QStringList{QString::fromLatin1(kScenarioOption) + QString::fromLatin1(scenario),
                            QString::fromLatin1(kHeadroomOption) + QString::number(headroom)} +
                    args);
    ChildResult result;
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        return result;
    }
    const QByteArray out = child.readAllStandardOutput();
    const qsizetype newline = out.indexOf('\n');
    if (newline < 0) {
        return result;
    }
    result.ended = true;
    result.grownBytes = out.left(newline).toLongLong();
    result.text = out.mid(newline + 1).toStdString();
    return result;
}

std::optional<int> RunChildScenarioIfAsked(int argc, char** argv) {
    if (argc < 3 || std::strncmp(argv[1], kScenarioOption, std::strlen(kScenarioOption)) != 0 ||
        std::strncmp(argv[2], kHeadroomOption, std::strlen(kHeadroomOption)) != 0) {
        return std::nullopt;
    }
    const auto found = Scenarios().find(argv[1] + std::strlen(kScenarioOption));
    if (found == Scenarios().end()) {
        std::fprintf(stderr, "no scenario %s\n", argv[1]);
        return 2;
    }
    QStringList args;
    for (int i = 3; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    const int64_t start = AddressSpaceInUse(), peakBefore = PeakAddressSpace();
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = rlim_t(start + std::atoll(argv[2] + std::strlen(kHeadroomOption)));
    setrlimit(RLIMIT_AS, &limit);
    std::string text;
    try {
        text = found->second(args);
    } catch (...) {
        return 1;  // an allocation that failed
    }
    const int64_t peak = PeakAddressSpace();
    const int64_t grown = peak > peakBefore ? peak - start : 0;
    std::printf("%lld\n%s", static_cast<long long>(grown), text.c_str());
    std::fflush(stdout);
    return 0;
}
