// Quantities with dimensions: the dimension rules of the binary operators, dimensions
// carried out of nested evaluations, and units in square brackets resolved through
// registered unit records.

#include <gtest/gtest.h>

#include <string>

#include "engine/constants.h"
#include "engine/dimension.h"
#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

// Base units in table order: А, кд, г, м, с, моль, К.
constexpr std::size_t kMetre = 3;
constexpr std::size_t kSecond = 4;

double exponent(const DimensionVector& d, std::size_t i) {
    return i < d.size() ? d[i] : 0;
}

struct UnitLineCase {
    std::u16string_view line;
    double value;
    double metres;
    double seconds;
    std::u16string_view error;
};

void expectUnitLines(Engine& engine, std::initializer_list<UnitLineCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        LineResult result = engine.evaluateLine(c.line);
        EXPECT_EQ(utf8(result.syntaxMessage), "");
        EXPECT_EQ(utf8(errorText(result.error)), utf8(c.error));
        EXPECT_DOUBLE_EQ(result.result.value, c.value);
        EXPECT_DOUBLE_EQ(exponent(result.result.dimension, kMetre), c.metres);
        EXPECT_DOUBLE_EQ(exponent(result.result.dimension, kSecond), c.seconds);
    }
}

class Quantities : public ::testing::Test {
  protected:
    void SetUp() override {
        engine.defineUnit(u"м", u"1");
        engine.defineUnit(u"с", u"1");
    }
    Engine engine;
};

constexpr std::u16string_view kMismatch = u"Несоответствие в размерностях";

TEST_F(Quantities, BinaryOperatorsCombineDimensions) {
    expectUnitLines(engine, {
                                {u"2[м]+3[с]", 5, 1, 0, kMismatch},
                                {u"2[м]+3", 5, 1, 0, u""},
                                {u"3+2[м]", 5, 1, 0, u""},
                                {u"2[м]-2[м]", 0, 1, 0, u""},
                                {u"2[м]*3[м]", 6, 2, 0, u""},
                                {u"6[м]*1[м]/2[м]", 3, 1, 0, u""},
                                {u"2[м]/4[с]", 0.5, 1, -1, u""},
                                {u"4[м]*1[м]^0.5", 4, 1.5, 0, u""},
                                // Only the value of the exponent scales the exponents.
                                {u"2[м]^(3[с])", 8, 3, 0, u""},
                                {u"7[м]\\2[с]", 3, 1, -1, u""},
                                {u"7[м]:2[с]", 1, 1, 0, kMismatch},
                                {u"7[м]:2", 1, 1, 0, u""},
                                // A fault discards the right operand and leaves the left one.
                                {u"1[м]/0", 1, 1, 0, u"Переполнение"},
                                {u"(0-8)[м]^(1/3)", -8, 1, 0, u"Переполнение"},
                            });
}

// The dimension of a nested evaluation's result goes to the value it returns, and only to
// that one. Parameters carry values only.
TEST_F(Quantities, NestedResultsCarryTheirDimension) {
    ASSERT_TRUE(engine.defineUserFunction(u"area", {u"a"}, parameterName(1) + u"*1[м^2]"));
    expectUnitLines(engine, {
                                {u"area(3)", 3, 2, 0, u""},
                                {u"area(3)*2", 6, 2, 0, u""},
                                {u"2*area(3)/4[с]", 1.5, 2, -1, u""},
                                {u"area(1[с])", 1, 2, 0, u""},
                                {u"area(1)+1[с]", 2, 2, 0, kMismatch},
                            });
}

TEST_F(Quantities, UnitsInBrackets) {
    expectUnitLines(engine, {
                                {u"0[м]", 0, 1, 0, u""},
                                {u"5[м/с^2]", 5, 1, -2, u""},
                                {u"(4[м^2])^0.5", 2, 1, 0, u""},
                                {u"2^3[м]", 8, 1, 0, u""},
                                {u"Sqrt(9[м^2])", 3, 1, 0, u""},
                                {u"Root(8[м^3],3)", 2, 1, 0, u""},
                                {u"Abs(-3[м])", 3, 1, 0, u""},
                                {u"|-2[м]|", 2, 1, 0, u""},
                                {u"Sin(0[м])", 0, 1, 0, u""},
                                {u"5[pi]", 5 * kPi, 0, 0, u""},
                                // A failed call keeps the last answer, without a dimension.
                                {u"Ln(0[м])", 5 * kPi, 0, 0, u"Недопустимый аргумент"},
                            });
}

TEST_F(Quantities, WithoutDimensionsUnitsArePlainFactors) {
    engine.setUseDimensions(false);
    test::expectValue(engine, u"2[м]+3[с]", 5);
    test::expectValue(engine, u"2[pi]", 2 * kPi);
    EXPECT_TRUE(isDimensionless(engine.evaluateLine(u"2[м]*3[м]").result.dimension));
}

// Exponents are held in place up to a count and in room of their own beyond it; growing,
// shrinking and combining must keep every exponent whichever side of that count it is on.
TEST(DimensionVectors, KeepTheirExponentsAcrossTheRoomHeldInPlace) {
    const std::size_t sizes[] = {0, 3, DimensionVector::kHeldInPlace,
                                 DimensionVector::kHeldInPlace + 1,
                                 3 * DimensionVector::kHeldInPlace};
    for (std::size_t first : sizes) {
        for (std::size_t second : sizes) {
            SCOPED_TRACE(std::to_string(first) + " then " + std::to_string(second));
            DimensionVector d;
            d.resize(first, 2);
            for (std::size_t i = 0; i < first; ++i)
                d[i] = static_cast<double>(i + 1);
            d.resize(second, 7);
            ASSERT_EQ(d.size(), second);
            for (std::size_t i = 0; i < second; ++i)
                EXPECT_EQ(d[i], i < first ? static_cast<double>(i + 1) : 7);
            DimensionVector copy = d;
            EXPECT_TRUE(copy == d);
            addScaled(copy, d, -1);
            EXPECT_TRUE(isDimensionless(copy));
            EXPECT_TRUE(sameDimension(copy, DimensionVector{}));
            d.clear();
            EXPECT_TRUE(d.empty());
            d.resize(2);
            EXPECT_TRUE(d == (DimensionVector{0, 0}));
        }
    }
}

}  // namespace
}  // namespace tally
