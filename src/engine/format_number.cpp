#include "engine/format_number.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace tally {

namespace {

constexpr int kSignificantDigits = 15;

// Writes digits d1 d2 ... with decimal exponent `exponent` (value = d1.d2... x 10^exponent)
// in the general format: fixed notation for exponents from -5 to 14, scientific otherwise.
std::u16string layout(bool negative, std::string_view digits, int exponent) {
    std::u16string text;
    if (negative) text += u'-';
    auto append = [&](std::string_view part) { text.append(part.begin(), part.end()); };
    if (exponent < -4 || exponent >= kSignificantDigits) {
        text += static_cast<char16_t>(digits[0]);
        if (digits.size() > 1) {
            text += u'.';
            append(digits.substr(1));
        }
        text += exponent < 0 ? u"E-" : u"E+";
        int magnitude = std::abs(exponent);
        if (magnitude < 10) text += u'0';
        append(std::to_string(magnitude));
    } else if (exponent < 0) {
        text += u"0.";
        text.append(static_cast<std::size_t>(-exponent - 1), u'0');
        append(digits);
    } else if (static_cast<int>(digits.size()) <= exponent + 1) {
        append(digits);
        text.append(static_cast<std::size_t>(exponent + 1) - digits.size(), u'0');
    } else {
        append(digits.substr(0, static_cast<std::size_t>(exponent + 1)));
        text += u'.';
        append(digits.substr(static_cast<std::size_t>(exponent + 1)));
    }
    return text;
}

// Splits a scientific text "d.ddde±x" into its digits and exponent.
void split(std::string_view scientific, std::string& digits, int& exponent) {
    std::size_t e = scientific.find('e');
    digits.clear();
    for (char c : scientific.substr(0, e)) {
        if (c != '.') digits += c;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);
}

}  // namespace

std::u16string formatNumber(double value) {
    if (value == 0) return u"0";
    bool negative = value < 0;
    double magnitude = negative ? -value : value;
    char buffer[64];
    if (magnitude < 1e15 &&
        magnitude == static_cast<double>(static_cast<std::uint64_t>(magnitude))) {
        auto end =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(magnitude))
                .ptr;
        std::u16string text;
        if (negative) text += u'-';
        text.append(buffer, end);
        return text;
    }
    // The shortest text that reads back as the value is also its rounding to 15 digits
    // whenever it has at most 15 digits; otherwise round explicitly.
    auto shortest =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string digits;
    int exponent = 0;
    split(std::string_view(buffer, static_cast<std::size_t>(shortest.ptr - buffer)), digits,
          exponent);
    if (static_cast<int>(digits.size()) > kSignificantDigits ||
        magnitude < std::numeric_limits<double>::min()) {
        auto rounded = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                     std::chars_format::scientific, kSignificantDigits - 1);
        split(std::string_view(buffer, static_cast<std::size_t>(rounded.ptr - buffer)), digits,
              exponent);
    }
    return layout(negative, digits, exponent);
}

}  // namespace tally
