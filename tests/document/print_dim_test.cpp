// Results with their unit: the unit text built from the result's exponents, the two
// printing styles and the user's named result dimensions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/print_dim.h"
#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

// A value with exponents in base-unit order: А, кд, г, м, с, моль, К.
Quantity quantity(double value, DimensionVector exponents) {
    return {value, std::move(exponents)};
}

CompoundUnitTable tableOf(std::vector<ResultDimension> rows) {
    CompoundUnitTable table;
    table.setBuiltInRows(std::move(rows));
    return table;
}

TEST(PrintDim, UnitTextFromExponents) {
    const std::pair<DimensionVector, std::u16string_view> cases[] = {
        {{}, u""},
        {{0, 0, 0, 1}, u"м"},
        {{0, 0, 0, 2}, u"м^2"},
        {{0, 0, 0, 1, -1}, u"м/с"},
        {{0, 0, 0, 1, -2}, u"м/с^2"},
        {{0, 0, 0, 2, -2}, u"м^2/с^2"},
        {{0, 0, 0, -1, -1}, u"1/(м·с)"},
        {{0, 0, 0, 0, -1}, u"1/с"},
        {{1, 0, 0, 0, 1}, u"А·с"},
        {{0, 0, 0, 0.5}, u"м^0.5"},
        {{0, 0, 0, 1.0 / 3}, u"м^0.333"},
        {{0, 0, 0, 0, 0, -1, 0}, u"1/моль"},
        {{0, 1, 0, 0, 0, 0, 1}, u"кд·К"},
    };
    for (const auto& [exponents, text] : cases) {
        SCOPED_TRACE(utf8(text));
        EXPECT_EQ(utf8(unitText(exponents, initialBaseUnits())), utf8(text));
    }
}

TEST(PrintDim, Styles) {
    Engine engine;
    const CompoundUnitTable none;
    const DimensionVector area = {0, 0, 0, 2};
    EXPECT_EQ(utf8(printDim(engine, quantity(6, area), DimStyle::Document, none)), "6[м^2]");
    EXPECT_EQ(utf8(printDim(engine, quantity(6, area), DimStyle::BaseUnits, none)), "6·м^2");
    EXPECT_EQ(utf8(printDim(engine, quantity(1, area), DimStyle::BaseUnits, none)), "м^2");
    EXPECT_EQ(utf8(printDim(engine, quantity(1 + 1e-12, area), DimStyle::BaseUnits, none)), "м^2");
    EXPECT_EQ(utf8(printDim(engine, quantity(6, {}), DimStyle::Document, none)), "6");
    EXPECT_EQ(utf8(printDim(engine, quantity(6, {}), DimStyle::BaseUnits, none)), "6");
    engine.setUseDimensions(false);
    EXPECT_EQ(utf8(printDim(engine, quantity(6, area), DimStyle::Document, none)), "6");
}

TEST(PrintDim, ResultDimensionsSearchedFromTheLast) {
    Engine engine;
    struct Case {
        std::vector<ResultDimension> dimensions;
        std::u16string_view text;
    };
    const Case cases[] = {
        {{{u"га", u"10000*м^2", true}}, u"2[га]"},
        {{{u"ар", u"100·м^2", true}}, u"200[ар]"},
        {{{u"кв", u"м^2", true}}, u"20000[кв]"},
        {{{u"га", u"10000*м^2", false}}, u"20000[м^2]"},
        {{{u"га", u"10000*м^3", true}}, u"20000[м^2]"},
        {{{u"ар", u"100*м^2", true}, {u"га", u"10000*м^2", true}}, u"2[га]"},
        {{{u"ар", u"100*м^2", true}, {u"га", u"10000*м^2", false}}, u"200[ар]"},
        // An unreadable factor counts as none: the whole definition is compared.
        {{{u"x", u"1e*м^2", true}}, u"20000[м^2]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(utf8(printDim(engine, quantity(20000, {0, 0, 0, 2}), DimStyle::Document,
                                tableOf(c.dimensions))),
                  utf8(c.text));
    }
}

// The table remembers which row named a unit; every change of its rows must be seen by the
// next result, whichever way the rows were changed.
TEST(PrintDim, ChangedRowsAreSeenByTheNextResult) {
    Engine engine;
    CompoundUnitTable table = tableOf({{u"ар", u"100*м^2", true}});
    auto print = [&] {
        return utf8(printDim(engine, quantity(20000, {0, 0, 0, 2}), DimStyle::Document, table));
    };
    EXPECT_EQ(print(), "200[ар]");
    table.addUserRow({u"га", u"10000*м^2", true});
    EXPECT_EQ(print(), "2[га]");
    table.userRows()[0].enabled = false;
    EXPECT_EQ(print(), "200[ар]");
    table.builtInRows()[0].definition = u"м^3";
    EXPECT_EQ(print(), "20000[м^2]");
    table.rows().back().enabled = true;
    EXPECT_EQ(print(), "2[га]");
    table.clearUserRows();
    EXPECT_EQ(print(), "20000[м^2]");
    table.setBuiltInRows({{u"кв", u"м^2", true}});
    EXPECT_EQ(print(), "20000[кв]");
}

// A base unit whose scale is not 1 prints with the prefix that undoes it: results in grams'
// base unit are kilograms.
TEST(PrintDim, ScaledBaseUnitsCarryTheirPrefix) {
    struct Case {
        double massScale;
        DimensionVector exponents;
        std::u16string_view text;
    };
    const Case cases[] = {
        {0.001, {0, 0, 1}, u"кг"},
        {0.0010000000000000002, {0, 0, 1}, u"кг"},  // as "0.001" reads from a definition
        {0.001, {0, 0, 1, -3}, u"кг/м^3"},
        {0.001, {0, 0, -2, 0, 1}, u"с/кг^2"},
        {1e-6, {0, 0, 1}, u"Мг"},
        {1e3, {0, 0, 1}, u"мг"},
        {1, {0, 0, 1}, u"г"},
        {0.45359237, {0, 0, 1}, u"г"},  // no prefix has that factor
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        std::vector<BaseUnit> baseUnits = initialBaseUnits();
        baseUnits[2].scale = c.massScale;
        EXPECT_EQ(utf8(unitText(c.exponents, baseUnits)), utf8(c.text));
    }
}

}  // namespace
}  // namespace tally
