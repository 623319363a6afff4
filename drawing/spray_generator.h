#pragma once

#include <cstdint>

namespace kreslix {

// The spray's pseudo-random generator: a 32-bit linear congruential state that starts at 0 and
// is never seeded, so the spray's dots repeat from the same start in every run.
class SprayGenerator {
public:
    // state ← state × 134775813 + 1 (mod 2^32); gives the upper 32 bits of state × n, that is
    // 0 .. n−1 for n ≥ 1 and 0 for n = 0.
    std::uint32_t draw(std::uint32_t n) {
        state_ = state_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((std::uint64_t{state_} * n) >> 32);
    }

    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 0;
};

// The one generator of the process; nothing but the spray draws from it.
SprayGenerator& processSprayGenerator();

}  // namespace kreslix
