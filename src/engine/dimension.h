#pragma once

#include <string>
#include <vector>

namespace tally {

// Exponents over the base units, in the order of the base-unit list. An empty vector, or
// one of zeros, is dimensionless; vectors are grown to the base-unit count on demand.
using DimensionVector = std::vector<double>;

bool isDimensionless(const DimensionVector& dimension);
// Whether two dimensions agree exponent by exponent (missing exponents count as 0).
bool sameDimension(const DimensionVector& a, const DimensionVector& b);
// a := a + factor * b, exponent by exponent.
void addScaled(DimensionVector& a, const DimensionVector& b, double factor);
void scaleExponents(DimensionVector& a, double factor);

struct BaseUnit {
    std::u16string symbol;
    double scale = 1;  // value of the unit's own definition, re-read every line
};

// The seven base units at start-up, in table order.
std::vector<BaseUnit> initialBaseUnits();

}  // namespace tally
