#include "engine/format_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace tally {

namespace {

constexpr int kSignificantDigits = 15;

// The decimal digits of a positive number, d1.d2d3... x 10^exponent, without trailing zeros.
struct Digits {
    char digit[24];
    int count = 0;
    int exponent = 0;

    void stripTrailingZeros() {
        while (count > 1 && digit[count - 1] == '0')
            --count;
    }
};

// Reads the digits and exponent of a scientific text "d.ddde±x".
Digits digitsOf(const char* begin, const char* end) {
    Digits digits;
    const char* p = begin;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') digits.digit[digits.count++] = *p;
    }
    // The exponent: "e", a sign, two or three digits.
    bool negative = p[1] == '-';
    int exponent = 0;
    for (p += 2; p < end; ++p)
        exponent = exponent * 10 + (*p - '0');
    digits.exponent = negative ? -exponent : exponent;
    digits.stripTrailingZeros();
    return digits;
}

Digits roundedByLibrary(double magnitude) {
    char buffer[64];
    auto rounded = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                 std::chars_format::scientific, kSignificantDigits - 1);
    return digitsOf(buffer, rounded.ptr);
}

// The value rounded to 15 significant digits (ties to even), from its shortest text: when
// that has at most 15 digits it is the rounding itself. With 16 or 17 digits no rounding
// boundary lies between it and the value, unless it is the boundary itself (16 digits ending
// in 5), so its own digits round the same way; only that case asks the library again.
Digits roundedDigits(double magnitude) {
    char buffer[64];
    auto shortest =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    Digits digits = digitsOf(buffer, shortest.ptr);
    if (digits.count <= kSignificantDigits) return digits;
    if (digits.count == kSignificantDigits + 1 && digits.digit[kSignificantDigits] == '5') {
        return roundedByLibrary(magnitude);
    }
    bool up = digits.digit[kSignificantDigits] >= '5';
    digits.count = kSignificantDigits;
    for (int i = kSignificantDigits - 1; up && i >= 0; --i) {
        up = digits.digit[i] == '9';
        digits.digit[i] = up ? '0' : static_cast<char>(digits.digit[i] + 1);
    }
    if (up) {
        digits.digit[0] = '1';
        digits.count = 1;
        ++digits.exponent;
    }
    digits.stripTrailingZeros();
    return digits;
}

// Writes the digits in the general format: fixed notation for exponents from -5 to 14,
// scientific otherwise.
std::u16string layout(bool negative, const Digits& digits) {
    char16_t text[48];
    int length = 0;
    auto put = [&](char c) { text[length++] = static_cast<char16_t>(c); };
    auto putDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            put(digits.digit[i]);
    };
    if (negative) put('-');
    int exponent = digits.exponent;
    int count = digits.count;
    if (exponent < -4 || exponent >= kSignificantDigits) {
        put(digits.digit[0]);
        if (count > 1) {
            put('.');
            putDigits(1, count);
        }
        put('E');
        put(exponent < 0 ? '-' : '+');
        int magnitude = std::abs(exponent);
        if (magnitude >= 100) put(static_cast<char>('0' + magnitude / 100));
        put(static_cast<char>('0' + magnitude / 10 % 10));
        put(static_cast<char>('0' + magnitude % 10));
    } else if (exponent < 0) {
        put('0');
        put('.');
        for (int i = 0; i < -exponent - 1; ++i)
            put('0');
        putDigits(0, count);
    } else if (count <= exponent + 1) {
        putDigits(0, count);
        for (int i = count; i < exponent + 1; ++i)
            put('0');
    } else {
        putDigits(0, exponent + 1);
        put('.');
        putDigits(exponent + 1, count);
    }
    return {text, static_cast<std::size_t>(length)};
}

}  // namespace

std::u16string formatNumber(double value) {
    if (value == 0) return u"0";
    if (std::isnan(value)) return u"nan";
    bool negative = value < 0;
    if (std::isinf(value)) return negative ? u"-inf" : u"inf";
    double magnitude = negative ? -value : value;
    if (magnitude < 1e15 &&
        magnitude == static_cast<double>(static_cast<std::uint64_t>(magnitude))) {
        char buffer[24];
        auto end =
            std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint64_t>(magnitude))
                .ptr;
        std::u16string text;
        text.reserve(static_cast<std::size_t>(end - buffer) + 1);
        if (negative) text += u'-';
        text.append(buffer, end);
        return text;
    }
    // Below the normal range the shortest text says nothing about the rounding.
    bool normal = magnitude >= std::numeric_limits<double>::min();
    return layout(negative, normal ? roundedDigits(magnitude) : roundedByLibrary(magnitude));
}

}  // namespace tally
