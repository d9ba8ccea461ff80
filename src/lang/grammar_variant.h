#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "lang/char_set.h"
#include "lang/code_page.h"

namespace tally {

// Every nonterminal of the calculation language and its near-copies. A variant gives each
// the name and expected-set string its error messages show; the test a nonterminal
// performs is the set that string denotes.
enum class Nonterminal {
    // Statement level of calculation lines.
    Calc,
    Calc1,
    Calc2,
    Calc3,
    Calc4,
    Calc5,
    // Statement level of stored expressions and of the colouring reader.
    ParsUsFunc,
    ParsUsFuncComment,
    Colour,
    Colour1,
    Colour2,
    Colour3,
    Colour4,
    Colour5,
    Comment,
    ComSym,
    // Expressions.
    Express,
    EList,
    Term,
    TList,
    Fact,
    S,
    FList,
    SUnitOfM,
    Postfix,
    Prim,
    Variable,
    Symbols,
    Letter,
    Symbol,
    Arguments,
    ArgList,
    AList,
    ExpressOrEmpty,
    NamedFirst,
    NamedNext,
    // Numeric literals.
    Number,
    Const,
    DecimalRight,
    Real,
    Fract,
    Expon,
    ExponentSign,
    Int,
    ExponentRight,
    DigitTerm,
    NoDec,
    Hex,
    HexRight,
    Oct,
    OctRight,
    DMS,
    Minutes,
    Secundes,
    Count
};

inline constexpr std::size_t kNonterminalCount = static_cast<std::size_t>(Nonterminal::Count);

// Shortcuts of the reader, each a class of codes with its bit above the nonterminals'
// bits. A code ends a whole number when, after the digits of a literal, it carries the
// literal on in no way (digit, point, exponent, degree mark) and every nonterminal the
// literal passes on the way accepts it. A code ends an operand when, after a primary, it
// starts no postfix, blank, unit bracket or power and their nonterminals all accept it.
// A digit starts a number factor when the factor and its leading blanks accept it; such a
// factor whose number is followed by a code that ends both a whole number and an operand
// (and a fraction, after one) is read at once.
enum class Shortcut {
    EndsWholeNumber = kNonterminalCount,
    EndsOperand,
    StartsNumberFactor,
    EndsWholeNumberOperand
};
static_assert(kNonterminalCount + 4 <= 64, "membership bits of a code are one 64-bit word");

// The marks that make a literal degrees (the minutes and seconds marks follow them).
constexpr bool isDegreeMark(int code) {
    return code == 'H' || code == 'h' || code == 'o' || code == 0xB0 || code == 0xD7 ||
           code == 0xF7;
}
// Codes that carry a literal on after its whole digits.
constexpr bool continuesWholeNumber(int code) {
    return (code >= '0' && code <= '9') || code == '.' || code == 'E' || code == 'e' ||
           isDegreeMark(code) || code == '\'' || code == '"';
}
// Codes that carry an operand on after its primary.
constexpr bool continuesOperand(int code) {
    return code == '!' || code == '%' || code == ' ' || code == '\t' || code == '[' || code == '^';
}

struct NonterminalInfo {
    std::u16string name;
    std::u16string expected;
    CharSet set;
};

enum class GrammarKind { Calc, ParsUsFunc, Colour, Express, Variable, Number };

class GrammarVariant {
  public:
    GrammarKind kind() const { return m_kind; }
    const NonterminalInfo& operator[](Nonterminal n) const {
        return m_nonterminals[static_cast<std::size_t>(n)];
    }
    // Whether the nonterminal's set holds a code: a Windows-1251 code, kOutsideCodePage or
    // the end of the text.
    bool contains(Nonterminal n, int code) const { return bit(static_cast<unsigned>(n), code); }
    bool takesShortcut(Shortcut shortcut, int code) const {
        return bit(static_cast<unsigned>(shortcut), code);
    }
    // The same variant reading every code the long way: what the shortcuts are checked against.
    GrammarVariant withoutShortcuts() const;

    // The six variants, built once on first use.
    static const GrammarVariant& calc();
    static const GrammarVariant& parsUsFunc();
    static const GrammarVariant& colour();
    static const GrammarVariant& express();
    static const GrammarVariant& variable();
    static const GrammarVariant& number();

  private:
    explicit GrammarVariant(GrammarKind kind) : m_kind(kind) {}
    NonterminalInfo& at(Nonterminal n) { return m_nonterminals[static_cast<std::size_t>(n)]; }
    void set(Nonterminal n, std::u16string name, std::u16string expected);
    void setExpected(Nonterminal n, std::u16string expected);
    void rename(Nonterminal n, std::u16string name) { at(n).name = std::move(name); }
    void finish();

    static GrammarVariant buildCalc();
    static GrammarVariant buildParsUsFunc();
    static GrammarVariant buildColour();
    static GrammarVariant buildExpress();
    static GrammarVariant buildVariable();
    static GrammarVariant buildNumber();

    bool bit(unsigned index, int code) const {
        return (m_membership[static_cast<std::size_t>(code - CharSet::kEndMarker)] >> index) & 1U;
    }

    GrammarKind m_kind;
    std::array<NonterminalInfo, kNonterminalCount> m_nonterminals{};
    // For each code from the end of the text to kOutsideCodePage, one bit per nonterminal
    // whose set holds it: every test the reader makes is one look-up.
    std::array<std::uint64_t, kOutsideCodePage - CharSet::kEndMarker + 1> m_membership{};
};

}  // namespace tally
