#pragma once

#include <numbers>

namespace tally {

// The values of the names pi and e, and the factor of the degree mode: the nearest doubles.
inline constexpr double kPi = std::numbers::pi;
inline constexpr double kE = std::numbers::e;

}  // namespace tally
