#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

namespace tally {

// Arithmetic that notices its faults (division by zero, overflow, a value outside a
// routine's domain) instead of producing an infinity or a NaN. The first fault is kept;
// the caller reports it in its own words.
class Faults {
  public:
    bool raised() const { return m_raised; }
    void raise() { m_raised = true; }

    double check(double value) {
        if (!std::isfinite(value)) m_raised = true;
        return std::isfinite(value) ? value : 0.0;
    }
    double divide(double a, double b) {
        if (b == 0) {
            m_raised = true;
            return 0;
        }
        return check(a / b);
    }
    double power(double base, double exponent);
    double exp(double x) { return check(std::exp(x)); }
    double log(double x) {
        if (!(x > 0)) {
            m_raised = true;
            return 0;
        }
        return check(std::log(x));
    }
    double sqrt(double x) {
        if (x < 0) {
            m_raised = true;
            return 0;
        }
        return std::sqrt(x);
    }
    // Rounds to the nearest 32-bit integer, halves to the even neighbour.
    std::int32_t roundToInt32(double x);
    // Truncates toward zero to a 32-bit integer.
    std::int32_t truncateToInt32(double x);

  private:
    bool m_raised = false;
};

// Halves go to the even neighbour, as the language's rounding does everywhere.
inline double roundHalfEven(double x) {
    return std::nearbyint(x);
}

}  // namespace tally
