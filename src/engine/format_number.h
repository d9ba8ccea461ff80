#pragma once

#include <string>

namespace tally {

// A number as the program writes it: up to 15 significant digits, "." as the decimal
// point, scientific notation ("1E+20", "1.5E-07") for very large and very small magnitudes.
std::u16string formatNumber(double value);
// The same written at the end of `text`.
void appendNumber(std::u16string& text, double value);

}  // namespace tally
