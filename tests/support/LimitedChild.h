#pragma once

#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Runs work that must not allocate much in a child process whose address space may grow by at
// most headroom bytes beyond what it has mapped when the work starts (RLIMIT_AS). An
// accidental large allocation then fails in the child (null, or the child's end) instead of
// taking the machine's memory, and the child's peak shows what it reserved.
//
// The child is the test program itself started afresh (not a fork, which would inherit a
// thread pool without its threads), asked by its arguments to run one scenario registered
// under a name:
//     const ChildScenario kOpen("open", [](const QStringList& args) { ...; return text; });
//     const ChildResult r = RunInLimitedChild(2 * kGiB, "open", {path});

using ChildWork = std::function<std::string(const QStringList& args)>;

// Registers work under name while the program starts (a namespace-scope object).
class ChildScenario {
public:
    ChildScenario(const char* name, ChildWork work);
};

struct ChildResult {
    bool ended = false;      // the child ran the work and exited normally
    std::string text;        // what the work returned
    int64_t grownBytes = 0;  // the child's peak address space (VmPeak) beyond its start
};

ChildResult RunInLimitedChild(int64_t headroom, const char* scenario, const QStringList& args = {});

// For the test program's main: when the arguments ask for a scenario, runs it and gives the
// exit status; otherwise nothing.
std::optional<int> RunChildScenarioIfAsked(int argc, char** argv);

// The address space (VmSize) or the peak of it (VmPeak) of this process, in bytes.
int64_t AddressSpaceInUse();
int64_t PeakAddressSpace();

inline constexpr int64_t kGiB = int64_t(1) << 30;
