#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Runs work that must not allocate much in a forked child whose address space may grow by at
// most headroom bytes beyond what it has mapped when it starts (RLIMIT_AS). An accidental
// large allocation then fails in the child (null, or the child's end) instead of taking the
// machine's memory, and the child's peak shows what it reserved.
struct ChildResult {
    bool ended = false;      // the child returned from body and exited normally
    std::string text;        // what body returned
    int64_t grownBytes = 0;  // the child's peak address space (VmPeak) beyond its start
};

ChildResult RunInLimitedChild(int64_t headroom, const std::function<std::string()>& body);

// The address space (VmSize) or the peak of it (VmPeak) of this process, in bytes.
int64_t AddressSpaceInUse();
int64_t PeakAddressSpace();

inline constexpr int64_t kGiB = int64_t(1) << 30;
