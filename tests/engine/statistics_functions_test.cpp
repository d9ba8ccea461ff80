// The list statistics, the factorial and the combinatorial functions, Gamma, the error
// functions, Prime and Rand, evaluated through calculation lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using std::numbers::pi;
using test::evaluate;
using test::expectValues;
using test::utf8;

const double kRootPi = std::sqrt(pi);

// Gamma(n + 1/2) = (n - 1/2)(n - 3/2)...(1/2) sqrt(pi).
double halfIntegerGamma(int n) {
    double product = kRootPi;
    for (int k = 1; k <= n; ++k)
        product *= k - 0.5;
    return product;
}

// A call of `name` with x written out in full precision.
std::u16string callLine(std::string_view name, double x) {
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.17g", x);
    std::string line = std::string(name) + "(" + digits + ")";
    return std::u16string(line.begin(), line.end());
}

// A failure the function reports itself: its message and its own result.
struct FailureCase {
    std::u16string_view line;
    std::u16string_view message;
    double value;
};

void expectFailures(std::initializer_list<FailureCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        Engine engine;
        engine.setAns(42);
        test::Evaluation e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), utf8(c.message));
        EXPECT_DOUBLE_EQ(e.value, c.value);
    }
}

constexpr std::u16string_view kOverflow = u"Переполнение";
constexpr std::u16string_view kInvalid = u"Недопустимый аргумент";
constexpr double kHuge = 7.237005577e75;
// Gamma is good to the last few digits of a double.
constexpr double kGammaTolerance = 2e-15;

TEST(ListStatistics, Values) {
    expectValues({
        {u"Ave(1,2,3)", 2},
        {u"Ave(-4)", -4},
        {u"Sum(1,2,3)", 6},
        {u"Sum()", 0},
        {u"Sum(0.1,0.2,0.3)", 0.6},
        {u"Min(3,1,2)", 1},
        {u"Min(7)", 7},
        {u"Max(-1,-5)", -1},
        {u"Max(2;9;4)", 9},
        {u"SumSq(3,4)", 25},
        {u"SumSq(-2)", 4},
        {u"SumSq()", 0},
        {u"Norm(3,4)", 5},
        {u"Norm(-5,12)", 13},
        {u"DevSq(1,2,3)", 2},
        {u"DevSq(5)", 0},
        {u"VarP(1,2,3)", 2.0 / 3},
        {u"VarP(5)", 0},
        {u"Var(1,2,3)", 1},
        {u"Std(2,4,4,4,5,5,7,9)", std::sqrt(32.0 / 7)},
        {u"StdP(2,4,4,4,5,5,7,9)", 2},
        // The deviations are taken from the mean, not from zero.
        {u"Var(1000001,1000002,1000003)", 1},
    });
}

// An omitted argument is no value of the list: it neither counts nor reads as 0.
TEST(ListStatistics, OmittedArgumentsAreSkipped) {
    expectValues({
        {u"Ave(1,,3)", 2},
        {u"Ave(2,4,)", 3},
        {u"Min(5,,7)", 5},
        {u"Max(-5,,-7)", -5},
        {u"Var(1,,2,3)", 1},
        {u"Sum(1,,3)", 4},
    });
}

TEST(ListStatistics, EmptyListsAndSingleSamplesAreFaults) {
    expectFailures({
        {u"Ave()", kInvalid, 42},
        {u"VarP()", kInvalid, 42},
        {u"Var()", kInvalid, 42},
        {u"StdP()", kInvalid, 42},
        {u"Std()", kInvalid, 42},
        {u"Min()", kInvalid, 42},
        {u"Max()", kInvalid, 42},
        {u"Var(5)", kInvalid, 42},
        {u"Std(5)", kInvalid, 42},
        {u"Sum(1e308,1e308)", kInvalid, 42},
        {u"SumSq(1e200)", kInvalid, 42},
    });
}

TEST(Factorial, IntegersAndTheOverflowPast170) {
    expectValues({
        {u"5!", 120},
        {u"0!", 1},
        {u"(-3)!", 1},
        {u"3.5!", 6},
        {u"170!", 7.257415615307999e306, 1e-14},
        {u"Permut(5)", 120},
        {u"Permut(0)", 1},
        {u"Permut(-2)", 1},
        {u"Permut(4.9)", 24},
        {u"Permut(170)", 7.257415615307999e306, 1e-14},
        {u"II(0)", 1},
        {u"II(4)", 24},
        {u"II(20)", 2432902008176640000},
    });
    expectFailures({
        // The operator leaves its operand; the functions answer 0.
        {u"171!", kOverflow, 171},
        {u"Permut(171)", kOverflow, 0},
        {u"Permut(1e300)", kOverflow, 0},
        {u"II(171)", kOverflow, 0},
        {u"II(-1)", kOverflow, 0},
        {u"II(-3)", kOverflow, 0},
    });
}

// Between the integers II is Gamma(x + 1).
TEST(Factorial, GeneralisedByGamma) {
    expectValues({
        {u"II(57.5)", 3.0797936746971323e+77, kGammaTolerance},
        {u"II(100.2)", 2.3470567690795251e+158, kGammaTolerance},
        {u"II(0.5)", 0.88622692545275801, kGammaTolerance},
        {u"II(-0.5)", kRootPi, kGammaTolerance},
        {u"II(2.5)", 15 * kRootPi / 8, kGammaTolerance},
        {u"II(-1.5)", -2 * kRootPi, kGammaTolerance},
    });
}

TEST(Gamma, ClosedForms) {
    expectValues({
        {u"Gamma(0.5)", kRootPi, 1e-12},
        {u"Gamma(1)", 1, 1e-12},
        {u"Gamma(2)", 1, 1e-12},
        {u"Gamma(5)", 24, 1e-12},
        {u"Gamma(1.5)", kRootPi / 2, kGammaTolerance},
        {u"Gamma(3.5)", 15 * kRootPi / 8, kGammaTolerance},
        {u"Gamma(10)", 362880, 1e-12},
        {u"Gamma(12)", 39916800, 1e-12},
        {u"Gamma(13)", 479001600, 1e-12},
        {u"Gamma(12.5)", halfIntegerGamma(12), 1e-12},
        {u"Gamma(20)", 121645100408832000.0, 1e-12},
        {u"Gamma(31)", 2.6525285981219107e32, 1e-12},
        {u"Gamma(-0.5)", -2 * kRootPi, kGammaTolerance},
        {u"Gamma(-1.5)", 4 * kRootPi / 3, kGammaTolerance},
        {u"Gamma(-2.5)", -8 * kRootPi / 15, kGammaTolerance},
        {u"Gamma(-13.5)", 1.360449247303171e-10, kGammaTolerance},
    });
}

// Over the whole range where its value is a finite double, against values worked out to
// 50 digits.
TEST(Gamma, AccurateOverTheWholeRange) {
    expectValues({
        {u"Gamma(1.5)", 0.88622692545275801, kGammaTolerance},
        {u"Gamma(3.3)", 2.6834373819557683, kGammaTolerance},
        {u"Gamma(0.1)", 9.5135076986687313, kGammaTolerance},
        {u"Gamma(1e-8)", 99999999.422784343, kGammaTolerance},
        {u"Gamma(11.9)", 31279623.921386233, kGammaTolerance},
        {u"Gamma(25.3)", 1.6227771176708766e+24, kGammaTolerance},
        {u"Gamma(57.5)", 5.3561629125167519e+75, kGammaTolerance},
        {u"Gamma(100.5)", 9.3209631040827166e+156, kGammaTolerance},
        {u"Gamma(170.5)", 5.5620924145599996e+305, kGammaTolerance},
        {u"Gamma(171)", 7.257415615307999e+306, kGammaTolerance},
        {u"Gamma(171.6)", 1.5858969096672565e+308, kGammaTolerance},
        {u"Gamma(1e-76)", 1.0000000000000001e+76, kGammaTolerance},
        {u"Gamma(-1e-76)", -1.0000000000000001e+76, kGammaTolerance},
        {u"Gamma(-57.5)", 1.0200659477290271e-77, kGammaTolerance},
        {u"Gamma(-100.5)", -3.3536908198076786e-159, kGammaTolerance},
    });
}

TEST(Gamma, PolesAndLimitsOverflow) {
    expectFailures({
        {u"Gamma(0)", kOverflow, kHuge},
        {u"Gamma(-1)", kOverflow, -kHuge},
        {u"Gamma(-2)", kOverflow, kHuge},
        {u"Gamma(-3)", kOverflow, -kHuge},
        {u"Gamma(171.7)", kOverflow, kHuge},
        {u"Gamma(1e300)", kOverflow, kHuge},
        {u"II(171.7)", kOverflow, kHuge},
    });
}

TEST(Combinatorics, Values) {
    expectValues({
        {u"Combin(5,2)", 10},
        {u"Combin(52,5)", 2598960},
        {u"Combin(10,0)", 1},
        {u"Combin(0,0)", 1},
        {u"Accomod(5,0)", 1},
        // Some out of none is none, and no number of ways chooses a negative count.
        {u"Combin(0,3)", 0},
        {u"Combin(0,1)", 0},
        {u"Accomod(0,1)", 0},
        {u"Bico(0,2)", 0},
        {u"Combin(4,-1)", 0},
        {u"Bico(4,-1)", 0},
        {u"Combin(5,5)", 1},
        {u"Combin(5,7)", 0},
        {u"Combin(-3,2)", 6},
        {u"Combin(0.5,2)", -0.125},
        {u"Accomod(5,2)", 20},
        {u"Accomod(5,3)", 60},
        {u"Accomod(10,10)", 3628800},
        {u"Bico(5,2)", 20},
        {u"Bico(5,3)", 30},
        {u"BICO(6,4)", 60},
        // One element: n for all three.
        {u"Combin(5,1)", 5},
        {u"Accomod(5,1)", 5},
        {u"Bico(5,1)", 5},
    });
}

// Once the product has reached 0 it stays there, so a huge m finishes at once; a product
// that never settles gives up instead of running for hours.
TEST(Combinatorics, HugeCountsFinish) {
    expectValues({
        {u"Combin(5,1e15)", 0},
        {u"Accomod(5,1e300)", 0},
        {u"Bico(30,1e18)", 0},
    });
    expectFailures({
        {u"Accomod(0.5,1e15)", kInvalid, 42},
        {u"Combin(0.5,1e15)", kInvalid, 42},
        {u"Accomod(200,200)", kInvalid, 42},
        {u"Accomod(5,-1)", kInvalid, 42},
    });
}

TEST(Combinatorics, ZeroIsNeverNegative) {
    Engine engine;
    test::Evaluation e = evaluate(engine, u"Combin(5,8)");
    EXPECT_EQ(e.value, 0);
    EXPECT_FALSE(std::signbit(e.value));
}

TEST(ErrorFunctions, TableValues) {
    expectValues({
        {u"Erf(0)", 0},
        {u"Erf(0.3)", 0.328626759459127, 1e-12},
        {u"Erf(0.5)", 0.520499877813047, 1e-12},
        {u"Erf(-0.5)", -0.520499877813047, 1e-12},
        {u"Erf(1)", 0.842700792949715, 1e-12},
        {u"Erf(2)", 0.995322265018953, 1e-12},
        {u"Erf(5)", 0.9999999999984626, 1e-12},
        {u"Erf(7)", 1},
        {u"Erf(-7)", -1},
        {u"Erfc(0)", 1},
        {u"Erfc(0.3)", 0.671373240540873, 1e-12},
        {u"Erfc(-1)", 1.842700792949715, 1e-12},
        {u"Erfc(2)", 0.00467773498104727, 1e-12},
        {u"Erfc(-7)", 2},
    });
}

// The tails are compared relative to their own size, not to 1.
TEST(ErrorFunctions, SmallTailsKeepTheirPrecision) {
    Engine engine;
    struct TailCase {
        std::u16string_view line;
        double value;
    };
    const TailCase cases[] = {
        {u"Erfc(2)", 0.004677734981047266},
        {u"Erfc(3.9)", 3.479224859723177e-8},
        {u"Erfc(4.5)", 1.966160441542887e-10},
        {u"Erfc(5)", 1.5374597944280349e-12},
        {u"Erfc(10)", 2.088487583762545e-45},
        {u"Erfc(13)", 1.7395573154667246e-75},
        // The tail goes on down to the smallest doubles.
        {u"Erfc(13.3)", 6.3680064047232235e-79},
        {u"Erfc(14)", 3.0372298477503117e-87},
        {u"Erfc(20)", 5.3958656116079009e-176},
        {u"Erfc(26)", 5.6631924088561428e-296},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        test::Evaluation e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.error), "");
        EXPECT_NEAR(e.value, c.value, 1e-11 * c.value);
    }
}

TEST(ErrorFunctions, AgreeWithTheRuntimeLibraryAcrossTheIntervals) {
    Engine engine;
    for (double x : {0.01, 0.2, 0.476, 0.477, 0.478, 1.5, 3.99, 4.0, 4.01, 5.5, 6.37, -0.4, -0.477,
                     -2.5, -4.2, -6.3}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(evaluate(engine, callLine("Erf", x)).value, std::erf(x), 1e-14);
        double erfc = std::erfc(x);
        EXPECT_NEAR(evaluate(engine, callLine("Erfc", x)).value, erfc, 1e-12 * erfc);
    }
}

TEST(Prime, LargestPrimeNotAbove) {
    expectValues({
        {u"Prime(100)", 97},
        {u"Prime(97)", 97},
        {u"Prime(-10)", -7},
        {u"Prime(49)", 47},
        {u"Prime(10.9)", 7},
        {u"Prime(-10.9)", -7},
        {u"Prime(7)", 7},
        {u"Prime(8)", 7},
        {u"Prime(25)", 23},
        {u"Prime(121)", 113},
        {u"Prime(1000000)", 999983},
        {u"Prime(2147483647)", 2147483647},
        {u"Prime(-2147483648)", -2147483647},
        {u"Prime(2)", 2},
        {u"Prime(3)", 3},
        {u"Prime(4)", 3},
        {u"Prime(5)", 5},
        {u"Prime(6)", 5},
        {u"Prime(-6)", -5},
        {u"Prime(-2)", -2},
    });
    expectFailures({
        {u"Prime(0)", kInvalid, 42},
        {u"Prime(1)", kInvalid, 42},
        {u"Prime(-1)", kInvalid, 42},
        {u"Prime(0.9)", kInvalid, 42},
        {u"Prime(3e9)", kInvalid, 42},
    });
}

TEST(Rand, SinglePrecisionNumbersInTheUnitInterval) {
    Engine engine;
    for (int i = 0; i < 200; ++i) {
        test::Evaluation e = evaluate(engine, i % 2 == 0 ? u"Rand()" : u"Rand(1)");
        EXPECT_EQ(utf8(e.error), "");
        EXPECT_GE(e.value, 0);
        EXPECT_LT(e.value, 1);
        EXPECT_EQ(static_cast<double>(static_cast<float>(e.value)), e.value);
    }
}

TEST(Rand, NegativeArgumentRestartsAndZeroRepeats) {
    Engine engine;
    double first = evaluate(engine, u"Rand(-1)").value;
    double next = evaluate(engine, u"Rand()").value;
    EXPECT_NE(next, first);
    EXPECT_EQ(evaluate(engine, u"Rand(0)").value, next);
    EXPECT_EQ(evaluate(engine, u"Rand(-1)").value, first);
    EXPECT_EQ(evaluate(engine, u"Rand()").value, next);

    Engine other;
    EXPECT_EQ(evaluate(other, u"Rand(-1)").value, first);
}

}  // namespace
}  // namespace tally
