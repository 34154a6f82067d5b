#include "effects/RandomSequence.h"

CRandomSequence::Jump CRandomSequence::JumpOf(uint64_t n) {
    // Square-and-multiply on the affine step: composing x -> a1 x + c1 after x -> a0 x + c0
    // gives a1 a0 x + (a1 c0 + c1).
    Jump result;
    Jump power{kMultiplier, kIncrement};
    while (n != 0) {
        if (n & 1) {
            result = {power.a * result.a, power.a * result.c + power.c};
        }
        power = {power.a * power.a, power.a * power.c + power.c};
        n >>= 1;
    }
    return result;
}
