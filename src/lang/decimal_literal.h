#pragma once

#include <optional>
#include <string_view>

namespace tally {

// The double nearest to a decimal literal (digits, an optional point and fraction, an
// optional exponent "e±digits"), or nothing when it lies outside the range of doubles.
std::optional<double> nearestDouble(std::u16string_view literal);

}  // namespace tally
