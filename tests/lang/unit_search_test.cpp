// Searching UTF-16 text for one code unit, through the bytes of the text.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lang/unit_search.h"

namespace tally {
namespace {

TEST(UnitSearch, FindsTheUnitAndNotItsBytesElsewhere) {
    constexpr std::size_t npos = std::u16string_view::npos;
    struct Case {
        std::u16string_view text;
        char16_t unit;
        std::size_t from;
        std::size_t found;
    };
    const Case cases[] = {
        {u"", u'\n', 0, npos},
        {u"2+3", u'`', 0, npos},
        {u"2+3 ` x", u'`', 0, 4},
        {u"a\nb\nc", u'\n', 2, 3},
        {u"a\nb", u'\n', 3, npos},
        {u"a\nb", u'\n', 9, npos},
        // Units sharing the low byte, or with the searched byte high, are passed over.
        {u"\u0A00\u010A\u0A0A\n", u'\n', 0, 3},
        {u"\u0A00\u000A", u'\n', 0, 1},
        {u"\u0A0A", u'\n', 0, npos},
        {u"м·с\u0420", u'·', 0, 1},
        {u"тм\u3C3Cм", u'м', 2, 3},
        {u"\u043C", u'\u3C04', 0, npos},
    };
    // Each text is searched as it stands (short texts are looked through directly) and after
    // a long lead-in that sends the search to the byte scan.
    const std::u16string leadIn(40, u'x');
    for (const Case& c : cases) {
        EXPECT_EQ(findUnit(c.text, c.unit, c.from), c.found)
            << "unit " << static_cast<int>(c.unit) << " from " << c.from;
        std::size_t library = c.from >= c.text.size() ? npos : c.text.find(c.unit, c.from);
        EXPECT_EQ(findUnit(c.text, c.unit, c.from), library);
        std::u16string longText = leadIn + std::u16string(c.text);
        std::size_t shifted = c.found == npos ? npos : c.found + leadIn.size();
        EXPECT_EQ(findUnit(longText, c.unit, c.from + leadIn.size()), shifted)
            << "unit " << static_cast<int>(c.unit) << " after the lead-in";
    }
}

}  // namespace
}  // namespace tally
