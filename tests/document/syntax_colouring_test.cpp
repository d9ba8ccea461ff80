// The classes the colouring reader gives the characters of a document line, and the
// signature offered while a call is open.

#include "document/syntax_colouring.h"

#include <gtest/gtest.h>

#include <string>

#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

// One letter per class: Normal, Identifier, Function, number (Digits), Unit, Comment,
// Operator, Bracket, Error.
std::string letters(const std::vector<TextClass>& classes) {
    static constexpr char kLetters[kTextClassCount + 1] = "NIFDUCOBE";
    std::string text;
    for (TextClass c : classes)
        text += kLetters[static_cast<int>(c)];
    return text;
}

struct ColouringCase {
    std::u16string_view line;
    std::string classes;
    bool syntaxError = false;
};

TEST(SyntaxColouring, ClassesOfEachCharacter) {
    const ColouringCase cases[] = {
        {u"2+3", "DOD"},
        {u"x=Sin(1)", "IOFFFFDF"},
        {u"5[м/с]", "DUUUUU"},
        {u"2[м]*x", "DUUUOI"},
        {u"(1)` hi", "BDBCCCC"},
        {u"2 + 3", "DCOCD"},
        {u"|x|!", "FIFO"},
        {u"f(a,b)", "FFINIF"},
        {u"{2}<[3]", "BDBOBDB"},
        {u"&HFF°", "DDDDD"},
        {u"2*)+1", "DOEEE", true},
        // Input that stops at the end of the line is incomplete, not wrong.
        {u"Ab(", "FFF"},
        {u"2*", "DO"},
    };
    for (const ColouringCase& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        LineColouring colouring = colourLine(c.line);
        EXPECT_EQ(letters(colouring.classes), c.classes);
        EXPECT_EQ(colouring.syntaxError, c.syntaxError);
    }
}

TEST(SyntaxColouring, TheInnermostOpenCallIsOffered) {
    EXPECT_EQ(utf8(colourLine(u"LogN(2, Sin(").openFunction), "Sin");
    EXPECT_EQ(utf8(colourLine(u"LogN(2, Sin(1)").openFunction), "LogN");
    EXPECT_EQ(utf8(colourLine(u"LogN(2, 8)").openFunction), "");
    EXPECT_EQ(utf8(functionSignature(u"logn")), "LogN(x,N)");
    EXPECT_EQ(utf8(functionSignature(u"nosuch")), "");
}

}  // namespace
}  // namespace tally
