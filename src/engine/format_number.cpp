#include "engine/format_number.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>

namespace tally {

namespace {

constexpr int kSignificantDigits = 15;

// A positive value rounded to 15 significant digits: they are the digits of `whole`, a
// 15-digit number (or 10^15, which rounding may reach), the first of them at 10^exponent.
struct Rounded {
    std::uint64_t whole = 0;
    int exponent = 0;
};

// The value rounded to 15 significant digits, ties to even, by the library from its exact
// binary value: its scientific text "d.ddde±x" read back.
Rounded roundedByLibrary(double magnitude) {
    char buffer[64];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1)
                          .ptr;
    Rounded rounded;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') rounded.whole = rounded.whole * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    // The exponent: "e", a sign, two or three digits.
    bool negative = p[1] == '-';
    int exponent = 0;
    for (p += 2; p < end; ++p)
        exponent = exponent * 10 + (*p - '0');
    rounded.exponent = negative ? -exponent : exponent;
    return rounded;
}

// Powers of ten in extended precision, for 10^-294..10^322: 10^0..10^27 are exact, and
// steps of 10^28 are the nearest values to theirs, so a power is off by two roundings at most.
long double powerOfTen(int exponent) {
    static constexpr long double kExact[28] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,
                                               1e7L,  1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L,
                                               1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L,
                                               1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};
    static constexpr long double kSteps[23] = {1e-308L, 1e-280L, 1e-252L, 1e-224L, 1e-196L, 1e-168L,
                                               1e-140L, 1e-112L, 1e-84L,  1e-56L,  1e-28L,  1e0L,
                                               1e28L,   1e56L,   1e84L,   1e112L,  1e140L,  1e168L,
                                               1e196L,  1e224L,  1e252L,  1e280L,  1e308L};
    int step = exponent >= 0 ? exponent / 28 : -((-exponent + 27) / 28);
    return kSteps[step + 11] * kExact[exponent - 28 * step];
}

// Writes the `count` decimal digits of `value` (at most eight), the last at the end, two at
// a time.
void writeShortDigits(char16_t* first, std::uint32_t value, int count) {
    static constexpr char16_t kPairs[] =
        u"00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        u"40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        u"8081828384858687888990919293949596979899";
    for (; count >= 2; count -= 2) {
        std::memcpy(first + count - 2, kPairs + 2 * (value % 100), 2 * sizeof(char16_t));
        value /= 100;
    }
    if (count == 1) first[0] = static_cast<char16_t>(u'0' + value);
}

// Writes the `count` decimal digits of `value`, leading zeros included: the last eight and
// the rest each in 32 bits, where dividing costs less.
void writeDigits(char16_t* first, std::uint64_t value, int count) {
    constexpr std::uint64_t kEightDigits = 100000000;
    if (count > 8) {
        writeShortDigits(first + count - 8, static_cast<std::uint32_t>(value % kEightDigits), 8);
        value /= kEightDigits;
        count -= 8;
    }
    writeShortDigits(first, static_cast<std::uint32_t>(value), count);
}

// Whole numbers of up to 128 bits, a compiler extension.
__extension__ typedef unsigned __int128 Unsigned128;

constexpr std::uint64_t kFifteenDigitLimit = 1000000000000000ULL;

// 10^0 to 10^24, exact in 128 bits.
constexpr auto kPowersOfTen = [] {
    std::array<Unsigned128, 25> powers{};
    Unsigned128 power = 1;
    for (Unsigned128& entry : powers) {
        entry = power;
        power *= 10;
    }
    return powers;
}();

// The decimal exponent of a normal value, or one less, from its binary exponent.
int decimalExponentEstimate(int binaryExponent) {
    double estimate = binaryExponent * 0.30102999566398120;
    int exponent = static_cast<int>(estimate);
    if (estimate < exponent) --exponent;
    return exponent;
}

// The value rounded to 15 significant digits, ties to even, in whole numbers: from 1e-7 up to
// 1e38 the value's binary digits and the power of ten that makes it a 15-digit whole number
// fit 128 bits, so the rounding is exact. Nothing outside that range.
std::optional<Rounded> roundedExactly(double magnitude) {
    if (!(magnitude >= 1e-7 && magnitude < 1e38)) return std::nullopt;
    auto bits = std::bit_cast<std::uint64_t>(magnitude);
    int binaryExponent = static_cast<int>(bits >> 52) - 1023;
    std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    // The value is mantissa * 2^(binaryExponent - 52): a fraction below 2^52, a whole
    // number above.
    int shift = 52 - binaryExponent;
    int exponent = decimalExponentEstimate(binaryExponent);
    // The 15-digit whole part of numerator / denominator, and whether the rest is more than,
    // or exactly, one half.
    auto divide = [&](int decimalExponent, Unsigned128& whole, int& comparedToHalf) {
        int power = kSignificantDigits - 1 - decimalExponent;
        Unsigned128 numerator = mantissa;
        Unsigned128 twiceRest = 0;
        Unsigned128 denominator = 0;
        if (power >= 0) {
            // Below 1e15 the denominator is a power of two: shifts do.
            numerator *= kPowersOfTen[static_cast<std::size_t>(power)];
            whole = numerator >> shift;
            twiceRest = (numerator - (whole << shift)) << 1;
            denominator = Unsigned128{1} << shift;
        } else {
            denominator = kPowersOfTen[static_cast<std::size_t>(-power)];
            if (shift >= 0) {
                denominator <<= shift;
            } else {
                numerator <<= -shift;
            }
            whole = numerator / denominator;
            twiceRest = 2 * (numerator - whole * denominator);
        }
        comparedToHalf = twiceRest > denominator ? 1 : twiceRest == denominator ? 0 : -1;
    };
    Unsigned128 whole = 0;
    int comparedToHalf = 0;
    divide(exponent, whole, comparedToHalf);
    if (whole >= kFifteenDigitLimit) divide(++exponent, whole, comparedToHalf);
    auto rounded = static_cast<std::uint64_t>(whole);
    if (comparedToHalf > 0 || (comparedToHalf == 0 && (rounded & 1) != 0)) ++rounded;
    return Rounded{rounded, exponent};
}

// The value rounded to 15 significant digits through extended precision: the value scaled to
// a 15-digit whole number is off by less than 1e-4 of a unit, so its rounding is certain
// unless the fraction lies that close to one half. Nothing then: a near tie is decided from
// the exact digits.
std::optional<Rounded> roundedQuickly(double magnitude) {
    // Below the normal range the powers of ten would run out.
    if (magnitude < std::numeric_limits<double>::min()) return std::nullopt;
    constexpr long double kLowest = 1e14L;
    constexpr long double kBeyond = 1e15L;
    int binaryExponent = static_cast<int>(std::bit_cast<std::uint64_t>(magnitude) >> 52) - 1023;
    int exponent = decimalExponentEstimate(binaryExponent);
    long double scaled = magnitude * powerOfTen(kSignificantDigits - 1 - exponent);
    if (scaled >= kBeyond) {
        ++exponent;
        scaled = magnitude * powerOfTen(kSignificantDigits - 1 - exponent);
    }
    if (scaled < kLowest || scaled >= kBeyond) return std::nullopt;
    auto whole = static_cast<std::uint64_t>(scaled);
    long double fraction = scaled - static_cast<long double>(whole);
    if (fraction > 0.499L && fraction < 0.501L) return std::nullopt;
    if (fraction > 0.5L) ++whole;
    return Rounded{whole, exponent};
}

// Writes the rounded value in the general format: fixed notation for exponents from -5 to
// 14, scientific otherwise, without zeros after the last significant digit. The digits are
// written straight into place, those before and after a point as two numbers.
void layout(std::u16string& out, bool negative, Rounded rounded) {
    std::uint64_t whole = rounded.whole;
    int exponent = rounded.exponent;
    if (whole == kFifteenDigitLimit) {
        whole /= 10;
        ++exponent;
    }
    // Trailing zeros leave the number first, in steps of eight, four, two and one: a short
    // decimal such as 0.3 has fourteen of them. The number is not zero, so one digit stays.
    int count = kSignificantDigits;
    auto dropZeros = [&](int zeros) {
        auto power = static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(zeros)]);
        if (whole % power == 0) {
            whole /= power;
            count -= zeros;
        }
    };
    if (whole % 10 == 0) {
        dropZeros(8);
        dropZeros(4);
        dropZeros(2);
        dropZeros(1);
    }
    char16_t text[48];
    char16_t* next = text;
    // The first `leading` digits, a point, and the rest.
    auto putWithPoint = [&](int leading) {
        auto rest =
            static_cast<std::uint64_t>(kPowersOfTen[static_cast<std::size_t>(count - leading)]);
        writeDigits(next, whole / rest, leading);
        next += leading;
        *next++ = u'.';
        writeDigits(next, whole % rest, count - leading);
        next += count - leading;
    };
    auto putZeros = [&](int zeros) {
        for (int i = 0; i < zeros; ++i)
            *next++ = u'0';
    };
    if (negative) *next++ = u'-';
    if (exponent < -4 || exponent >= kSignificantDigits) {
        if (count > 1) {
            putWithPoint(1);
        } else {
            *next++ = static_cast<char16_t>(u'0' + whole);
        }
        *next++ = u'E';
        *next++ = exponent < 0 ? u'-' : u'+';
        int magnitude = std::abs(exponent);
        if (magnitude >= 100) *next++ = static_cast<char16_t>(u'0' + magnitude / 100);
        *next++ = static_cast<char16_t>(u'0' + magnitude / 10 % 10);
        *next++ = static_cast<char16_t>(u'0' + magnitude % 10);
    } else if (exponent < 0) {
        *next++ = u'0';
        *next++ = u'.';
        putZeros(-exponent - 1);
        writeDigits(next, whole, count);
        next += count;
    } else if (count <= exponent + 1) {
        writeDigits(next, whole, count);
        next += count;
        putZeros(exponent + 1 - count);
    } else {
        putWithPoint(exponent + 1);
    }
    out.append(text, static_cast<std::size_t>(next - text));
}

// Every number but a whole one below 10^15, out of line so that whole numbers need none of
// the room the rounding takes.
[[gnu::noinline]] void appendRoundedNumber(std::u16string& text, double value) {
    if (std::isnan(value)) {
        text += u"nan";
        return;
    }
    bool negative = value < 0;
    if (std::isinf(value)) {
        text += negative ? u"-inf" : u"inf";
        return;
    }
    double magnitude = negative ? -value : value;
    std::optional<Rounded> rounded = roundedExactly(magnitude);
    if (!rounded) rounded = roundedQuickly(magnitude);
    layout(text, negative, rounded ? *rounded : roundedByLibrary(magnitude));
}

}  // namespace

void appendNumber(std::u16string& text, double value) {
    if (value == 0) {
        text += u'0';
        return;
    }
    double magnitude = std::fabs(value);
    if (!(magnitude < 1e15) ||
        magnitude != static_cast<double>(static_cast<std::uint64_t>(magnitude))) {
        appendRoundedNumber(text, value);
        return;
    }
    // A whole number below 10^15 is its own 15-digit rounding, written from its last digit.
    char16_t digits[16];
    char16_t* first = digits + sizeof digits / sizeof digits[0];
    char16_t* const end = first;
    for (auto whole = static_cast<std::uint64_t>(magnitude); whole != 0; whole /= 10) {
        *--first = static_cast<char16_t>(u'0' + whole % 10);
    }
    if (value < 0) *--first = u'-';
    text.append(first, static_cast<std::size_t>(end - first));
}

std::u16string formatNumber(double value) {
    std::u16string text;
    appendNumber(text, value);
    return text;
}

}  // namespace tally
