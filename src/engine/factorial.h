#pragma once

#include <cmath>
#include <optional>

namespace tally {

// 1·2·…·k for the largest integer k not above x, multiplied in that order; 1 for x <= 1.
// Empty when the product leaves the double range (past 170!).
inline std::optional<double> factorialOf(double x) {
    double product = 1;
    for (double k = 2; k <= x; ++k) {
        product *= k;
        if (!std::isfinite(product)) return std::nullopt;
    }
    return product;
}

}  // namespace tally
