#include "session/unit_dimension.h"

#include "document/print_dim.h"
#include "engine/engine.h"
#include "lang/blanks.h"

namespace tally {

std::optional<std::u16string> unitInBaseUnits(Engine& engine, std::u16string_view unit) {
    // The text goes inside one bracket; a bracket of its own would close it and let the
    // rest be evaluated as a calculation.
    if (unit.find_first_of(u"[]") != std::u16string_view::npos) return std::nullopt;
    bool usedDimensions = engine.settings().useDimensions;
    engine.setUseDimensions(true);
    ExpressionResult one = engine.evaluateExpression(u"1[" + withoutBlanks(unit) + u"]");
    std::optional<std::u16string> text;
    if (one.ok()) text = printDim(engine, one.result, DimStyle::BaseUnits, CompoundUnitTable());
    engine.setUseDimensions(usedDimensions);
    return text;
}

}  // namespace tally
