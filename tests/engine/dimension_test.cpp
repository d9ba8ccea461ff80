// Quantities on the operand stack: the dimension rules of the binary operators, the end of
// an expression, and units in square brackets resolved through registered unit records.

#include <gtest/gtest.h>

#include <string>

#include "engine/dimension.h"
#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::evaluate;
using test::utf8;

// Base units in table order: А, кд, г, м, с, моль, К.
constexpr std::size_t kMetre = 3;
constexpr std::size_t kSecond = 4;

DimensionVector dim(double metres, double seconds = 0) {
    DimensionVector d(7, 0);
    d[kMetre] = metres;
    d[kSecond] = seconds;
    return d;
}
const DimensionVector kNone;

std::string show(const DimensionVector& d) {
    std::string text = "{";
    for (double e : d)
        text += std::to_string(e) + " ";
    return text + "}";
}

class OperandStackTest : public ::testing::Test {
  protected:
    void SetUp() override { engine.beginStatement(1); }
    void push(double value, const DimensionVector& dimension) {
        engine.pushValue(value);
        engine.operandStack().top().dimension = dimension;
    }
    Engine engine;
};

struct OperatorCase {
    double left;
    DimensionVector leftDim;
    int code;
    double right;
    DimensionVector rightDim;
    double value;
    DimensionVector dimension;
    std::u16string_view error;
};

TEST_F(OperandStackTest, BinaryOperatorsCombineDimensions) {
    const std::u16string_view mismatch = u"Несоответствие в размерностях";
    const OperatorCase cases[] = {
        {2, dim(1), 1, 3, dim(0, 1), 5, dim(1), mismatch},
        {2, dim(1), 1, 3, kNone, 5, dim(1), u""},
        {3, kNone, 1, 2, dim(1), 5, dim(1), u""},
        {2, dim(1), 2, 2, dim(1), 0, dim(1), u""},
        {2, dim(1), 3, 3, dim(1), 6, dim(2), u""},
        {6, dim(2), 4, 2, dim(1), 3, dim(1), u""},
        {2, dim(1), 4, 4, dim(0, 1), 0.5, dim(1, -1), u""},
        {4, dim(2), 5, 0.5, kNone, 2, dim(1), u""},
        // Only the value of the exponent scales the exponents.
        {2, dim(1), 5, 3, dim(0, 1), 8, dim(3), u""},
        {7, dim(1), 6, 2, dim(0, 1), 3, dim(1, -1), u""},
        {7, dim(1), 7, 2, dim(0, 1), 1, dim(1), mismatch},
        {7, dim(1), 7, 2, kNone, 1, dim(1), u""},
        // A fault discards the right operand and leaves the left one as it was.
        {1, dim(1), 4, 0, kNone, 1, dim(1), u"Переполнение"},
        {-8, dim(1), 5, 1.0 / 3, kNone, -8, dim(1), u"Переполнение"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + " op" + std::to_string(c.code) + " " +
                     std::to_string(c.right));
        engine.beginStatement(1);
        engine.clearEngineError();
        push(c.left, c.leftDim);
        push(c.right, c.rightDim);
        engine.applyOperator(c.code);
        ASSERT_EQ(engine.operandStack().height(), 1);
        const OperandLevel& top = engine.operandStack().top();
        EXPECT_DOUBLE_EQ(top.value, c.value);
        EXPECT_TRUE(sameDimension(top.dimension, c.dimension)) << show(top.dimension);
        EXPECT_EQ(utf8(engine.engineError()), utf8(c.error));
    }
}

TEST_F(OperandStackTest, OperatorNeedsTwoLevels) {
    push(5, dim(1));
    engine.applyOperator(1);
    ASSERT_EQ(engine.operandStack().height(), 1);
    EXPECT_DOUBLE_EQ(engine.operandStack().top().value, 5);
    EXPECT_EQ(utf8(engine.engineError()), "");
}

TEST_F(OperandStackTest, WithoutDimensionsNothingIsChecked) {
    engine.setUseDimensions(false);
    push(2, dim(1));
    push(3, dim(0, 1));
    engine.applyOperator(1);
    EXPECT_DOUBLE_EQ(engine.operandStack().top().value, 5);
    EXPECT_EQ(utf8(engine.engineError()), "");
}

// The end of an expression records the result's exponents and hands its dimension to the
// next value pushed, once.
TEST_F(OperandStackTest, EndExpressionCarriesTheDimension) {
    push(0, dim(2, -1));
    EXPECT_DOUBLE_EQ(engine.endExpression(), 0);
    EXPECT_EQ(engine.operandStack().height(), 0);
    EXPECT_DOUBLE_EQ(engine.baseUnits()[kMetre].resultExponent, 2);
    EXPECT_DOUBLE_EQ(engine.baseUnits()[kSecond].resultExponent, -1);
    engine.pushValue(7);
    EXPECT_TRUE(sameDimension(engine.operandStack().top().dimension, dim(2, -1)));
    engine.pushValue(8);
    EXPECT_TRUE(isDimensionless(engine.operandStack().top().dimension));
    engine.clearOperandStack();
    EXPECT_DOUBLE_EQ(engine.endExpression(), 0);
}

struct UnitLineCase {
    std::u16string_view line;
    double value;
    double metres;
    double seconds;
    std::u16string_view error;
};

TEST(UnitBrackets, QuantitiesThroughALine) {
    const UnitLineCase cases[] = {
        {u"2[м]+3", 5, 1, 0, u""},
        {u"3+2[м]", 5, 1, 0, u""},
        {u"0[м]", 0, 1, 0, u""},
        {u"2[м]+3[с]", 5, 1, 0, u"Несоответствие в размерностях"},
        {u"2[м]*3[м]", 6, 2, 0, u""},
        {u"6[м]/2[с]", 3, 1, -1, u""},
        {u"5[м/с^2]", 5, 1, -2, u""},
        {u"(4[м^2])^0.5", 2, 1, 0, u""},
        {u"2^3[м]", 8, 1, 0, u""},
        {u"Sqrt(9[м^2])", 3, 1, 0, u""},
        {u"Root(8[м^3],3)", 2, 1, 0, u""},
        {u"Abs(-3[м])", 3, 1, 0, u""},
        {u"|-2[м]|", 2, 1, 0, u""},
        {u"Sin(0[м])", 0, 1, 0, u""},
        {u"5[pi]", 5 * Engine::kPi, 0, 0, u""},
        // A failed call keeps the last answer, without a dimension.
        {u"Ln(0[м])", 0, 0, 0, u"Недопустимый аргумент"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        Engine engine;
        engine.addUnit(u"м", u"1");
        engine.addUnit(u"с", u"1");
        test::Evaluation e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), utf8(c.error));
        EXPECT_DOUBLE_EQ(e.value, c.value);
        EXPECT_DOUBLE_EQ(engine.baseUnits()[kMetre].resultExponent, c.metres);
        EXPECT_DOUBLE_EQ(engine.baseUnits()[kSecond].resultExponent, c.seconds);
    }
}

TEST(UnitBrackets, WithoutDimensionsUnitsArePlainFactors) {
    Engine engine;
    engine.setUseDimensions(false);
    engine.addUnit(u"м", u"1");
    engine.addUnit(u"с", u"1");
    test::expectValue(engine, u"2[м]+3[с]", 5);
    test::expectValue(engine, u"2[pi]", 2 * Engine::kPi);
}

}  // namespace
}  // namespace tally
