#include "document/print_dim.h"

#include <bit>
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

namespace {

// Whether a base unit's scale has no prefix to undo it (a user's base unit, "pi"): the
// number is then counted in that unit.
bool countedInItsOwnUnit(const BaseUnit& base) {
    return base.scale != 1 && base.scale > 0 && prefixForScale(base.scale).empty();
}

// Calls `visit` with what the value is divided by, in turn, for each base unit of the
// dimension that is counted in its own unit.
template <class Visit>
void forEachOwnUnitDivisor(const DimensionVector& dimension, const std::vector<BaseUnit>& baseUnits,
                           Visit&& visit) {
    for (std::size_t i = 0; i < baseUnits.size(); ++i) {
        double e = exponentOf(dimension, i);
        if (e != 0 && countedInItsOwnUnit(baseUnits[i])) visit(std::pow(baseUnits[i].scale, e));
    }
}

// The value as the unit names it: divided in turn by each base unit counted in its own
// unit, then by the factor of the compound unit that names it.
void nameDimension(const DimensionVector& dimension, const std::vector<BaseUnit>& baseUnits,
                   const CompoundUnitTable& compoundUnits, DimensionNaming& naming) {
    naming.divisors.clear();
    naming.shown = unitText(dimension, baseUnits);
    if (naming.shown.empty()) return;
    forEachOwnUnitDivisor(dimension, baseUnits,
                          [&](double divisor) { naming.divisors.push_back(divisor); });
    double factor = 1;
    if (const ResultDimension* row = compoundUnits.rowNaming(naming.shown, factor)) {
        naming.shown = row->name;
        naming.divisors.push_back(factor);
    }
}

void appendNamed(std::u16string& text, double value, const DimensionNaming& naming) {
    if (naming.shown.empty()) {
        appendNumber(text, value);
        return;
    }
    for (double divisor : naming.divisors)
        value /= divisor;
    text.reserve(text.size() + kNumberRoom + naming.shown.size());
    appendNumber(text, value);
    text += u'[';
    text += naming.shown;
    text += u']';
}

void appendInBaseUnits(std::u16string& text, const Engine& engine, const Quantity& quantity) {
    double value = quantity.value;
    const std::vector<BaseUnit>& baseUnits = engine.units().baseUnits();
    std::u16string unit = unitText(quantity.dimension, baseUnits);
    if (unit.empty()) {
        appendNumber(text, value);
        return;
    }
    forEachOwnUnitDivisor(quantity.dimension, baseUnits, [&](double divisor) { value /= divisor; });
    if (std::fabs(value - 1) > 1e-10) {
        appendNumber(text, value);
        text += u'·';
    }
    text += unit;
}

bool printsAsNumber(const Engine& engine, const Quantity& quantity) {
    return !engine.settings().useDimensions || isDimensionless(quantity.dimension);
}

}  // namespace

void appendDim(std::u16string& text, const Engine& engine, const Quantity& quantity, DimStyle style,
               const CompoundUnitTable& compoundUnits) {
    if (printsAsNumber(engine, quantity)) {
        appendNumber(text, quantity.value);
    } else if (style == DimStyle::BaseUnits) {
        appendInBaseUnits(text, engine, quantity);
    } else {
        DimensionNaming naming;
        nameDimension(quantity.dimension, engine.units().baseUnits(), compoundUnits, naming);
        appendNamed(text, quantity.value, naming);
    }
}

void ResultPrinter::appendQuantity(std::u16string& text, const Engine& engine,
                                   const Quantity& quantity,
                                   const CompoundUnitTable& compoundUnits) {
    if (printsAsNumber(engine, quantity)) {
        appendNumber(text, quantity.value);
        return;
    }
    const UnitTable& units = engine.units();
    const DimensionVector& dimension = quantity.dimension;
    std::uint64_t hash = dimension.size();
    for (double e : dimension)
        hash = hash * 0x100000001B3ULL ^ std::bit_cast<std::uint64_t>(e);
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    Slot& slot = m_slots[hash % m_slots.size()];
    if (!slot.filled || slot.unitsGeneration != units.generation() ||
        slot.baseUnitCount != units.baseUnits().size() ||
        slot.compoundRevision != compoundUnits.revision() || !(slot.dimension == dimension)) {
        nameDimension(dimension, units.baseUnits(), compoundUnits, slot.naming);
        slot.filled = true;
        slot.dimension = dimension;
        slot.unitsGeneration = units.generation();
        slot.baseUnitCount = units.baseUnits().size();
        slot.compoundRevision = compoundUnits.revision();
    }
    appendNamed(text, quantity.value, slot.naming);
}

std::u16string printDim(const Engine& engine, const Quantity& quantity, DimStyle style,
                        const CompoundUnitTable& compoundUnits) {
    std::u16string text;
    appendDim(text, engine, quantity, style, compoundUnits);
    return text;
}

}  // namespace tally
