// UTF-8 at the edges of the program: every valid text converts both ways unchanged, and
// what is not valid becomes U+FFFD instead of being lost or garbling what follows.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "lang/code_page.h"

namespace tally {
namespace {

// The text converted in room the caller gives, as the document converts its lines.
std::u16string writtenFromUtf8(std::string_view utf8) {
    std::u16string units(utf8.size(), u'#');
    units.resize(writeFromUtf8(utf8, units.data()));
    return units;
}

TEST(Utf8, ConvertsBothWays) {
    struct Case {
        std::string utf8;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"", u""},
        {"2+3*4=14", u"2+3*4=14"},
        {"Sum(1,2,3)/7~!@#$%^&*_{}|\x01\x7F` ok", u"Sum(1,2,3)/7~!@#$%^&*_{}|\x01\x7F` ok"},
        {"5[км/ч]=1.38888888888889[м/с]", u"5[км/ч]=1.38888888888889[м/с]"},
        {"\xE2\x82\xAC \xC2\xB0", u"\u20AC \u00B0"},
        {"\xF0\x9F\x98\x80!", u"\xD83D\xDE00!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(fromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(writtenFromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(toUtf8(c.utf16), c.utf8);
        std::string appended = "x";
        appendUtf8(appended, c.utf16);
        EXPECT_EQ(appended, "x" + c.utf8);
        std::u16string appended16 = u"y";
        appendFromUtf8(appended16, c.utf8);
        EXPECT_EQ(appended16, u"y" + c.utf16);
    }
}

TEST(Utf8, WhatIsNotValidBecomesReplacementCharacters) {
    struct Case {
        std::string_view utf8;
        std::u16string_view utf16;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         u"a\uFFFDb"},
        {"a\xD0", u"a\uFFFD"},  // cut short
        {"\xC0\xAF"
         "c",
         u"\uFFFD\uFFFDc"},                       // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
    };
    // Each text alone (a short one is converted unit by unit) and after a long lead-in
    // (converted in blocks).
    const std::string leadIn(100, 'x');
    for (const Case& c : cases) {
        std::string longText = leadIn + std::string(c.utf8);
        std::u16string expected =
            std::u16string(leadIn.begin(), leadIn.end()) + std::u16string(c.utf16);
        EXPECT_EQ(fromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(fromUtf8(longText), expected);
        EXPECT_EQ(writtenFromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(writtenFromUtf8(longText), expected);
    }
    EXPECT_EQ(toUtf8(u"a\xD800"), "a\xEF\xBF\xBD");  // lone surrogates
    EXPECT_EQ(toUtf8(u"\xDC00z"), "\xEF\xBF\xBDz");
}

TEST(Utf8, RandomTextsComeBackUnchanged) {
    std::mt19937 random(8);
    for (int n = 0; n < 2000; ++n) {
        std::u16string text;
        // Every fiftieth text is long and mostly ASCII, so that runs of it and characters of
        // several bytes cross the blocks the converters work in.
        bool longText = n % 50 == 0;
        int length = static_cast<int>(longText ? 3000 + random() % 6000 : random() % 40);
        for (int i = 0; i < length; ++i) {
            bool ascii = longText ? random() % 8 != 0 : random() % 4 == 0;
            auto point = static_cast<std::uint32_t>(ascii ? random() % 0x80 : random() % 0x110000);
            if (point >= 0xD800 && point <= 0xDFFF) continue;
            if (point >= 0x10000) {
                point -= 0x10000;
                text += static_cast<char16_t>(0xD800 + (point >> 10));
                text += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
            } else {
                text += static_cast<char16_t>(point);
            }
        }
        std::string utf8 = toUtf8(text);
        ASSERT_TRUE(isValidUtf8(utf8));
        ASSERT_EQ(fromUtf8(utf8), text);
        ASSERT_EQ(writtenFromUtf8(utf8), text);
    }
}

}  // namespace
}  // namespace tally
