#include "effects/KernelFilters.h"

#include "effects/Convolve.h"

const std::array<int32_t, 9>& KernelOf(KernelFilter filter) {
    static const std::array<int32_t, 9> kernels[] = {
        {0, -1, 0, -1, 5, -1, 0, -1, 0}, {-1, -1, -1, -1, 9, -1, -1, -1, -1},
        {-1, -1, -1, 0, 0, 0, 1, 1, 1},  {-1, 0, 1, -2, 0, 2, -1, 0, 1},
        {0, 1, 0, 1, -4, 1, 0, 1, 0},
    };
    return kernels[int(filter)];
}

void ApplyKernelFilter(Bitmap& target, KernelFilter filter, CProgress* progress) {
    ConvolveBitmap(target, KernelOf(filter).data(), 3, 3, progress);
}
