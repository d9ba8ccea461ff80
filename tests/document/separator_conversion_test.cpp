#include "document/separator_conversion.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

struct ConversionCase {
    const char* name;
    SeparatorConversion conversion;
    std::u16string_view copied;     // the document's text
    std::u16string_view clipboard;  // what the clipboard holds after copying it
};

constexpr SeparatorConversion kCommaRegionOn{false, true};
constexpr SeparatorConversion kCommaRegionOff{false, false};
constexpr SeparatorConversion kPointRegionOn{true, true};
constexpr SeparatorConversion kPointRegionOff{true, false};

class SeparatorConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(SeparatorConversionTest, CopyAndPasteAreInverse) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(toClipboardNotation(c.copied, c.conversion), c.clipboard);
    EXPECT_EQ(fromClipboardNotation(c.clipboard, c.conversion), c.copied);
}

INSTANTIATE_TEST_SUITE_P(
    Regions, SeparatorConversionTest,
    testing::Values(
        ConversionCase{"comma_region_converts", kCommaRegionOn, u"f(1.5, 2)", u"f(1,5; 2)"},
        ConversionCase{"several_numbers", kCommaRegionOn, u"Sum(1.25,2.5,3)=6.75",
                       u"Sum(1,25;2,5;3)=6,75"},
        ConversionCase{"lines_and_units", kCommaRegionOn, u"x=2.5[м]\nMax(x,1.5)",
                       u"x=2,5[м]\nMax(x;1,5)"},
        ConversionCase{"nothing_to_convert", kCommaRegionOn, u"2+3=5", u"2+3=5"},
        ConversionCase{"comma_region_option_off", kCommaRegionOff, u"f(1.5, 2)", u"f(1.5, 2)"},
        ConversionCase{"point_region_option_on", kPointRegionOn, u"f(1.5, 2)", u"f(1.5, 2)"},
        ConversionCase{"point_region_option_off", kPointRegionOff, u"f(1.5, 2)", u"f(1.5, 2)"}),
    [](const auto& testCase) { return testCase.param.name; });

// Each replacement sees the original characters only: a "," made from "." is not turned
// into ";" again, and a "." made from "," is not turned back.
TEST(SeparatorConversion, ReplacementsDoNotFeedEachOther) {
    EXPECT_EQ(toClipboardNotation(u".,.,", kCommaRegionOn), u",;,;");
    EXPECT_EQ(fromClipboardNotation(u",;,;", kCommaRegionOn), u".,.,");
    EXPECT_EQ(fromClipboardNotation(u"1.5", kCommaRegionOn), u"1.5");
}

}  // namespace
}  // namespace tally
