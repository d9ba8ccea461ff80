// The financial functions evaluated through the engine: reference values worked out by
// hand, round trips between functions that must undo each other, rounding of the number
// of periods, defaults of omitted arguments, and the faults of arguments out of range.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::evaluate;
using test::Evaluation;
using test::utf8;

std::u16string text(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// The shortest fixed-point form that reads back as the same double.
std::string number(double x) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed).ptr;
    return std::string(buffer, end);
}

double tolerance(double expected) {
    return 1e-9 * std::max(1.0, std::fabs(expected));
}

// Evaluates a line that must succeed and returns its value.
double value(Engine& engine, std::u16string_view line) {
    Evaluation e = evaluate(engine, line);
    EXPECT_EQ(utf8(e.syntax), "") << utf8(line);
    EXPECT_EQ(utf8(e.error), "") << utf8(line);
    return e.value;
}

double value(Engine& engine, const std::string& line) {
    return value(engine, text(line));
}

struct ValueCase {
    std::u16string_view line;
    double expected;
};

constexpr double kPayment = -88.8487886783417;  // Pmt(0.01,12,1000)

TEST(FinancialFunctions, MatchValuesWorkedOutByHand) {
    const ValueCase cases[] = {
        {u"SLN(1000,100,9)", 100},
        {u"SLN(1000,1200,4)", -50},
        {u"SYD(1000,100,9,1)", 180},
        {u"SYD(1000,100,9,9)", 20},
        {u"DDB(2400,300,10,1)", 480},
        {u"DDB(2400,300,10,2)", 384},
        {u"DDB(1000,100,5,1,1)", 200},
        {u"DDB(1000,100,5,1,)", 400},
        {u"Pmt(0.01,12,1000)", kPayment},
        // Paid at the start, each payment is worth one period's interest more.
        {u"Pmt(0.01,12,1000,0,1)", kPayment / 1.01},
        {u"Pmt(0.01,12,1000,0,7)", kPayment / 1.01},
        {u"Pmt(0,10,1000)", -100},
        {u"Pmt(0,10,1000,-200,1)", -80},
        {u"FV(0.1,2,-100)", 210},
        {u"FV(0.1,2,-100,,1)", 231},
        {u"FV(0.1,2,0,-100)", 121},
        {u"FV(0,10,-100,-50)", 1050},
        {u"PV(0.1,2,-100)", 100 / 1.1 + 100 / 1.21},
        {u"PV(0.1,2,-100,0,1)", 100 + 100 / 1.1},
        {u"PV(0.1,2,0,-121)", 100},
        {u"PV(0,10,-100,-50)", 1050},
        {u"NPer(0.1,-100,0,210)", 2},
        {u"NPer(0.1,-100,0,231,1)", 2},
        {u"NPer(0,-100,1000)", 10},
        // Tiny rates keep their digits (50-digit references).
        {u"NPer(1e-15,-1,100)", 100.00000000000505},
        {u"NPer(1e-10,-100,1000)", 10.0000000055},
        {u"NPer(0.01,-100,1000)", 10.588644459423236},
        {u"IPmt(0.01,1,12,1000)", -10},
        {u"IPmt(0.01,2,12,1000)", -(1010 + kPayment) * 0.01},
        {u"IPmt(0.01,1,12,1000,0,1)", 0},
        {u"IPmt(0,5,12,1000)", 0},
        {u"PPmt(0.01,1,12,1000)", kPayment + 10},
        {u"PPmt(0.01,1,12,1000,0,1)", kPayment / 1.01},
        {u"Rate(2,-100,0,210)", 0.1},
        {u"Rate(2,-100,0,231,1)", 0.1},
        {u"Rate(10,0,-100,200)", std::pow(2.0, 0.1) - 1},
        {u"Rate(10,-100,1000)", 0},
        {u"NPV(0.1,100,100)", 173.553719008264},
        {u"NPV(0.1,-100,0,121)", -100 / 1.1 + 121 / 1.331},
        {u"NPV(0,55,55)", 110},
        {u"IRR(-100,110)", 0.1},
        {u"IRR(-100,0,121)", 0.1},
        {u"IRR(-100,,121)", 0.1},
        {u"IRR(-100,100)", 0},
        {u"IRR(100,-110)", 0.1},
        {u"IRR(-100,10)", -0.9},
        // Income 50 * 1.2 + 60 = 120 against an outlay of 100, over two periods.
        {u"MIRR(0.1,0.2,-100,50,60)", std::sqrt(1.2) - 1},
        // Outlay 100 + 110 / 1.1 = 200 against an income of 300.
        {u"MIRR(0.1,0.2,-100,-110,300)", std::sqrt(1.5) - 1},
    };
    Engine engine;
    for (const auto& c : cases) {
        EXPECT_NEAR(value(engine, c.line), c.expected, tolerance(c.expected)) << utf8(c.line);
    }
}

// A loan or a savings plan: rate, number of periods, present and future value, type.
struct Plan {
    double rate;
    int periods;
    double present;
    double future;
    int type;
};

// A call such as "Pmt(0.01,12,1000,0,0)".
std::string call(const std::string& name, std::initializer_list<std::string> arguments) {
    std::string line = name + "(";
    for (const std::string& argument : arguments) {
        if (line.back() != '(') line += ",";
        line += argument;
    }
    return line + ")";
}

TEST(FinancialFunctions, PaymentRoundTrips) {
    const Plan plans[] = {
        {0.01, 12, 1000, 0, 0},    {0.01, 12, 1000, 0, 1},     {0.005, 360, 200000, 0, 0},
        {0.08, 10, 0, 5000, 0},    {0.08, 10, -1000, 5000, 1}, {0, 24, 1200, -200, 0},
        {0, 24, 1200, -200, 1},    {-0.02, 15, 1000, 100, 1},  {0.03, 40, 5000, -1000, 0},
        {0.25, 20, 1000, -100, 1},
    };
    Engine engine;
    for (const Plan& p : plans) {
        std::string rate = number(p.rate);
        std::string periods = std::to_string(p.periods);
        std::string present = number(p.present);
        std::string future = number(p.future);
        std::string type = std::to_string(p.type);
        std::string line = call("Pmt", {rate, periods, present, future, type});
        SCOPED_TRACE(line);
        std::string payment = number(value(engine, line));
        EXPECT_NEAR(value(engine, call("PV", {rate, periods, payment, future, type})), p.present,
                    tolerance(p.present));
        EXPECT_NEAR(value(engine, call("FV", {rate, periods, payment, present, type})), p.future,
                    tolerance(p.future));
        EXPECT_NEAR(value(engine, call("NPer", {rate, payment, present, future, type})), p.periods,
                    1e-8);
        EXPECT_NEAR(value(engine, call("Rate", {periods, payment, present, future, type})), p.rate,
                    1e-10);
        // The principal parts repay the present value and build up the future value. Paid
        // at the start, they reach it a period before it is due, so only its discounted
        // value.
        double principal = 0;
        for (int period = 1; period <= p.periods; ++period) {
            principal +=
                value(engine,
                      call("PPmt", {rate, std::to_string(period), periods, present, future, type}));
        }
        double expected = -(p.present + p.future / (1 + p.rate * p.type));
        EXPECT_NEAR(principal, expected, tolerance(expected) * p.periods);
    }
}

TEST(FinancialFunctions, RatesMakeTheFlowsWorthNothing) {
    const std::u16string_view lines[] = {
        u"-1000+NPV(IRR(-1000,300,400,500),300,400,500)",
        u"-100+NPV(IRR(-100,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10),10,10,10,"
        u"10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10)",
        u"-1000+NPV(IRR(-1000,1,1,1,1,1),1,1,1,1,1)",
        u"-100+NPV(IRR(-100,1000,0),1000,0)",
        u"500+NPV(IRR(500,-100,-100,-100,-400),-100,-100,-100,-400)",
        // Newton's method from 0.1 misses these roots; they are found from later guesses.
        u"-100+NPV(IRR(-100,-50,10,10),-50,10,10)",
        u"-100+NPV(IRR(-100,1,100,10,-50,5),1,100,10,-50,5)",
        u"FV(Rate(360,-1000,100000),360,-1000,100000)",
        u"FV(Rate(12,-100,1000,0,0,0.9),12,-100,1000)",
        u"FV(Rate(12,-100,1000,0,0,0),12,-100,1000)",
        u"FV(Rate(30,0,-100,1),30,0,-100)-1",
    };
    Engine engine;
    for (auto line : lines) {
        EXPECT_NEAR(value(engine, line), 0, 1e-7) << utf8(line);
    }
}

struct PairCase {
    std::u16string_view line;
    std::u16string_view other;
};

TEST(FinancialFunctions, RoundedPeriodsAndOmittedArguments) {
    const PairCase cases[] = {
        // FV, Pmt, PPmt and PV round the number of periods, halves to the even neighbour.
        {u"Pmt(0.01,12.5,1000)", u"Pmt(0.01,12,1000)"},
        {u"Pmt(0.01,13.5,1000)", u"Pmt(0.01,14,1000)"},
        {u"Pmt(0.01,12.4,1000)", u"Pmt(0.01,12,1000)"},
        {u"FV(0.01,2.5,-100)", u"FV(0.01,2,-100)"},
        {u"PV(0.01,3.5,-100)", u"PV(0.01,4,-100)"},
        {u"PPmt(0.01,2,12.5,1000)", u"PPmt(0.01,2,12,1000)"},
        {u"PV(0.01,-32768.5,-100)", u"PV(0.01,-32768,-100)"},
        // An omitted optional argument takes its default; surplus arguments are ignored.
        {u"FV(0.1,10,-100,,1)", u"FV(0.1,10,-100,0,1)"},
        {u"Pmt(0.01,12,1000,,)", u"Pmt(0.01,12,1000)"},
        {u"Rate(12,-100,1000,,,)", u"Rate(12,-100,1000,0,0,0.1)"},
        {u"DDB(1000,100,5,2,)", u"DDB(1000,100,5,2,2)"},
        {u"Pmt(0.01,12,1000,0,0,99)", u"Pmt(0.01,12,1000)"},
        {u"SLN(1000,100,9,5)", u"SLN(1000,100,9)"},
    };
    Engine engine;
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(value(engine, c.line), value(engine, c.other)) << utf8(c.line);
    }
}

TEST(FinancialFunctions, OtherFunctionsKeepFractionalPeriods) {
    const PairCase cases[] = {
        {u"IPmt(0.01,2,12.5,1000)", u"IPmt(0.01,2,12,1000)"},
        {u"Rate(12.5,-100,1000)", u"Rate(12,-100,1000)"},
        {u"DDB(1000,100,5,1.5)", u"DDB(1000,100,5,2)"},
    };
    Engine engine;
    for (const auto& c : cases) {
        EXPECT_NE(value(engine, c.line), value(engine, c.other)) << utf8(c.line);
    }
}

TEST(FinancialFunctions, LargeNumbersOfPeriodsStayFinite) {
    const ValueCase cases[] = {
        {u"PV(0.05,32767,-1)", 20},
        {u"Pmt(0.05,32767,1000)", -50},
        {u"Pmt(0.05,32767,1000,0,1)", -50 / 1.05},
        {u"Pmt(-0.5,32767,0,1000)", -500},
    };
    Engine engine;
    for (const auto& c : cases) {
        EXPECT_NEAR(value(engine, c.line), c.expected, tolerance(c.expected)) << utf8(c.line);
    }
}

TEST(FinancialFunctions, DepreciationOverTheWholeLife) {
    struct Asset {
        double cost;
        double salvage;
        int life;
        double factor;
    };
    const Asset assets[] = {
        {2400, 300, 10, 2}, {1000, 100, 5, 2}, {1000, 0, 3, 9}, {500, 50, 1, 2}};
    Engine engine;
    for (const Asset& asset : assets) {
        std::string cost = number(asset.cost);
        std::string salvage = number(asset.salvage);
        std::string life = std::to_string(asset.life);
        SCOPED_TRACE(cost + "," + salvage + "," + life);
        double declining = 0;
        double previous = asset.cost;
        for (int period = 1; period <= asset.life; ++period) {
            double depreciation = value(
                engine,
                call("DDB", {cost, salvage, life, std::to_string(period), number(asset.factor)}));
            EXPECT_GE(depreciation, 0);
            EXPECT_LE(depreciation, previous);
            previous = depreciation;
            declining += depreciation;
            EXPECT_LE(declining, asset.cost - asset.salvage + 1e-9);
        }
        // Each of these reaches the salvage value within its life.
        EXPECT_NEAR(declining, asset.cost - asset.salvage, 1e-9);
        double digits = 0;
        for (int period = 1; period <= asset.life; ++period) {
            digits += value(engine, call("SYD", {cost, salvage, life, std::to_string(period)}));
        }
        EXPECT_NEAR(digits, asset.cost - asset.salvage, 1e-9);
    }
}

TEST(FinancialFunctions, ResultsJoinTheSurroundingExpression) {
    const ValueCase cases[] = {
        {u"2+IRR(-100,110)", 2.1},
        {u"5-NPV(0.1,100,100)", 5 - 173.553719008264},
        {u"NPV(0.1,100,100)+NPV(0.1,100,100)", 2 * 173.553719008264},
        {u"IRR(-100,NPV(0,55,55))", 0.1},
        {u"1+2*MIRR(0.1,0.2,-100,50,60)", 1 + 2 * (std::sqrt(1.2) - 1)},
        {u"3*Pmt(0.01,12,1000)-1", 3 * kPayment - 1},
    };
    Engine engine;
    for (const auto& c : cases) {
        EXPECT_NEAR(value(engine, c.line), c.expected, tolerance(c.expected)) << utf8(c.line);
    }
}

TEST(FinancialFunctions, ArgumentsOutOfRangeKeepTheLastAnswer) {
    const std::u16string_view lines[] = {
        u"PV(0.05,40000,1)",  // the number of periods must fit in 16 bits
        u"FV(0.05,-32769,1)",
        u"Pmt(0.01,32767.5,1000)",
        u"PPmt(0.01,1,40000,1000)",
        u"SLN(1000,100,0)",
        u"SYD(1000,100,0,1)",
        u"SYD(1000,100,9,10)",
        u"SYD(1000,100,9,0)",
        u"DDB(1000,100,0,1)",
        u"DDB(1000,100,5,6)",
        u"DDB(1000,100,5,0)",
        u"DDB(1000,100,5,1,0)",
        u"DDB(-1000,100,5,1)",
        u"IPmt(0.01,0,12,1000)",
        u"IPmt(0.01,13,12,1000)",
        u"PPmt(0.01,13,12,1000)",
        u"Pmt(0.01,0,1000)",
        u"Pmt(0,0,1000)",
        u"Pmt(-1,12,1000,0,1)",
        u"FV(1,2000,-1)",       // overflow
        u"NPer(0.1,-50,1000)",  // the interest exceeds the payment: never repaid
        u"NPer(0,0,1000)",
        u"NPer(-1,-100,1000)",
        u"NPV(-1,100,100)",
        u"MIRR(-1,0.1,-100,50,60)",
        u"MIRR(0.1,0.1,100,50)",    // no outlay
        u"MIRR(0.1,0.1,-100,-50)",  // no income
        u"IRR(100,100)",
        u"IRR(-100,-100)",
        u"IRR(0,0,0)",
        u"Rate(10,100,1000)",  // payments and loan on the same side
        u"Rate(0,-100,1000)",
        u"Rate(5,-300,1000,0,0,-1)",
        u"Rate(10,0,0,0)",  // any rate would do
    };
    Engine engine;
    for (auto line : lines) {
        engine.setAns(42);
        Evaluation e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.syntax), "") << utf8(line);
        EXPECT_EQ(utf8(e.error), utf8(errorText(EngineError::InvalidArgument))) << utf8(line);
        EXPECT_EQ(e.value, 42) << utf8(line);
    }
}

TEST(FinancialFunctions, TooFewArguments) {
    const std::u16string_view lines[] = {
        u"NPV(0.1,100)",    u"IRR(-100)",       u"MIRR(0.1,0.1,-100)", u"Pmt(0.01,12)",
        u"DDB(1000,100,5)", u"IPmt(0.01,1,12)", u"SYD(1000,100,9)",    u"Rate(12,-100)",
    };
    Engine engine;
    for (auto line : lines) {
        engine.setAns(42);
        Evaluation e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.error), utf8(errorText(EngineError::TooFewArguments))) << utf8(line);
        EXPECT_EQ(e.value, 0) << utf8(line);
    }
}

}  // namespace
}  // namespace tally
