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

// Splits "factor*rest" or "factor·rest" when the factor is a numeric literal.
bool splitFactor(std::u16string_view definition, double& factor, std::u16string_view& rest) {
    std::size_t at = definition.find_first_of(u"*·");
    if (at == std::u16string_view::npos || at == 0) return false;
    // A literal starts with a digit, a point or a base mark; names never do.
    char16_t first = definition.front();
    if (!(first >= u'0' && first <= u'9') && first != u'.' && first != u'#' && first != u'&') {
        return false;
    }
    std::optional<double> number = numericLiteralValue(definition.substr(0, at));
    if (!number || *number == 0) return false;
    factor = *number;
    rest = definition.substr(at + 1);
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
    if (!engine.settings().useDimensions) return formatNumber(value);
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
        if (!it->enabled) continue;
        double factor = 1;
        std::u16string_view rest = it->definition;
        if (!splitFactor(it->definition, factor, rest)) rest = it->definition;
        if (rest == unit) {
            unit = it->name;
            value /= factor;
            break;
        }
    }
    return formatNumber(value) + u"[" + unit + u"]";
}

}  // namespace tally
