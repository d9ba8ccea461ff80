// The readers that share the calculation grammar: names, numeric literals, the
// name-occurrence scanner, and where the variants must agree or differ.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/variable_table.h"
#include "lang/grammar.h"
#include "lang/grammar_actions.h"
#include "lang/grammar_variant.h"
#include "lang/recognisers.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::headline;
using test::utf8;

std::u16string read(const GrammarVariant& variant, std::u16string_view text) {
    GrammarActions actions;
    return Grammar<GrammarActions>(variant, actions).parse(text);
}

TEST(IsName, AcceptsExactlyOneName) {
    for (std::u16string_view name : {u"x", u"°C", u"$a", u"km2", u"a.b", u"_", u"Сила", u"x_1.2"}) {
        EXPECT_TRUE(isName(name)) << utf8(name);
    }
    const std::u16string parameter = parameterName(1);
    const std::u16string_view notNames[] = {u"2x", u"x y", u"x+1", u"x(",    u"",
                                            u" x", u"x ",  u".a",  parameter};
    for (std::u16string_view text : notNames) {
        EXPECT_FALSE(isName(text)) << utf8(text);
    }
}

TEST(IsName, ReportsWhatMayFollowAName) {
    EXPECT_EQ(utf8(checkName(u"x+1")),
              "Line 1, syntax error, found \"+\" when expecting <Symbols> with one of: $ . 0-9 A-Z "
              "_ a-z ° А-я finish\r\nx\r\n !");
    EXPECT_EQ(utf8(headline(checkName(u""))),
              "Line 1, syntax error, found \"end marker\" when expecting <Variable> with one of: $ "
              "A-Z _ a-z ° А-я");
}

struct LiteralCase {
    std::u16string_view text;
    std::optional<double> value;  // nothing: not one literal
};

TEST(IsNumericLiteral, AcceptsOneWholeLiteral) {
    const LiteralCase cases[] = {
        {u"12", 12},
        {u"1.5E-3", 1.5e-3},
        {u".5", 0.5},
        {u"5.", 5},
        {u"&HFF", 255},
        {u"#o17", 15},
        {u"#x1f", 31},
        {u"12°30'", 12.5},
        {u"1h30'", 1.5},
        {u"30'", 0.5},
        {u"36\"", 0.01},
        {u"-5", std::nullopt},
        {u"5 ", std::nullopt},
        {u"5[m]", std::nullopt},
        {u"2*3", std::nullopt},
        {u"", std::nullopt},
        {u"1e", std::nullopt},
        {u"&Z1", std::nullopt},
        {u".", std::nullopt},
        {u"x", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(isNumericLiteral(c.text), c.value.has_value());
        std::optional<double> value = numericLiteralValue(c.text);
        ASSERT_EQ(value.has_value(), c.value.has_value());
        if (value) {
            EXPECT_DOUBLE_EQ(*value, *c.value);
        }
    }
}

TEST(IsNumericLiteral, FollowSetsHoldOnlyLiteralMarks) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"-5", u"\"-\" when expecting <Number> with one of: # & . 0-9"},
        {u"5 ",
         u"\" \" when expecting <{1}-right> with one of: 0-9 chr(34) ' . E H e h o ° Ч ч "
         u"finish"},
        {u"1e", u"\"end marker\" when expecting <ExpNumber> with one of: + - 0-9"},
        {u"1.5x",
         u"\"x\" when expecting <Fract> with one of: 0-9 chr(34) ' E H e h o ° Ч ч finish"},
        {u"1e5x",
         u"\"x\" when expecting <{2}-right> with one of: 0-9 chr(34) ' H h o ° Ч ч finish"},
        {u"#o7x",
         u"\"x\" when expecting <{4}-right> with one of: 0-7 chr(34) ' H h o ° Ч ч finish"},
        {u"12°x", u"\"x\" when expecting <[1]> with one of: # & . 0-9 finish"},
        {u"1'x", u"\"x\" when expecting <Secundes> with one of: # & . 0-9 finish"},
    };
    for (const auto& [text, tail] : cases) {
        SCOPED_TRACE(utf8(text));
        EXPECT_EQ(utf8(headline(checkNumericLiteral(text))),
                  "Line 1, syntax error, found " + utf8(tail));
    }
}

struct OccurrenceCase {
    std::u16string expression;
    std::u16string name;
    std::vector<int> positions;
};

TEST(FindNameOccurrences, FindsWholeNamesOnly) {
    const OccurrenceCase cases[] = {
        {u"x^2+x1+2*x", u"x", {1, 10}},
        {u"sin(x)", u"x", {5}},
        {u"sin(x)", u"sin", {1}},
        {u"x+1", u"X", {1}},
        {u"xx+x.1+ax", u"x", {}},
        // Not inside numbers: the exponent mark and hexadecimal digits are no names.
        {u"1e5+e", u"e", {5}},
        {u"&HFE+fe", u"fe", {6}},
        {u"12h+h", u"h", {5}},
        {u"FSum(x^2,x=1,3)", u"x", {6, 10}},
        {u"|x|+[x]+{x}", u"x", {2, 6, 10}},
        // The parameter mark is a letter.
        {parameterName(1) + u"*x+" + parameterName(1), parameterName(1), {1, 6}},
        // One expression: a closing symbol or "=" ends it without an error.
        {u"x)+x", u"x", {1}},
        {u"x=x", u"x", {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.expression) + " / " + utf8(c.name));
        NameOccurrences found = findNameOccurrences(c.expression, c.name);
        EXPECT_EQ(utf8(found.message), "");
        EXPECT_EQ(found.positions, c.positions);
    }
}

TEST(FindNameOccurrences, HasNoComment) {
    EXPECT_EQ(utf8(headline(findNameOccurrences(u"x`c", u"x").message)),
              "Line 1, syntax error, found \"`\" when expecting <Symbols> with one of: chr(15) $ . "
              "0-9 A-Z _ a-z ° А-я chr(9) ' '-! % (-- / :-; = [-^ |-} · finish");
}

TEST(FindNameOccurrences, LineVariantReadsRelationsAndSkipsComments) {
    NameOccurrences found = findNameOccurrencesInLine(u"a<b+a`a", u"a");
    EXPECT_EQ(utf8(found.message), "");
    EXPECT_EQ(found.positions, (std::vector<int>{1, 5}));
    found = findNameOccurrencesInLine(u"a*2=a=", u"a");
    EXPECT_EQ(utf8(found.message), "");
    EXPECT_EQ(found.positions, (std::vector<int>{1, 5}));
}

// The evaluating readers and the scanners read the same expressions. (The colouring reader
// takes part in what is accepted only: it treats an unfinished line as still being typed.)
TEST(GrammarVariants, AgreeOnExpressions) {
    const GrammarVariant* variants[] = {&GrammarVariant::calc(), &GrammarVariant::parsUsFunc(),
                                        &GrammarVariant::express(), &GrammarVariant::colour()};
    const std::u16string_view accepted[] = {
        u"2+3*4",         u"Sin(x)^2",  u"|x-1|",     u"5[m/s^2]", u"f(1,,3)", u"f(1;2)",
        u"12°30'15\"",    u"&HFF+#o17", u"-x!",       u"{[(1)]}",  u"f()",     u"2^3!",
        u"FSum(x,x=1,3)", u"a.b·$c",    u"\t2\t*\t3", u"1.5e-3%",  u"°C+Сила",
    };
    const std::u16string_view rejected[] = {
        u"2*-3", u"3!!", u"f(,1)", u"2^-1", u"&Z1", u"(1", u"2+", u"x y", u"2..5", u"@", u"f(1,",
    };
    for (const GrammarVariant* variant : variants) {
        SCOPED_TRACE(static_cast<int>(variant->kind()));
        for (std::u16string_view text : accepted) {
            EXPECT_EQ(utf8(read(*variant, text)), "") << utf8(text);
        }
        if (variant->kind() == GrammarKind::Colour) continue;
        for (std::u16string_view text : rejected) {
            EXPECT_NE(utf8(read(*variant, text)), "") << utf8(text);
        }
    }
}

// Each variant names its own nonterminals and drops what it cannot read.
TEST(GrammarVariants, NameTheirOwnNonterminals) {
    struct Case {
        const GrammarVariant& variant;
        std::u16string_view text;
        std::u16string_view expecting;
    };
    const Case cases[] = {
        {GrammarVariant::parsUsFunc(), u"",
         u"<ParsUsFunc> with one of: chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я"},
        {GrammarVariant::parsUsFunc(), u"x=1", u"<[1]> with one of: ` finish"},
        {GrammarVariant::parsUsFunc(), u"f(1]", u"<[2]> with one of: = ) , ;"},
        {GrammarVariant::parsUsFunc(), u"f(1,2]", u"<[3]> with one of: = ) , ;"},
        {GrammarVariant::parsUsFunc(), u"1°@",
         u"<[4]> with one of: # & . 0-9 chr(9) ' '-! % )-- / :-; = [-^ ` |-} · finish"},
        {GrammarVariant::parsUsFunc(), u"2*@",
         u"<Fact> with one of: chr(9) chr(15) ' ' #-$ & ( . 0-9 A-[ _ a-| ° А-я"},
        {GrammarVariant::express(), u"",
         u"<Express> with one of: chr(9) chr(15) ' ' #-$ & ( . 0-9 A-[ _ a-| ° А-я + -"},
        {GrammarVariant::express(), u"f(1]", u"<[1]> with one of: = ) , ;"},
        {GrammarVariant::express(), u"f(1,2]", u"<[2]> with one of: = ) , ;"},
        {GrammarVariant::express(), u"1°@",
         u"<[3]> with one of: # & . 0-9 chr(9) ' '-! % )-- / :-; = [-^ |-} · finish"},
        {GrammarVariant::express(), u"2`",
         u"<{1}-right> with one of: 0-9 chr(9) ' '-chr(34) % ' )-/ :-; = E H [-^ e h o |-} ° · Ч "
         u"ч finish"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        std::u16string message = read(c.variant, c.text);
        std::u16string head = headline(message);
        std::size_t at = head.find(u" when expecting ");
        ASSERT_NE(at, std::u16string::npos) << utf8(message);
        EXPECT_EQ(utf8(head.substr(at + 16)), utf8(c.expecting));
    }
}

// Writes down every action the reader takes, so that two readings can be compared.
struct ActionLog : GrammarActions {
    std::string log;
    void note(const char* what, double detail) {
        log += what;
        log += ' ';
        log += std::to_string(detail);
        log += ';';
    }
    void pushValue(double value) { note("push", value); }
    void applyOperator(BinaryOperator op) { note("apply", static_cast<int>(op)); }
    void factorial() { note("factorial", 0); }
    void percent() { note("percent", 0); }
    void negate() { note("negate", 0); }
    void beginUnit() { note("unit", 0); }
    void endUnit() { note("end unit", 0); }
    void minusBeforeLiteral() { note("minus literal", 0); }
    void markClass(TextClass textClass, int position) {
        note("mark", static_cast<int>(textClass) * 1000 + position);
    }
    void flushMark(int position) { note("flush", position); }
};

// The shortcuts over plain numbers and finished operands take the path the rules take:
// with every code after a number and after an operand, each variant reads the same
// actions, values and messages with and without them.
TEST(GrammarVariants, ShortcutsReadAsTheRules) {
    const GrammarVariant* variants[] = {&GrammarVariant::calc(),     &GrammarVariant::parsUsFunc(),
                                        &GrammarVariant::colour(),   &GrammarVariant::express(),
                                        &GrammarVariant::variable(), &GrammarVariant::number()};
    const std::u16string_view patterns[] = {u"7#",
                                            u"12#3",
                                            u"(7)#2",
                                            u"7!#2",
                                            u"-9#1",
                                            u"2+5#",
                                            u"123456789012345#",
                                            u"1234567890123456#",
                                            u"0.1#",
                                            u"12.5#3",
                                            u"(2.25)#",
                                            u"-7.#1",
                                            u"1234567890123456.75#",
                                            u"0.000000000000000000000001#"};
    for (const GrammarVariant* variant : variants) {
        const GrammarVariant longWay = variant->withoutShortcuts();
        for (int code = -1; code <= 255; ++code) {
            for (std::u16string_view pattern : patterns) {
                std::u16string text(pattern);
                std::size_t mark = text.find(u'#');
                if (code < 0) {
                    text.erase(mark);
                } else {
                    text[mark] = unitOf(code);
                }
                ActionLog shortcut;
                ActionLog rules;
                std::u16string shortMessage = Grammar<ActionLog>(*variant, shortcut).parse(text);
                std::u16string longMessage = Grammar<ActionLog>(longWay, rules).parse(text);
                ASSERT_EQ(utf8(shortMessage), utf8(longMessage)) << utf8(text);
                ASSERT_EQ(shortcut.log, rules.log) << utf8(text);
                ASSERT_EQ(shortcut.scratchValue, rules.scratchValue) << utf8(text);
            }
        }
    }
}

std::string sourceText(const std::string& path) {
    std::ifstream file(std::string(TALLY_SOURCE_DIR) + "/" + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Every nonterminal the variants describe is read by a rule of the grammar, and every one
// has its name and expected set in some variant: data no rule reads would only drift.
TEST(GrammarVariants, EveryNonterminalIsUsedAndDescribed) {
    const std::string declarations = sourceText("src/lang/grammar_variant.h");
    const std::string grammar = sourceText("src/lang/grammar.h");
    ASSERT_FALSE(declarations.empty());
    ASSERT_FALSE(grammar.empty());
    std::size_t from = declarations.find("enum class Nonterminal {");
    std::size_t to = declarations.find("Count", from);
    ASSERT_NE(from, std::string::npos);
    std::string enumerators = declarations.substr(from, to - from);
    const std::regex enumerator(R"(\n\s+([A-Z][A-Za-z0-9]*),)");
    std::size_t index = 0;
    const GrammarVariant* variants[] = {&GrammarVariant::calc(),     &GrammarVariant::parsUsFunc(),
                                        &GrammarVariant::colour(),   &GrammarVariant::express(),
                                        &GrammarVariant::variable(), &GrammarVariant::number()};
    for (auto it = std::sregex_iterator(enumerators.begin(), enumerators.end(), enumerator);
         it != std::sregex_iterator(); ++it, ++index) {
        std::string name = (*it)[1];
        EXPECT_NE(grammar.find("N::" + name), std::string::npos) << name << " is read by no rule";
        auto n = static_cast<Nonterminal>(index);
        bool described = std::any_of(std::begin(variants), std::end(variants), [&](auto* v) {
            return !(*v)[n].name.empty() && !(*v)[n].expected.empty();
        });
        EXPECT_TRUE(described) << name << " has no name and set in any variant";
    }
    EXPECT_EQ(index, kNonterminalCount);
}

}  // namespace
}  // namespace tally
