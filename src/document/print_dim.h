#pragma once

#include <string>
#include <vector>

namespace tally {

class Engine;

// A named result dimension of the user: a definition such as "1000*м^2" or a plain unit
// text; enabled entries replace matching unit texts when results are written.
struct ResultDimension {
    std::u16string name;
    std::u16string definition;
    bool enabled = true;
};

// The unit text of the last result's dimension, base units in table order ("м^2",
// "м/с", "1/(м·с)"); empty for a dimensionless result.
std::u16string unitText(const Engine& engine);

// The result with its unit. Mode 0 (the document): "6[м^2]", with the user's result
// dimensions searched from the last; mode 1: "6·м^2".
std::u16string printDim(const Engine& engine, double value, int mode,
                        const std::vector<ResultDimension>& resultDimensions);

}  // namespace tally
