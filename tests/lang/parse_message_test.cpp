// The syntax error messages of the calculation reader: the exact text the user sees
// names the line, the character found and the failing nonterminal with its expected set,
// and marks the offending column with "!".

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lang/grammar.h"
#include "lang/grammar_actions.h"
#include "lang/grammar_variant.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::headline;
using test::utf8;

std::u16string readCalc(std::u16string_view text) {
    GrammarActions actions;
    return Grammar<GrammarActions>(GrammarVariant::calc(), actions).parse(text);
}

struct FullMessageCase {
    std::u16string_view input;
    std::u16string_view message;
};

TEST(ParseMessage, ShowsLineFoundExpectedAndMarker) {
    const FullMessageCase cases[] = {
        {u"", u""},
        {u"2+3", u""},
        {u"2+*3",
         u"Line 1, syntax error, found \"*\" when expecting <Term> with one of: chr(9) ' ' #-$ & ( "
         u". 0-9 A-[ _ a-| ° А-я\r\n2+\r\n  !"},
        // At the very end: "end marker", and "!" one column after the last character.
        {u"2+",
         u"Line 1, syntax error, found \"end marker\" when expecting <Term> with one of: chr(9) ' "
         u"' "
         u"#-$ & ( . 0-9 A-[ _ a-| ° А-я\r\n2+\r\n  !"},
        {u"@",
         u"Line 1, syntax error, found \"@\" when expecting <Calc> with one of: chr(9) ' ' #-$ & ( "
         u"+ --. 0-9 = A-[ _-| ° А-я finish\r\n\r\n!"},
        // A missing closing symbol names the symbol itself.
        {u"(1+2",
         u"Line 1, syntax error, found \"end marker\" when expecting \")\"\r\n(1+2\r\n    !"},
        // The reader steps over the missing symbol and goes on; the last report wins.
        {u"(1]x",
         u"Line 1, syntax error, found \"x\" when expecting <Postfix> with one of: ! % chr(9) ' ' "
         u")-- / :-; = [-^ ` |-} · finish\r\n(1]\r\n   !"},
        // Line feeds inside a comment count lines; the line is shown without its line break.
        {u"`a\nb\r",
         u"Line 2, syntax error, found \"\r\" when expecting <Comment> with one of: chr(0)-chr(12) "
         u"chr(14)-chr(255) finish\r\nb\r\n !"},
        {u"`a\nb\r\nc",
         u"Line 2, syntax error, found \"\r\" when expecting <Comment> with one of: chr(0)-chr(12) "
         u"chr(14)-chr(255) finish\r\nb\r\n !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.input));
        EXPECT_EQ(utf8(readCalc(c.input)), utf8(c.message));
    }
}

struct HeadlineCase {
    std::u16string input;
    std::u16string found;
    std::u16string expecting;  // nonterminal and set, or a quoted closing symbol
};

constexpr std::u16string_view kTerm = u"chr(9) ' ' #-$ & ( . 0-9 A-[ _ a-| ° А-я";
constexpr std::u16string_view kMinutes = u"# & . 0-9 chr(9) ' '-! % )-- / :-; = [-^ ` |-} · finish";

TEST(ParseMessage, NamesTheNonterminalThatFailed) {
    const HeadlineCase cases[] = {
        // A sign only at the start of an expression; the exponent is one primary.
        {u"2*-3", u"-", u"<Fact> with one of: " + std::u16string(kTerm)},
        {u"2^-1", u"-", u"<S> with one of: " + std::u16string(kTerm)},
        {u"3!!", u"!", u"<S|UnitOfM> with one of: chr(9) ' ' [ )-- / :-; = \\-^ ` |-} · finish"},
        // Only the first argument may not be left out.
        {u"f(,1)", u",", u"<Arg-List> with one of: chr(9) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я )"},
        {u"f(1,@)", u"@",
         u"<Express|> with one of: chr(9) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я ) , ;"},
        {u"f(1]", u"]", u"<[6]> with one of: = ) , ;"},
        {u"f(1,2]", u"]", u"<[7]> with one of: = ) , ;"},
        {u"f(1=2]", u"]", u"<A-List> with one of: , ; )"},
        {u"x@", u"@",
         u"<Symbols> with one of: $ . 0-9 A-Z _ a-z ° А-я chr(9) ' '-! % (-- / :-; = [-^ ` |-} "
         u"· finish"},
        {u"2)", u")", u"<[2]> with one of: = ` finish"},
        {u"1=2=3", u"3", u"<[5]> with one of: ` finish"},
        // Numeric literals.
        {u"&Z1", u"Z", u"<NoDec> with one of: H X h x O o"},
        {u"&H", u"end marker", u"<Hex> with one of: 0-9 A-F a-f"},
        {u"#o8", u"8", u"<Oct> with one of: 0-7"},
        {u".e", u"e", u"<Digit> with one of: 0-9"},
        {u"1e", u"end marker", u"<Number> with one of: + - 0-9"},
        {u"1e+", u"end marker", u"<Int> with one of: 0-9"},
        {u"2x", u"x",
         u"<{1}-right> with one of: 0-9 chr(9) ' '-chr(34) % ' )-/ :-; = E H [-^ ` e h o |-} ° · "
         u"Ч ч finish"},
        {u"1.2.3", u".",
         u"<Fract> with one of: 0-9 chr(9) ' '-chr(34) % ' )-- / :-; = E H [-^ ` e h o |-} ° · Ч "
         u"ч finish"},
        {u"&HFFz", u"z",
         u"<{3}-right> with one of: 0-9 A-F a-f chr(9) ' '-chr(34) % ' )-- / :-; = H [-^ ` h o "
         u"|-} ° · Ч ч finish"},
        {u"1°@", u"@", u"<[8]> with one of: " + std::u16string(kMinutes)},
        {u"1°30'x", u"x", u"<Secundes> with one of: " + std::u16string(kMinutes)},
        // Closing symbols.
        {u"1°2", u"end marker", u"\"'\""},
        {u"1'2", u"end marker", u"\"\"\""},
        {u"|1", u"end marker", u"\"|\""},
        {u"5[pi", u"end marker", u"\"]\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.input));
        std::u16string expected =
            u"Line 1, syntax error, found \"" + c.found + u"\" when expecting " + c.expecting;
        EXPECT_EQ(utf8(headline(readCalc(c.input))), utf8(expected));
    }
}

// Bracket nesting is bounded so that no input can exhaust the machine stack: the bracket
// that goes too deep is a syntax error.
TEST(ParseMessage, BracketNestingBeyondTheLimitIsASyntaxError) {
    auto nested = [](int depth) {
        return std::u16string(static_cast<std::size_t>(depth), u'(') + u"1" +
               std::u16string(static_cast<std::size_t>(depth), u')');
    };
    EXPECT_EQ(utf8(readCalc(nested(256))), "");
    EXPECT_EQ(utf8(headline(readCalc(nested(257)))),
              "Line 1, syntax error, found \"(\" when expecting <Prim> with one of: ( [ { | # & . "
              "0-9 $ A-Z _ a-z ° А-я");
    EXPECT_NE(readCalc(nested(200000)), u"");
}

}  // namespace
}  // namespace tally
