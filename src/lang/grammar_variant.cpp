#include "lang/grammar_variant.h"

#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace tally {

namespace {

using N = Nonterminal;

// Splits an expected-set string into its items (the blank item ' ' stays whole).
std::vector<std::u16string> items(std::u16string_view text) {
    std::vector<std::u16string> result;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size()) {
            if (text.substr(end, 3) == u"' '") {
                end += 3;
                continue;
            }
            if (text[end] == u' ') break;
            ++end;
        }
        result.emplace_back(text.substr(at, end - at));
        at = end + 1;
    }
    return result;
}

std::u16string join(const std::vector<std::u16string>& parts) {
    std::u16string result;
    for (const auto& part : parts) {
        if (!result.empty()) result += u' ';
        result += part;
    }
    return result;
}

std::u16string withoutItem(std::u16string_view text, std::u16string_view item) {
    auto parts = items(text);
    std::erase(parts, std::u16string(item));
    return join(parts);
}

// Where "=" may follow, the colouring reader also lets "<" and ">" follow: ";" with "="
// becomes ";->" and ":-;" with "=" becomes ":->".
std::u16string withRelations(std::u16string_view text) {
    auto parts = items(text);
    auto find = [&](std::u16string_view item) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i] == item) return static_cast<long>(i);
        }
        return -1L;
    };
    long equals = find(u"=");
    if (equals < 0) return std::u16string(text);
    long semicolon = find(u";");
    long colonRange = find(u":-;");
    if (semicolon >= 0) {
        parts[semicolon] = u";->";
    } else if (colonRange >= 0) {
        parts[colonRange] = u":->";
    } else {
        return std::u16string(text);
    }
    parts.erase(parts.begin() + equals);
    return join(parts);
}

constexpr std::u16string_view kTermSet = u"chr(9) ' ' #-$ & ( . 0-9 A-[ _ a-| ° А-я";
constexpr std::u16string_view kTermSetMarked = u"chr(9) chr(15) ' ' #-$ & ( . 0-9 A-[ _ a-| ° А-я";
constexpr std::u16string_view kLiteralFollow =
    u"chr(9) ' '-chr(34) % ' )-- / :-; = H [-^ ` h o |-} ° · Ч ч finish";
constexpr std::u16string_view kDmsFollow = u"chr(9) ' '-! % )-- / :-; = [-^ ` |-} · finish";

}  // namespace

void GrammarVariant::set(Nonterminal n, std::u16string name, std::u16string expected) {
    at(n).name = std::move(name);
    at(n).expected = std::move(expected);
}

void GrammarVariant::setExpected(Nonterminal n, std::u16string expected) {
    at(n).expected = std::move(expected);
}

void GrammarVariant::finish() {
    for (auto& info : m_nonterminals) {
        info.set = CharSet{};
        // The strings are program data; a malformed one is a programming error.
        if (!info.expected.empty() && !info.set.parse(info.expected)) std::abort();
    }
    for (int code = CharSet::kEndMarker; code <= kOutsideCodePage; ++code) {
        std::uint64_t& bits = m_membership[static_cast<std::size_t>(code - CharSet::kEndMarker)];
        for (std::size_t n = 0; n < kNonterminalCount; ++n) {
            if (m_nonterminals[n].set.contains(code)) bits |= std::uint64_t{1} << n;
        }
        auto all = [&](std::initializer_list<N> list) {
            for (N n : list) {
                if (!contains(n, code)) return false;
            }
            return true;
        };
        if (!continuesWholeNumber(code) && all({N::DecimalRight, N::Real, N::Expon, N::DMS})) {
            bits |= std::uint64_t{1} << static_cast<unsigned>(Shortcut::EndsWholeNumber);
        }
        if (!continuesOperand(code) && all({N::Postfix, N::SUnitOfM, N::FList})) {
            bits |= std::uint64_t{1} << static_cast<unsigned>(Shortcut::EndsOperand);
        }
        if (takesShortcut(Shortcut::EndsWholeNumber, code) &&
            takesShortcut(Shortcut::EndsOperand, code)) {
            bits |= std::uint64_t{1} << static_cast<unsigned>(Shortcut::EndsWholeNumberOperand);
        }
        if (code >= '0' && code <= '9' && all({N::Fact, N::S})) {
            bits |= std::uint64_t{1} << static_cast<unsigned>(Shortcut::StartsNumberFactor);
        }
    }
}

GrammarVariant GrammarVariant::withoutShortcuts() const {
    GrammarVariant copy = *this;
    std::uint64_t nonterminalBits = (std::uint64_t{1} << kNonterminalCount) - 1;
    for (std::uint64_t& bits : copy.m_membership)
        bits &= nonterminalBits;
    return copy;
}

GrammarVariant GrammarVariant::buildCalc() {
    GrammarVariant g(GrammarKind::Calc);
    const std::u16string term(kTermSet);
    const std::u16string follow(kLiteralFollow);
    g.set(N::Calc, u"<Calc>", u"chr(9) ' ' #-$ & ( + --. 0-9 = A-[ _-| ° А-я finish");
    g.set(N::Calc1, u"<[1]>", u"chr(9) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я = ` finish");
    g.set(N::Calc2, u"<[2]>", u"= ` finish");
    g.set(N::Calc3, u"<[3]>", u"chr(9) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я ` finish");
    g.set(N::Calc4, u"<[4]>", u"= ` finish");
    g.set(N::Calc5, u"<[5]>", u"` finish");
    g.set(N::Comment, u"<Comment>", u"chr(0)-chr(12) chr(14)-chr(255) finish");
    g.set(N::ComSym, u"<ComSym>", u"chr(0)-chr(12) chr(14)-chr(31) ' '-} ~-я");

    g.set(N::Express, u"<Express>", term + u" + -");
    g.set(N::EList, u"<E-List>", u"+ - ) , ; = ] ` |-} finish");
    g.set(N::Term, u"<Term>", term);
    g.set(N::TList, u"<T-List>", u"* · / \\ : ) +-- ; = ] ` |-} finish");
    g.set(N::Fact, u"<Fact>", term);
    g.set(N::S, u"<S>", term);
    g.set(N::FList, u"<F-List>", u"^ )-- / :-; = \\-] ` |-} · finish");
    g.set(N::SUnitOfM, u"<S|UnitOfM>", u"chr(9) ' ' [ )-- / :-; = \\-^ ` |-} · finish");
    g.set(N::Postfix, u"<Postfix>", u"! % chr(9) ' ' )-- / :-; = [-^ ` |-} · finish");
    g.set(N::Prim, u"<Prim>", u"( [ { | # & . 0-9 $ A-Z _ a-z ° А-я");
    g.set(N::Variable, u"<Variable>", u"$ A-Z _ a-z ° А-я");
    g.set(N::Symbols, u"<Symbols>",
          u"$ . 0-9 A-Z _ a-z ° А-я chr(9) ' '-! % (-- / :-; = [-^ ` |-} · finish");
    g.set(N::Letter, u"<Letter>", u"A-Z a-z $ _ ° А-Я а-я");
    g.set(N::Symbol, u"<Symbol>", u"$ A-Z _ a-z ° А-я 0-9 .");
    g.set(N::Arguments, u"<Arguments>", u"( chr(9) ' '-! % )-- / :-; = [-^ ` |-} · finish");
    g.set(N::ArgList, u"<Arg-List>", u"chr(9) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я )");
    g.set(N::AList, u"<A-List>", u", ; )");
    g.set(N::ExpressOrEmpty, u"<Express|>", u"chr(9) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я ) , ;");
    g.set(N::NamedFirst, u"<[6]>", u"= ) , ;");
    g.set(N::NamedNext, u"<[7]>", u"= ) , ;");

    g.set(N::Const, u"<Const>", u"0-9 . # &");
    g.set(N::DecimalRight, u"<{1}-right>",
          u"0-9 chr(9) ' '-chr(34) % ' )-/ :-; = E H [-^ ` e h o |-} ° · Ч ч finish");
    g.set(N::Real, u"<Real>",
          u". chr(9) ' '-chr(34) % ' )-- / :-; = E H [-^ ` e h o |-} ° · Ч ч finish");
    g.set(N::Fract, u"<Fract>",
          u"0-9 chr(9) ' '-chr(34) % ' )-- / :-; = E H [-^ ` e h o |-} ° · Ч ч finish");
    g.set(N::Expon, u"<Expon>",
          u"E e chr(9) ' '-chr(34) % ' )-- / :-; = H [-^ ` h o |-} ° · Ч ч finish");
    g.set(N::ExponentSign, u"<Number>", u"+ - 0-9");
    g.set(N::Int, u"<Int>", u"0-9");
    g.set(N::ExponentRight, u"<{2}-right>", u"0-9 " + follow);
    g.set(N::DigitTerm, u"<Digit>", u"0-9");
    g.set(N::NoDec, u"<NoDec>", u"H X h x O o");
    g.set(N::Hex, u"<Hex>", u"0-9 A-F a-f");
    g.set(N::HexRight, u"<{3}-right>", u"0-9 A-F a-f " + follow);
    g.set(N::Oct, u"<Oct>", u"0-7");
    g.set(N::OctRight, u"<{4}-right>", u"0-7 " + follow);
    g.set(N::DMS, u"<DMS>", u"H h o ° Ч ч ' chr(34) " + std::u16string(kDmsFollow));
    g.set(N::Minutes, u"<[8]>", u"# & . 0-9 " + std::u16string(kDmsFollow));
    g.set(N::Secundes, u"<Secundes>", u"# & . 0-9 " + std::u16string(kDmsFollow));
    return g;
}

// Stored expressions: one expression and a comment, with the parameter mark chr(15) among
// the letters.
GrammarVariant GrammarVariant::buildParsUsFunc() {
    GrammarVariant g = buildCalc();
    g.m_kind = GrammarKind::ParsUsFunc;
    const std::u16string marked(kTermSetMarked);
    g.set(N::ParsUsFunc, u"<ParsUsFunc>", u"chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я");
    g.set(N::ParsUsFuncComment, u"<[1]>", u"` finish");
    g.setExpected(N::Express, marked + u" + -");
    g.setExpected(N::Term, marked);
    g.setExpected(N::Fact, marked);
    g.setExpected(N::S, u"chr(9) ' ' chr(15) #-$ & ( . 0-9 A-[ _ a-| ° А-я");
    g.setExpected(N::Prim, u"( [ { | # & . 0-9 chr(15) $ A-Z _ a-z ° А-я");
    g.setExpected(N::Variable, u"chr(15) $ A-Z _ a-z ° А-я");
    g.setExpected(N::Letter, u"A-Z a-z chr(15) $ _ ° А-Я а-я");
    g.setExpected(N::Symbol, u"chr(15) $ A-Z _ a-z ° А-я 0-9 .");
    g.setExpected(N::Symbols,
                  u"chr(15) $ . 0-9 A-Z _ a-z ° А-я chr(9) ' '-! % (-- / :-; = [-^ ` |-} · "
                  u"finish");
    g.setExpected(N::ArgList, u"chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я )");
    g.setExpected(N::ExpressOrEmpty, u"chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я ) , ;");
    g.rename(N::NamedFirst, u"<[2]>");
    g.rename(N::NamedNext, u"<[3]>");
    g.rename(N::Minutes, u"<[4]>");
    return g;
}

// The colouring reader: the stored-expression sets, with "<" and ">" wherever "=" may
// follow, and a statement level that accepts relations.
GrammarVariant GrammarVariant::buildColour() {
    GrammarVariant g = buildParsUsFunc();
    g.m_kind = GrammarKind::Colour;
    for (auto& info : g.m_nonterminals) {
        if (info.expected.empty()) continue;
        info.expected = withRelations(info.expected);
    }
    g.set(N::NamedFirst, u"<[6]>", u"= ) , ;");
    g.set(N::NamedNext, u"<[7]>", u"= ) , ;");
    g.rename(N::Minutes, u"<[8]>");
    g.set(N::Colour, u"<Colour>", u"chr(9) chr(15) ' ' #-$ & ( + --. 0-9 <-> A-[ _-| ° А-я finish");
    g.set(N::Colour1, u"<[1]>",
          u"chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я <-> ` finish");
    g.set(N::Colour2, u"<[2]>", u"<-> ` finish");
    g.set(N::Colour3, u"<[3]>", u"chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я ` finish");
    g.set(N::Colour4, u"<[4]>", u"= ` finish");
    g.set(N::Colour5, u"<[5]>", u"` finish");
    g.setExpected(N::TList, u"* / : \\ · ) +-- ;-> ] ` |-} finish");
    return g;
}

// The name-occurrence scanner: one expression, no statement level, no comment.
GrammarVariant GrammarVariant::buildExpress() {
    GrammarVariant g = buildParsUsFunc();
    g.m_kind = GrammarKind::Express;
    for (auto& info : g.m_nonterminals) {
        if (info.expected.empty()) continue;
        info.expected = withoutItem(info.expected, u"`");
    }
    g.setExpected(N::TList, u"* / : \\ · ) +-- ; = ] |-} finish");
    g.rename(N::NamedFirst, u"<[1]>");
    g.rename(N::NamedNext, u"<[2]>");
    g.rename(N::Minutes, u"<[3]>");
    return g;
}

// A whole text that is one name.
GrammarVariant GrammarVariant::buildVariable() {
    GrammarVariant g(GrammarKind::Variable);
    g.set(N::Variable, u"<Variable>", u"$ A-Z _ a-z ° А-я");
    g.set(N::Letter, u"<Letter>", u"A-Z a-z $ _ ° А-Я а-я");
    g.set(N::Symbols, u"<Symbols>", u"$ . 0-9 A-Z _ a-z ° А-я finish");
    g.set(N::Symbol, u"<Symbol>", u"$ A-Z _ a-z ° А-я 0-9 .");
    return g;
}

// A whole text that is one numeric literal: the literal rules with only the literal's own
// marks and the end of the text as follows.
GrammarVariant GrammarVariant::buildNumber() {
    GrammarVariant g = buildCalc();
    g.m_kind = GrammarKind::Number;
    const std::u16string marks = u"chr(34) ' H h o ° Ч ч finish";
    g.set(N::Number, u"<Number>", u"# & . 0-9");
    g.setExpected(N::DMS, u"H h o ° Ч ч ' chr(34) finish");
    g.setExpected(N::Real, u". chr(34) ' E H e h o ° Ч ч finish");
    g.setExpected(N::Fract, u"0-9 chr(34) ' E H e h o ° Ч ч finish");
    g.setExpected(N::Expon, u"E e " + marks);
    g.setExpected(N::DecimalRight, u"0-9 chr(34) ' . E H e h o ° Ч ч finish");
    g.setExpected(N::ExponentRight, u"0-9 " + marks);
    g.setExpected(N::HexRight, u"0-9 A-F a-f " + marks);
    g.setExpected(N::OctRight, u"0-7 " + marks);
    g.set(N::Minutes, u"<[1]>", u"# & . 0-9 finish");
    g.setExpected(N::Secundes, u"# & . 0-9 finish");
    g.rename(N::ExponentSign, u"<ExpNumber>");
    return g;
}

#define TALLY_VARIANT(accessor, builder)               \
    const GrammarVariant& GrammarVariant::accessor() { \
        static const GrammarVariant variant = [] {     \
            GrammarVariant g = builder();              \
            g.finish();                                \
            return g;                                  \
        }();                                           \
        return variant;                                \
    }

TALLY_VARIANT(calc, buildCalc)
TALLY_VARIANT(parsUsFunc, buildParsUsFunc)
TALLY_VARIANT(colour, buildColour)
TALLY_VARIANT(express, buildExpress)
TALLY_VARIANT(variable, buildVariable)
TALLY_VARIANT(number, buildNumber)

#undef TALLY_VARIANT

}  // namespace tally
