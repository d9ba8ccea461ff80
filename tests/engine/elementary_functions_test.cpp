// The elementary, trigonometric and hyperbolic functions, the angle setting, argument
// counts and the fault trap that answers the last result.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <string>

#include "engine/constants.h"
#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using std::numbers::pi;
using test::evaluate;
using test::utf8;

using FunctionCase = test::ValueCase;
using test::expectValues;

TEST(ElementaryFunctions, RoundingAndParts) {
    Engine engine;
    const FunctionCase cases[] = {
        {u"Abs(-3)", 3},           {u"Round(2.5)", 2},          {u"Round(3.5)", 4},
        {u"Round(-2.5)", -2},      {u"Round(1.23456,2)", 1.23}, {u"Round(0.125,2)", 0.12},
        {u"Round(0.375;2)", 0.38}, {u"Round(2.5,)", 2},         {u"Floor(-2.5)", -3},
        {u"Floor(-0.5)", -1},      {u"Int(-2.5)", -2},          {u"Int(-0.5)", 0},
        {u"Ceil(2)", 2},           {u"Ceil(2.1)", 3},           {u"Ceil(-2.5)", -2},
        {u"Fract(3.75)", 0.75},    {u"Fract(-2.25)", -0.25},    {u"Sign(-4)", -1},
        {u"Sign(0)", 0},           {u"Sign(0.1)", 1},
    };
    expectValues(engine, cases);
}

TEST(ElementaryFunctions, PowersAndLogarithms) {
    Engine engine;
    const FunctionCase cases[] = {
        {u"Exp(0)", 1},     {u"Exp(1)", std::exp(1.0)}, {u"Ln(e)", std::log(kE)}, {u"Log(1000)", 3},
        {u"LogN(8,2)", 3},  {u"LogN(81;3)", 4},         {u"Sqrt(16)", 4},         {u"Root(16)", 4},
        {u"Root(27,3)", 3}, {u"Root(-8,1)", -8},        {u"Sqrt(2)^2", 2},
    };
    expectValues(engine, cases);
}

TEST(ElementaryFunctions, TrigonometryInRadians) {
    Engine engine;
    const FunctionCase cases[] = {
        {u"Sin(30)", -0.988031624092862},
        {u"Cos(0)", 1},
        {u"COS(0)", 1},
        {u"sIn(0)", 0},
        {u"Tg(1)", std::tan(1.0)},
        {u"Ctg(1)", 1 / std::tan(1.0)},
        {u"Sc(1)", 1 / std::cos(1.0)},
        {u"Csc(1)", 1 / std::sin(1.0)},
        {u"DegToRad(180)", kPi},
        {u"RadToDeg(pi)", 180},
    };
    expectValues(engine, cases);
}

// The inverse functions answer principal values on their whole domain, in radians.
TEST(ElementaryFunctions, InverseTrigonometryPrincipalValues) {
    Engine engine;
    const FunctionCase cases[] = {
        {u"ArcTg(1)", pi / 4},      {u"ArcSin(0.5)", 0.523598775598299},
        {u"ArcSin(1)", pi / 2},     {u"ArcSin(-1)", -pi / 2},
        {u"ArcCos(-1)", pi},        {u"ArcCos(1)", 0},
        {u"ArcCos(0)", pi / 2},     {u"ArcSc(2)", pi / 3},
        {u"ArcSc(-2)", 2 * pi / 3}, {u"ArcSc(1)", 0},
        {u"ArcCsc(2)", pi / 6},     {u"ArcCsc(-2)", -pi / 6},
        {u"ArcCsc(1)", pi / 2},     {u"ArcCtg(1)", pi / 4},
        {u"ArcCtg(0)", pi / 2},     {u"ArcCtg(-1)", 3 * pi / 4},
    };
    expectValues(engine, cases);
}

TEST(ElementaryFunctions, Hyperbolic) {
    Engine engine;
    const FunctionCase cases[] = {
        {u"Sh(1)", 1.1752011936438014},
        {u"Ch(1)", 1.5430806348152437},
        {u"Th(1)", 0.7615941559557649},
        {u"Sch(1)", 0.6480542736638855},
        {u"Csch(1)", 0.8509181282393216},
        {u"Cth(1)", 1.3130352854993312},
        {u"ArSh(1)", 0.881373587019543},
        {u"ArCh(1)", 0},
        {u"ArCh(2)", 1.3169578969248166},
        {u"ArTh(0.5)", 0.5493061443340549},
        {u"ArSch(1)", 0},
        {u"ArSch(0.5)", 1.3169578969248166},
        {u"ArCsch(-1)", -0.881373587019543},
        {u"ArCth(2)", 0.5493061443340549},
        {u"Sh(700)", 5.0711602736750225e303},
    };
    expectValues(engine, cases);
}

TEST(ElementaryFunctions, DegreeModeAppliesToDirectFunctionsOnly) {
    Engine engine;
    engine.setAngleMode(AngleMode::Degrees);
    const FunctionCase cases[] = {
        {u"Sin(30)", 0.5, 1e-15},
        {u"Cos(60)", 0.5},
        {u"Sin(90)", 1},
        {u"Tg(45)", 1},
        {u"Ctg(45)", 1},
        {u"Sc(60)", 2},
        {u"Csc(30)", 2},
        {u"Tg(90)", 6.19e14, 1e-2},
        {u"ArcSin(0.5)", 0.523598775598299},
        {u"ArcTg(1)", pi / 4},
    };
    expectValues(engine, cases);
}

TEST(ElementaryFunctions, NoNegativeZero) {
    Engine engine;
    for (std::u16string_view line : {u"Sin(0*(-1))", u"Tg(0*(-1))"}) {
        test::Evaluation e = evaluate(engine, line);
        EXPECT_EQ(e.value, 0) << utf8(line);
        EXPECT_FALSE(std::signbit(e.value)) << utf8(line);
    }
}

TEST(ElementaryFunctions, RadToDegNoteInDegreesMinutesSeconds) {
    Engine engine;
    auto note = [&](std::u16string_view line) { return engine.evaluateLine(line).resultNote; };
    EXPECT_EQ(utf8(note(u"RadToDeg(pi)")), "180o0'0\"");
    std::u16string one = note(u"RadToDeg(1)");
    EXPECT_EQ(utf8(one.substr(0, 12)), "57o17'44.806");
    EXPECT_EQ(one.back(), u'"');
    EXPECT_EQ(utf8(note(u"RadToDeg(-1)").substr(0, 13)), "-57o-17'-44.8");
    // Any later operation replaces the note by the number.
    EXPECT_EQ(utf8(note(u"RadToDeg(pi)+0")), "");
}

// A fault inside a function ends the call with "Недопустимый аргумент" and the value of
// Ans; the rest of the line is still evaluated.
TEST(FaultTrap, AnswersTheLastResult) {
    const std::u16string_view faults[] = {
        u"Ln(0)",      u"Log(-1)",   u"LogN(8,1)", u"LogN(8,)",      u"Sqrt(-1)",  u"Sqrt(-4)",
        u"Root(-8,3)", u"Root(8,0)", u"Exp(1000)", u"Round(1.5,-1)", u"ArcSin(2)", u"ArcCos(-1.5)",
        u"ArcSc(0.5)", u"ArcCsc(0)", u"Ctg(0)",    u"Csc(0)",        u"ArCh(0.5)", u"ArTh(1)",
        u"ArSch(0)",   u"ArCsch(0)", u"ArCth(1)",  u"Csch(0)",       u"Cth(0)",    u"Sh(710)",
        u"Ch(-710)",   u"Th(710)",   u"Sch(710)",
    };
    for (std::u16string_view line : faults) {
        SCOPED_TRACE(utf8(line));
        Engine engine;
        test::expectValue(engine, u"42", 42);
        test::Evaluation e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), "Недопустимый аргумент");
        EXPECT_DOUBLE_EQ(e.value, 42);
    }
    Engine engine;
    test::expectValue(engine, u"42", 42);
    EXPECT_DOUBLE_EQ(evaluate(engine, u"Ln(0)+1").value, 43);
}

// A later call in the same line does not clear the message of an earlier failure.
TEST(FaultTrap, FirstMessageOfTheLineStays) {
    test::expectMessage(u"Ln(0)+Sin(1)", u"Недопустимый аргумент");
    test::expectMessage(u"Sin(Ln(0))", u"Недопустимый аргумент");
    test::expectMessage(u"LogN(8)+Cos(0)", u"Мало аргументов");
    Engine engine;
    engine.defineUnit(u"м", u"1");
    engine.defineUnit(u"с", u"1");
    // A dimension mismatch alone does not stop the line; a failure after it does.
    test::expectMessage(engine, u"2[м]+3[с]+Ln(0)", u"Недопустимый аргумент");
    test::expectMessage(engine, u"Ln(0)+2[м]+3[с]", u"Недопустимый аргумент");
}

TEST(ArgumentCount, TooFewAnswerZeroSurplusIsDropped) {
    for (std::u16string_view line : {u"LogN(8)", u"Round()", u"Sin()", u"LogN()"}) {
        SCOPED_TRACE(utf8(line));
        Engine engine;
        test::expectValue(engine, u"42", 42);
        test::Evaluation e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.error), "Мало аргументов");
        EXPECT_DOUBLE_EQ(e.value, 0);
    }
    Engine engine;
    const FunctionCase cases[] = {
        {u"Sin(1,2,3)", std::sin(1.0)},
        {u"Round(2.5,0,9)", 2},
        {u"Abs(-1;2)", 1},
    };
    expectValues(engine, cases);
}

TEST(ArgumentCount, OnlyFunctionsCanBeCalled) {
    for (std::u16string_view line : {u"x(2)", u"pi(1)", u"Ans(1)", u"e()"}) {
        SCOPED_TRACE(utf8(line));
        Engine engine;
        test::expectValue(engine, u"42", 42);
        test::Evaluation e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.error), "Неизвестная функция");
        EXPECT_DOUBLE_EQ(e.value, 0);
    }
}

}  // namespace
}  // namespace tally
