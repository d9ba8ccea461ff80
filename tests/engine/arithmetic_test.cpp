// Evaluation of calculation lines: literals, operators and precedence, arithmetic faults,
// and inputs at the limits (deep nesting, very long lines).

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "engine/constants.h"
#include "engine/engine.h"
#include "engine/format_number.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::evaluate;
using test::expectMessage;
using test::expectValue;
using test::utf8;

struct ValueCase {
    std::u16string_view line;
    double value;
};

TEST(Literals, Values) {
    const ValueCase cases[] = {
        {u"12", 12},
        {u"1.5e3", 1500},
        {u"1E-2", 0.01},
        {u".5", 0.5},
        {u"5.", 5},
        {u"2.5E+1", 25},
        {u"&HFF", 255},
        {u"&h1f", 31},
        {u"#x1F", 31},
        {u"#o17", 15},
        {u"&O17", 15},
        {u"12°30'", 12.5},
        {u"12h", 12},
        {u"1h30'", 1.5},
        {u"2o30'", 2.5},
        {u"2Ч30'", 2.5},
        {u"30'", 0.5},
        {u"36\"", 0.01},
        {u"12°30'15\"", 12.5 + 15.0 / 3600},
        {u"1e-400", 0},
        {u"1e-9999999999", 0},
        {u"\t7\t", 7},
    };
    for (const auto& c : cases)
        expectValue(c.line, c.value);
}

TEST(Operators, PrecedenceAndAssociativity) {
    const ValueCase cases[] = {
        {u"2+3*4", 14}, {u"2^3^2", 64}, {u"-2^2", -4},   {u"-2*3", -6},    {u"+5", 5},
        {u"10-2-3", 5}, {u"8/2/2", 2},  {u"10\\3", 3},   {u"10:3", 1},     {u"-7:3", -1},
        {u"7:(-3)", 1}, {u"7.5\\2", 4}, {u"6.5:4", 2},   {u"2·3", 6},      {u"(1+2)*3", 9},
        {u"3!", 6},     {u"0!", 1},     {u"3.7!", 6},    {u"(-3)!", 1},    {u"2^3!", 64},
        {u"50%", 0.5},  {u"2*50%", 1},  {u"|-3|", 3},    {u"[2+3]*2", 10}, {u"{1+1}", 2},
        {u"2 + 3", 5},  {u"-(2-5)", 3}, {u"2^0.5^2", 2}, {u"pi", kPi},     {u"e", kE},
    };
    for (const auto& c : cases)
        expectValue(c.line, c.value);
}

// A fault leaves the left operand as it was and reports "Переполнение"; the line goes on.
TEST(Operators, ArithmeticFaultsOverflow) {
    const ValueCase cases[] = {
        {u"1/0", 1},
        {u"7\\0", 7},
        {u"7:0", 7},
        {u"(-8)^(1/3)", -8},
        {u"0^(-1)", 0},
        {u"10^400", 10},
        {u"1e308*10", 1e308},
        {u"2147483648\\1", 2147483648.0},
        {u"(-2147483648)\\(-1)", -2147483648.0},
        {u"171!", 171},
        {u"1/0+1", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        Engine engine;
        test::Evaluation e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), "Переполнение");
        EXPECT_DOUBLE_EQ(e.value, c.value);
    }
}

TEST(Operators, RoundedOperandsHalvesToEven) {
    expectValue(u"2.5\\1", 2);
    expectValue(u"3.5\\1", 4);
    expectValue(u"-2.5\\1", -2);
}

TEST(Statements, AnsHoldsTheLastResult) {
    Engine engine;
    expectValue(engine, u"2+3", 5);
    EXPECT_DOUBLE_EQ(engine.ans(), 5);
    expectValue(engine, u"Ans*2", 10);
    // A comparison keeps the value of its right side.
    expectValue(engine, u"1=7", 7);
    expectValue(engine, u"Ans", 7);
}

TEST(Statements, ComparisonKeepsBothSides) {
    Engine engine;
    LineResult result = engine.evaluateLine(u"2+2=5");
    EXPECT_DOUBLE_EQ(result.result.value, 5);
    EXPECT_TRUE(result.flags.isComparison);
    EXPECT_DOUBLE_EQ(result.leftValue, 4);
}

std::u16string repeat(std::u16string_view text, int times) {
    std::u16string result;
    result.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

TEST(Limits, NestingUpToTheLimitEvaluates) {
    expectValue(repeat(u"(", 256) + u"1" + repeat(u")", 256), 1);
    expectValue(repeat(u"Sin(", 200) + u"0" + repeat(u")", 200), 0);
    expectValue(repeat(u"|", 200) + u"-1" + repeat(u"|", 200), 1);
    expectValue(repeat(u"-(", 200) + u"1" + repeat(u")", 200), 1);
}

TEST(Limits, DeeperNestingIsASyntaxErrorNotACrash) {
    const std::u16string lines[] = {
        repeat(u"(", 257) + u"1" + repeat(u")", 257),
        repeat(u"(", 100000) + u"1" + repeat(u")", 100000),
        repeat(u"Sin(", 100000) + u"0" + repeat(u")", 100000),
        repeat(u"|", 100000) + u"1" + repeat(u"|", 100000),
        repeat(u"{[", 50000),
        repeat(u"1[", 100000),
    };
    for (const auto& line : lines) {
        Engine engine;
        EXPECT_NE(evaluate(engine, line).syntax, u"") << utf8(line.substr(0, 20));
        // The engine is usable afterwards.
        expectValue(engine, u"1+1", 2);
    }
}

TEST(Limits, MillionCharacterLines) {
    expectValue(repeat(u"1+", 499999) + u"1", 500000);
    expectValue(repeat(u"a", 1000000) + u"*0+3", 3);
    expectMessage(repeat(u"9", 1000000), u"Переполнение");
    expectMessage(u"1e400", u"Переполнение");
    expectValue(repeat(u"0", 1000000) + u".0" + repeat(u"0", 1000000) + u"1", 0);
}

TEST(FormatNumber, FifteenSignificantDigitsWithAPoint) {
    const std::pair<double, std::u16string_view> cases[] = {
        {0, u"0"},
        {-0.0, u"0"},
        {5, u"5"},
        {-2.5, u"-2.5"},
        {0.1, u"0.1"},
        {0.1 + 0.2, u"0.3"},
        {1.0 / 3, u"0.333333333333333"},
        {2.0 / 3, u"0.666666666666667"},
        {123456789012345, u"123456789012345"},
        {1e20, u"1E+20"},
        {1.5e-7, u"1.5E-07"},
        {-1.5e-7, u"-1.5E-07"},
        {0.49999999999999956, u"0.5"},
        {1e15, u"1E+15"},
        {999999999999999.4, u"999999999999999"},
        {99999999999999.95, u"100000000000000"},
        {0.00001, u"1E-05"},
        {0.0001, u"0.0001"},
        {1.7976931348623157e308, u"1.79769313486232E+308"},
        {4.9406564584124654e-324, u"4.94065645841247E-324"},
        {1e-310, u"9.99999999999997E-311"},  // below the normal range: its true value
        // Ties at the 16th digit go to the even neighbour.
        {1000000000000005, u"1E+15"},
        {1000000000000015, u"1.00000000000002E+15"},
        {12345678901234.25, u"12345678901234.2"},
        {12345678901234.75, u"12345678901234.8"},
        {1234567890123.125, u"1234567890123.12"},
        {1234567890123.375, u"1234567890123.38"},
        {0.000244140625, u"0.000244140625"},
        {0.0000001220703125, u"1.220703125E-07"},
        // A value that is no number at all (a unit defined as 1e400) still reads plainly.
        {std::numeric_limits<double>::infinity(), u"inf"},
        {-std::numeric_limits<double>::infinity(), u"-inf"},
        {std::numeric_limits<double>::quiet_NaN(), u"nan"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(utf8(formatNumber(value)), utf8(text)) << value;
}

// The digits shown are the value rounded to 15 significant digits, ties to even, whichever
// way they are found: read back, the text is the library's own rounding to 15 digits.
TEST(FormatNumber, ShowsTheValueRoundedToFifteenDigits) {
    auto read = [](const std::string& text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    auto rounded = [&](double value) {
        char buffer[64];
        auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14)
                .ptr;
        return read(std::string(buffer, end));
    };
    std::mt19937_64 random(15);
    std::vector<double> values;
    for (int i = 0; i < 200000; ++i) {
        // Every magnitude, and values near decimal fractions with 15 to 17 digits.
        values.push_back(std::bit_cast<double>(random() & 0x7FFFFFFFFFFFFFFFULL));
        double decimal = static_cast<double>(random() % 100000000000000000ULL) /
                         std::pow(10.0, static_cast<double>(random() % 40));
        values.push_back(decimal);
        values.push_back(std::nextafter(decimal, 0.0));
        values.push_back(static_cast<double>(random() % 1000000) / 7);
    }
    for (double value : values) {
        if (!std::isfinite(value) || value == 0) continue;
        std::string text = utf8(formatNumber(value));
        std::string plain = text;
        std::replace(plain.begin(), plain.end(), 'E', 'e');
        ASSERT_EQ(std::bit_cast<std::uint64_t>(read(plain)),
                  std::bit_cast<std::uint64_t>(rounded(value)))
            << text << " for " << value;
        // No digit is shown that could be left off: a fraction does not end in a zero.
        std::string digits = plain.substr(0, plain.find('e'));
        if (digits.find('.') != std::string::npos) {
            ASSERT_NE(digits.back(), '0') << text;
        }
        ASSERT_EQ(utf8(formatNumber(-value)), "-" + text);
    }
}

}  // namespace
}  // namespace tally
