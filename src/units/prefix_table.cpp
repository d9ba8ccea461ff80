#include "units/prefix_table.h"

#include <cmath>

namespace tally {

const std::array<Prefix, 20>& prefixTable() {
    static constexpr std::array<Prefix, 20> kTable = {{
        {u"yotta", u"Y", u"йотта", u"йотта", u"1e24", 1e24},
        {u"zetta", u"Z", u"зетта", u"зетта", u"1e21", 1e21},
        {u"exa", u"E", u"экса", u"Э", u"1e18", 1e18},
        {u"peta", u"P", u"пета", u"П", u"1e15", 1e15},
        {u"tera", u"T", u"тера", u"Т", u"1e12", 1e12},
        {u"giga", u"G", u"гига", u"Г", u"1e9", 1e9},
        {u"mega", u"M", u"мега", u"М", u"1e6", 1e6},
        {u"kilo", u"k", u"кило", u"к", u"1e3", 1e3},
        {u"hecto", u"h", u"гекто", u"г", u"1e2", 1e2},
        {u"deca", u"da", u"дека", u"да", u"1e1", 1e1},
        {u"deci", u"d", u"деци", u"д", u"1e-1", 1e-1},
        {u"centi", u"c", u"санти", u"с", u"1e-2", 1e-2},
        {u"milli", u"m", u"милли", u"м", u"1e-3", 1e-3},
        {u"micro", u"mc", u"микро", u"мк", u"1e-6", 1e-6},
        {u"nano", u"n", u"нано", u"н", u"1e-9", 1e-9},
        {u"pico", u"p", u"пико", u"п", u"1e-12", 1e-12},
        {u"femto", u"f", u"фемто", u"ф", u"1e-15", 1e-15},
        {u"atto", u"a", u"атто", u"а", u"1e-18", 1e-18},
        {u"zepto", u"z", u"зепто", u"зепто", u"1e-21", 1e-21},
        {u"yocto", u"y", u"йокто", u"йокто", u"1e-24", 1e-24},
    }};
    return kTable;
}

std::u16string_view prefixForScale(double scale) {
    if (scale == 1 || scale == 0) return {};
    for (int r = kFirstAppliedPrefix; r <= kLastAppliedPrefix; ++r) {
        const Prefix& p = prefixTable()[static_cast<std::size_t>(r)];
        // Relative: a scale read from its definition text may be off in the last digit
        // (0.001 reads as 0.0010000000000000002), which an absolute test of 1/scale misses.
        if (std::fabs(p.value * scale - 1) <= 1e-12) return p.russianSymbol;
    }
    return {};
}

}  // namespace tally
