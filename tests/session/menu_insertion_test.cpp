// What a click on a menu item inserts into the document.

#include "session/menu_insertion.h"

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

struct Insertion {
    std::u16string_view caption;
    std::u16string_view inserted;
};

TEST(MenuInsertion, Units) {
    const Insertion cases[] = {
        {u"метр,   (м)     = 1", u"м"},
        {u"кило...  км = 1e3·м", u"км"},
        {u"cable     = 120·fathom", u"cable"},
        {u"                    ,   (км/ч)", u"км/ч"},
        {u"экса...  Эм^2", u"Эм^2"},
        {u"цельсий,   (°C)     = (Me+273.15)·К", u"°C"},
        {u"kilometer = 1e3·meter", u"kilometer"},
        {u"  ярд  ", u"ярд"},
        {u"Empty", u"Empty"},
    };
    for (const Insertion& c : cases) {
        SCOPED_TRACE(utf8(c.caption));
        EXPECT_EQ(utf8(unitInsertion(c.caption)), utf8(c.inserted));
    }
    EXPECT_EQ(utf8(unitInsertion(u"кило...  км = 1e3·м", {u"[", u"]"})), "[км]");
}

TEST(MenuInsertion, ConstantsAndExpressions) {
    const Insertion constants[] = {
        {u"pi = 3.14159265358979...  - Число пи", u"pi"},
        {u"e = 2.71828182845905...  - Основание натуральных логарифмов", u"e"},
        {u" PI = 3.14", u"pi"},
        {u"Эйлерова постоянная = 0.57721566490...", u"0.57721566490"},
        {u"Золотое сечение = 0.618033988749895...", u"0.618033988749895"},
        {u"g = 9.80665 ускорение свободного падения", u"9.80665"},
        {u"c =  299792458", u"299792458"},
        {u"  9.81 без знака равенства ", u"9.81 без знака равенства"},
        {u"x =", u"x ="},
    };
    for (const Insertion& c : constants) {
        SCOPED_TRACE(utf8(c.caption));
        EXPECT_EQ(utf8(constantInsertion(c.caption)), utf8(c.inserted));
    }
    const Insertion expressions[] = {
        {u"Длина окружности = (2*pi*r)", u"(2*pi*r)"},
        {u"Площадь круга       = (pi*r^2)", u"(pi*r^2)"},
        {u"Золотое сечение    = ((Sqrt(5)-1)/2)", u"((Sqrt(5)-1)/2)"},
        {u"e = e^2 квадрат", u"e^2"},
    };
    for (const Insertion& c : expressions) {
        SCOPED_TRACE(utf8(c.caption));
        EXPECT_EQ(utf8(expressionInsertion(c.caption)), utf8(c.inserted));
    }
}

TEST(MenuInsertion, FunctionsGetAPlacePerArgument) {
    const Insertion cases[] = {
        {u"LogN (x, N)", u"LogN(,)"},
        {u"Abs (x)", u"Abs()"},
        {u"Round (x [,n])", u"Round(,)"},
        {u"Rand ([x])", u"Rand()"},
        {u"BiCo (n, m)", u"BiCo(,)"},
        {u"Ave (x1, x2, x3, ..., xn)", u"Ave()"},
        {u"NPV (rate, val1, val2, val3, ..., valn)", u"NPV(,,)"},
        {u"FSum (f(x), x=a, b [,step=1])", u"FSum(,,,)"},
        {u"Unknown (x, y)", u"Unknown()"},
    };
    for (const Insertion& c : cases) {
        SCOPED_TRACE(utf8(c.caption));
        EXPECT_EQ(utf8(functionInsertion(c.caption)), utf8(c.inserted));
    }
}

TEST(MenuInsertion, UserFunctionsByTheirParameters) {
    Engine engine;
    ASSERT_TRUE(engine.defineUserFunction(u"area", {u"a", u"b"}, u"a*b"));
    EXPECT_EQ(utf8(functionInsertion(u"area(a,b)=a*b", &engine)), "area(,)");
    EXPECT_EQ(utf8(functionInsertion(u"area(a,b)=a*b")), "area()");
}

}  // namespace
}  // namespace tally
