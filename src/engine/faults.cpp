#include "engine/faults.h"

#include <limits>

namespace tally {

double Faults::power(double base, double exponent) {
    bool integral = std::trunc(exponent) == exponent;
    if (base < 0 && !integral) {
        m_raised = true;
        return 0;
    }
    if (base == 0 && exponent < 0) {
        m_raised = true;
        return 0;
    }
    return check(std::pow(base, exponent));
}

std::int32_t Faults::roundToInt32(double x) {
    double r = roundHalfEven(x);
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max())) {
        m_raised = true;
        return 0;
    }
    return static_cast<std::int32_t>(r);
}

std::int32_t Faults::truncateToInt32(double x) {
    double r = std::trunc(x);
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max())) {
        m_raised = true;
        return 0;
    }
    return static_cast<std::int32_t>(r);
}

}  // namespace tally
