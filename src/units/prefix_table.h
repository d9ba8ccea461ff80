#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tally {

// One SI prefix: English name and symbol, Russian name and symbol, and its factor as the
// text that is pasted into unit definitions.
struct Prefix {
    std::u16string_view englishName;
    std::u16string_view englishSymbol;
    std::u16string_view russianName;
    std::u16string_view russianSymbol;
    std::u16string_view factor;
    double value;
};

// The twenty prefixes, yotta to yocto. Only exa to atto (kFirstApplied..kLastApplied,
// 0-based) are ever applied to units.
const std::array<Prefix, 20>& prefixTable();
inline constexpr int kFirstAppliedPrefix = 2;
inline constexpr int kLastAppliedPrefix = 17;

// The Russian symbol of the prefix whose factor is 1/scale ("к" for the gram's 0.001), or
// empty.
std::u16string_view prefixForScale(double scale);

}  // namespace tally
