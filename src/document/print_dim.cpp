#include "document/print_dim.h"

#include <cmath>

#include "engine/engine.h"
#include "engine/format_number.h"
#include "units/prefix_table.h"

namespace tally {

namespace {

void appendPart(std::u16string& text, const BaseUnit& unit, double exponent) {
    text += prefixForScale(unit.scale);
    text += unit.symbol;
    if (exponent != 1) {
        text += u'^';
        text += formatNumber(std::round(exponent * 1000) / 1000);
    }
}

// Room for the longest number and the brackets around a unit.
constexpr std::size_t kNumberRoom = 26;

double exponentOf(const DimensionVector& dimension, std::size_t i) {
    return i < dimension.size() ? dimension[i] : 0;
}

}  // namespace

std::u16string unitText(const DimensionVector& dimension, const std::vector<BaseUnit>& baseUnits) {
    // Written into one text: the numerator's parts, then "/" and the denominator's.
    int numeratorParts = 0;
    int denominatorParts = 0;
    for (std::size_t i = 0; i < baseUnits.size(); ++i) {
        double e = exponentOf(dimension, i);
        numeratorParts += e > 0;
        denominatorParts += e < 0;
    }
    std::u16string text;
    for (std::size_t i = 0; i < baseUnits.size(); ++i) {
        double e = exponentOf(dimension, i);
        if (e <= 0) continue;
        if (!text.empty()) text += u'·';
        appendPart(text, baseUnits[i], e);
    }
    if (denominatorParts == 0) return text;
    if (numeratorParts == 0) text += u'1';
    text += u'/';
    if (denominatorParts > 1) text += u'(';
    bool first = true;
    for (std::size_t i = 0; i < baseUnits.size(); ++i) {
        double e = exponentOf(dimension, i);
        if (e >= 0) continue;
        if (!first) text += u'·';
        first = false;
        appendPart(text, baseUnits[i], -e);
    }
    if (denominatorParts > 1) text += u')';
    return text;
}

void appendDim(std::u16string& text, const Engine& engine, const Quantity& quantity, DimStyle style,
               const CompoundUnitTable& compoundUnits) {
    double value = quantity.value;
    if (!engine.settings().useDimensions || isDimensionless(quantity.dimension)) {
        appendNumber(text, value);
        return;
    }
    const std::vector<BaseUnit>& baseUnits = engine.units().baseUnits();
    std::u16string unit = unitText(quantity.dimension, baseUnits);
    if (unit.empty()) {
        appendNumber(text, value);
        return;
    }
    // A base unit with a scale but no prefix for it (a user's base unit, "pi") is printed
    // as itself, so the number is counted in that unit.
    for (std::size_t i = 0; i < baseUnits.size(); ++i) {
        const BaseUnit& base = baseUnits[i];
        double e = exponentOf(quantity.dimension, i);
        if (e != 0 && base.scale != 1 && base.scale > 0 && prefixForScale(base.scale).empty()) {
            value /= std::pow(base.scale, e);
        }
    }
    if (style == DimStyle::BaseUnits) {
        if (std::fabs(value - 1) > 1e-10) {
            appendNumber(text, value);
            text += u'·';
        }
        text += unit;
        return;
    }
    double factor = 1;
    std::u16string_view shown = unit;
    if (const ResultDimension* row = compoundUnits.rowNaming(unit, factor)) {
        shown = row->name;
        value /= factor;
    }
    text.reserve(text.size() + kNumberRoom + shown.size());
    appendNumber(text, value);
    text += u'[';
    text += shown;
    text += u']';
}

std::u16string printDim(const Engine& engine, const Quantity& quantity, DimStyle style,
                        const CompoundUnitTable& compoundUnits) {
    std::u16string text;
    appendDim(text, engine, quantity, style, compoundUnits);
    return text;
}

}  // namespace tally
