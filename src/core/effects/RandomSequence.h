#pragma once

#include <cstdint>

// The program's one sequence of uniform random numbers 0..32767, with the contract of the C
// library's rand(): a run that starts from the same state draws the same numbers, and a new
// sequence starts from state 1 as an unstarted rand() does. The step is the C standard's
// portable generator: state = state * 1103515245 + 12345 (mod 2^32), value = bits 16..30.
//
// Effects whose result depends on the order of the draws take the sequence as a parameter;
// Jump lets them visit pixels row by row while handing each pixel the draw that the effect's
// column-by-column order would give it.
class CRandomSequence {
public:
    static constexpr int kMaxValue = 32767;
    static constexpr uint32_t kMultiplier = 1103515245u;
    static constexpr uint32_t kIncrement = 12345u;

    // The state after n draws is a * state + c (mod 2^32).
    struct Jump {
        uint32_t a = 1, c = 0;
        uint32_t Apply(uint32_t state) const { return a * state + c; }
    };

    explicit CRandomSequence(uint32_t state = 1) : m_uState(state) {}

    // The next value, 0..32767.
    int Next() {
        m_uState = Step(m_uState);
        return ValueOf(m_uState);
    }
    // Draws n values without looking at them.
    void Skip(uint64_t n) { m_uState = JumpOf(n).Apply(m_uState); }

    uint32_t State() const { return m_uState; }
    void SetState(uint32_t state) { m_uState = state; }

    static uint32_t Step(uint32_t state) { return state * kMultiplier + kIncrement; }
    // The value drawn by the step that produced state.
    static int ValueOf(uint32_t state) { return int((state >> 16) & 0x7FFF); }
    static Jump JumpOf(uint64_t n);

private:
    uint32_t m_uState;
};
