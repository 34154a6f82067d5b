#pragma once

#include <QSize>
#include <QString>
#include <cstdint>
#include <span>

// How much memory a picture takes while it is edited, and whether this machine has that much.
// Every path that makes a picture (Open of every format, the layered file, New, Paste, the
// commands that change the picture's size) asks CheckPictureMemory before it allocates, so
// that a picture too large for the machine is refused with a message instead of driving the
// machine into swap or the kernel's out-of-memory killer, which would take every open picture
// with it.

// The bytes of pixels a picture of layers of these sizes holds at its peak, 4 bytes a pixel:
//   every layer;
//   the two layer caches, each the largest width by the largest height (a 32768 x 1 and a
//     1 x 32768 layer make two caches of 32768 x 32768);
//   a save: the picture composed at the cache size and the encoder's copy of it;
//   one undo copy of the largest layer.
// Sizes that are not positive count as nothing.
int64_t PictureMemoryNeed(std::span<const QSize> layers);

// What this process may still allocate, by each bound the system sets; -1 where it sets none.
struct MemoryLimits {
    int64_t available = -1;     // MemAvailable of /proc/meminfo: memory free without swapping
    int64_t addressSpace = -1;  // RLIMIT_AS less the address space already mapped (VmSize)
    int64_t data = -1;          // RLIMIT_DATA less the data already mapped (VmData)
    int64_t cgroup = -1;        // the cgroup's memory limit less what it uses now
    // The lowest of the bounds; -1 when none is known.
    int64_t Lowest() const;
};

// The bounds of this machine and this process as they are now.
MemoryLimits ReadMemoryLimits();

struct MemoryVerdict {
    bool fits = true;
    int64_t need = 0;        // PictureMemoryNeed of the picture asked about
    int64_t available = -1;  // what may be allocated, with the memory the caller gives back
};

// Whether a picture of these layers fits: its need is at most the lowest bound plus heldBytes,
// the pixel memory the caller holds now and gives back or reuses for the new picture (a
// document that grows counts its own layers and caches). Without any known bound it fits.
MemoryVerdict CheckPictureMemory(std::span<const QSize> layers, int64_t heldBytes = 0,
                                 const MemoryLimits& limits = ReadMemoryLimits());

// A refusal for the user followed by the figures on a line of their own: "The picture is too
// large to be opened." and "It needs about 12.0 GB of memory; 512 MB are available."
QString MemoryRefusalMessage(const QString& refusal, const MemoryVerdict& verdict);
