// Decimal literals read as the double nearest to their text, exactly as the standard
// library's conversion reads them, whichever way the value is worked out.
#include "lang/decimal_literal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

namespace tally {
namespace {

std::optional<double> standard(const std::string& text) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void expectSameAsStandard(const std::string& text) {
    SCOPED_TRACE(text);
    std::optional<double> expected = standard(text);
    std::optional<double> actual = nearestDouble(std::u16string(text.begin(), text.end()));
    ASSERT_EQ(actual.has_value(), expected.has_value());
    if (expected) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*actual), std::bit_cast<std::uint64_t>(*expected));
    }
}

TEST(DecimalLiteral, ReadsAsTheNearestDouble) {
    const char* cases[] = {"0",
                           "0.0",
                           "000",
                           "1",
                           "7",
                           "10",
                           "0.1",
                           "0.001",
                           "1.",
                           ".5",
                           "2.675",
                           "4.35",
                           "9.81",
                           "123456789012345",
                           "1234567890123456",
                           "12345678901234567890",
                           "999999999999999",
                           "9999999999999999",
                           "0.000000000000000000001",
                           "1e22",
                           "1e23",
                           "1E-22",
                           "1e-23",
                           "123.456e10",
                           "1.5e-5",
                           "3.0857e16",
                           "1.602176634e-19",
                           "0.1e-300",
                           "4.9406564584124654e-324",
                           "2.2250738585072014e-308",
                           "1.7976931348623157e308",
                           "1e308",
                           "1e309",
                           "1e400",
                           "1e-400",
                           "0e400",
                           "5e-324",
                           "2e-324",
                           "0.000000000000000000000000000000000000001e+38",
                           "1e+0022",
                           "100000000000000000000000",
                           "4503599627370496.5",
                           "9007199254740993"};
    for (const char* text : cases)
        expectSameAsStandard(text);
}

// Random literals of every shape: up to 20 digits, a point anywhere, exponents near and
// beyond the exactly representable powers of ten.
TEST(DecimalLiteral, RandomLiteralsReadAsTheStandardReadsThem) {
    std::mt19937_64 random(20240607);
    for (int n = 0; n < 200000; ++n) {
        std::string text;
        int digits = 1 + static_cast<int>(random() % 20);
        for (int i = 0; i < digits; ++i)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 2) text.insert(random() % (text.size() + 1), 1, '.');
        if (text == ".") text = "0.";
        if (random() % 2) {
            text += random() % 2 ? "e" : "E";
            int exponent = static_cast<int>(random() % 60) - 30;
            if (random() % 8 == 0) exponent *= 11;
            if (exponent >= 0 && random() % 2) text += '+';
            text += std::to_string(exponent);
        }
        expectSameAsStandard(text);
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace tally
