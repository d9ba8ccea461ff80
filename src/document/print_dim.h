#pragma once

#include <string>
#include <vector>

#include "engine/dimension.h"
#include "engine/line_result.h"
#include "units/compound_unit_table.h"

namespace tally {

class Engine;

// The unit text of a dimension, base units in table order ("м^2", "м/с", "1/(м·с)"); a
// base unit whose scale is not 1 carries the prefix that undoes it (the gram, scale 0.001,
// prints as "кг"). Empty for a dimensionless result.
std::u16string unitText(const DimensionVector& dimension, const std::vector<BaseUnit>& baseUnits);

enum class DimStyle {
    Document,   // "6[м^2]", named by the in-use compound units searched from the last row
    BaseUnits,  // "6·м^2"
};

// A result with its unit.
std::u16string printDim(const Engine& engine, const Quantity& quantity, DimStyle style,
                        const CompoundUnitTable& compoundUnits);
// The same written at the end of `text`.
void appendDim(std::u16string& text, const Engine& engine, const Quantity& quantity, DimStyle style,
               const CompoundUnitTable& compoundUnits);

}  // namespace tally
