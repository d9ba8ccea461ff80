#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/dimension.h"
#include "engine/format_number.h"
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

// How a dimension is written in the document's style: the unit shown in brackets (empty for
// a plain number) and what the value is divided by, in turn, to be counted in it.
struct DimensionNaming {
    std::u16string shown;
    std::vector<double> divisors;
};

// Writes results in the document's style as appendDim does, remembering how each dimension
// it met is named until units are registered, a base unit opens or the compound units
// change: results repeat a few units, and naming one searches the compound units.
class ResultPrinter {
  public:
    void append(std::u16string& text, const Engine& engine, const Quantity& quantity,
                const CompoundUnitTable& compoundUnits) {
        // A plain number, the commonest result, has no unit to look up.
        if (quantity.dimension.empty()) {
            appendNumber(text, quantity.value);
            return;
        }
        appendQuantity(text, engine, quantity, compoundUnits);
    }

  private:
    void appendQuantity(std::u16string& text, const Engine& engine, const Quantity& quantity,
                        const CompoundUnitTable& compoundUnits);

    struct Slot {
        bool filled = false;
        DimensionVector dimension;
        std::uint64_t unitsGeneration = 0;
        std::size_t baseUnitCount = 0;
        std::uint64_t compoundRevision = 0;
        DimensionNaming naming;
    };
    std::array<Slot, 64> m_slots;
};

}  // namespace tally
