#pragma once

#include <cstdint>

namespace tally {

// The pseudo-random sequence of Rand: single-precision numbers in [0, 1) from a 24-bit
// linear congruential generator, seeded once from the clock at first use. A control
// argument below zero restarts a sequence determined by that argument, zero repeats the
// last number, above zero (or none) gives the next one.
class RandomGenerator {
  public:
    float next(double control);
    float next() { return next(1); }

  private:
    void seedFromClock();
    float advance();

    std::uint32_t m_state = 0;
    float m_last = 0;
    bool m_seeded = false;
};

}  // namespace tally
