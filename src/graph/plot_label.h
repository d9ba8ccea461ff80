#pragma once

#include <string>

namespace tally {

// A range value as the plot window prints it. Values from 0.1 to 999 in magnitude, and 0,
// take at most two decimals ("12.5", "0.25", "999"); all others are written with an
// exponent: one integer digit, at most two decimals, and a sign on the exponent only when
// it is negative ("1.23E3", "5E-2").
std::string formatPlotLabel(double value);

// The same for a value known only to within `resolution`: a smaller magnitude prints as 0
// (such as the 1E-100 that stands in for 0 where an expression is evaluated at 0, or the
// value half a pixel off an axis).
std::string formatPlotValue(double value, double resolution);

}  // namespace tally
