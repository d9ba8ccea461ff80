#pragma once

namespace tally {

// The values of the names pi and e, and the factor of the degree mode.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kE = 2.71828182845905;

}  // namespace tally
