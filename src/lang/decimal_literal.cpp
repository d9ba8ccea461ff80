#include "lang/decimal_literal.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace tally {

namespace {

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;
constexpr int kMostExactDigits = 15;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Most literals have at most 15 significant digits and a small exponent: their digits are
// an exact double, so is the power of ten, and one division or multiplication rounds the
// quotient or product correctly, which is the nearest double to the literal.
std::optional<double> exactDecimal(std::u16string_view literal) {
    std::uint64_t digits = 0;
    int significant = 0;
    int exponent = 0;
    std::size_t i = 0;
    auto readDigits = [&](bool fraction) {
        for (; i < literal.size() && isDigit(literal[i]); ++i) {
            if (digits == 0 && literal[i] == u'0') {
                if (fraction) --exponent;
                continue;
            }
            digits = digits * 10 + static_cast<std::uint64_t>(literal[i] - u'0');
            if (fraction) --exponent;
            if (++significant > kMostExactDigits) return false;
        }
        return true;
    };
    if (!readDigits(false)) return std::nullopt;
    if (i < literal.size() && literal[i] == u'.') {
        ++i;
        if (!readDigits(true)) return std::nullopt;
    }
    if (i < literal.size() && (literal[i] == u'e' || literal[i] == u'E')) {
        ++i;
        bool negative = i < literal.size() && literal[i] == u'-';
        if (i < literal.size() && (literal[i] == u'-' || literal[i] == u'+')) ++i;
        int written = 0;
        for (; i < literal.size() && isDigit(literal[i]); ++i) {
            if (written > 1000) return std::nullopt;
            written = written * 10 + (literal[i] - u'0');
        }
        exponent += negative ? -written : written;
    }
    if (i != literal.size()) return std::nullopt;
    if (digits == 0) return 0.0;
    if (exponent < -kLargestExactPower || exponent > kLargestExactPower) return std::nullopt;
    auto value = static_cast<double>(digits);
    return exponent < 0 ? value / kExactPowersOfTen[-exponent]
                        : value * kExactPowersOfTen[exponent];
}

}  // namespace

std::optional<double> nearestDouble(std::u16string_view literal) {
    if (std::optional<double> exact = exactDecimal(literal)) return exact;
    std::string text(literal.begin(), literal.end());
    double nearest = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), nearest);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return nearest;
}

}  // namespace tally
