#include "document/print_dim.h"

#include <cmath>

#include "engine/engine.h"
#include "engine/format_number.h"
#include "lang/recognisers.h"
#include "units/prefix_table.h"

namespace tally {

namespace {

std::u16string part(const BaseUnit& unit, double exponent) {
    std::u16string text(prefixForScale(unit.scale));
    text += unit.symbol;
    if (exponent != 1) {
        text += u'^';
        text += formatNumber(std::round(exponent * 1000) / 1000);
    }
    return text;
}

// Whether a compound unit's expansion names the unit text: it is the text, or a numeric
// literal (not 0) before its first "*" or "·" times the text, and then `factor` is that
// literal. The expansion is compared first; the literal is read only when it may match.
bool expansionNames(std::u16string_view expansion, std::u16string_view unit, double& factor) {
    bool whole = expansion == unit;
    std::size_t restStart = expansion.size() - unit.size();
    bool afterFactor = expansion.size() > unit.size() + 1 && expansion.ends_with(unit) &&
                       (expansion[restStart - 1] == u'*' || expansion[restStart - 1] == u'·');
    if (!whole && !afterFactor) return false;
    std::size_t at = expansion.find_first_of(u"*·");
    // A literal starts with a digit, a point or a base mark; names never do.
    char16_t first = expansion.front();
    bool literalFirst =
        (first >= u'0' && first <= u'9') || first == u'.' || first == u'#' || first == u'&';
    if (at == std::u16string_view::npos || at == 0 || !literalFirst) return whole;
    std::optional<double> number = numericLiteralValue(expansion.substr(0, at));
    if (!number || *number == 0) return whole;
    // The factor splits at the first "*" or "·": the rest after it must be the unit text.
    if (at + 1 != restStart) return false;
    factor = *number;
    return true;
}

double exponentOf(const DimensionVector& dimension, std::size_t i) {
    return i < dimension.size() ? dimension[i] : 0;
}

}  // namespace

std::u16string unitText(const DimensionVector& dimension, const std::vector<BaseUnit>& baseUnits) {
    std::u16string numerator;
    std::u16string denominator;
    int denominatorParts = 0;
    for (std::size_t i = 0; i < baseUnits.size(); ++i) {
        const BaseUnit& unit = baseUnits[i];
        double e = exponentOf(dimension, i);
        if (e > 0) {
            if (!numerator.empty()) numerator += u'·';
            numerator += part(unit, e);
        } else if (e < 0) {
            if (!denominator.empty()) denominator += u'·';
            denominator += part(unit, -e);
            ++denominatorParts;
        }
    }
    if (denominator.empty()) return numerator;
    if (denominatorParts > 1) denominator = u"(" + denominator + u")";
    return (numerator.empty() ? std::u16string(u"1") : numerator) + u"/" + denominator;
}

std::u16string printDim(const Engine& engine, const Quantity& quantity, DimStyle style,
                        const std::vector<ResultDimension>& resultDimensions) {
    double value = quantity.value;
    if (!engine.settings().useDimensions || isDimensionless(quantity.dimension)) {
        return formatNumber(value);
    }
    const std::vector<BaseUnit>& baseUnits = engine.units().baseUnits();
    std::u16string unit = unitText(quantity.dimension, baseUnits);
    if (unit.empty()) return formatNumber(value);
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
        if (std::fabs(value - 1) <= 1e-10) return unit;
        return formatNumber(value) + u"·" + unit;
    }
    for (auto it = resultDimensions.rbegin(); it != resultDimensions.rend(); ++it) {
        double factor = 1;
        if (it->enabled && expansionNames(it->definition, unit, factor)) {
            unit = it->name;
            value /= factor;
            break;
        }
    }
    return formatNumber(value) + u"[" + unit + u"]";
}

}  // namespace tally
