#pragma once

#include <string>
#include <vector>

#include "units/compound_unit_table.h"

namespace tally {

class Engine;

// The unit text of the last result's dimension, base units in table order ("м^2",
// "м/с", "1/(м·с)"); a base unit whose scale is not 1 carries the prefix that undoes it
// (the gram, scale 0.001, prints as "кг"). Empty for a dimensionless result.
std::u16string unitText(const Engine& engine);

// The result with its unit. Mode 0 (the document): "6[м^2]", with the in-use compound
// units (ResultDimension rows) searched from the last; mode 1: "6·м^2".
std::u16string printDim(const Engine& engine, double value, int mode,
                        const std::vector<ResultDimension>& resultDimensions);

}  // namespace tally
