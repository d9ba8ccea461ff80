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
        // Exactly pi/2 in the double nearest to it: finite, and very large.
        {u"Tg(90)", 1.633123935319537e16, 1e-15},
        {u"Sin(180)", 1.2246467991473532e-16, 1e-30},
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
        u"Ln(0)",     u"Log(-1)",      u"LogN(8,1)",  u"LogN(8,)",  u"Sqrt(-1)",
        u"Sqrt(-4)",  u"Root(-8,3)",   u"Root(8,0)",  u"Exp(1000)", u"Round(1.5,-1)",
        u"ArcSin(2)", u"ArcCos(-1.5)", u"ArcSc(0.5)", u"ArcCsc(0)", u"Ctg(0)",
        u"Csc(0)",    u"ArCh(0.5)",    u"ArTh(1)",    u"ArSch(0)",  u"ArCsch(0)",
        u"ArCth(1)",  u"Csch(0)",      u"Cth(0)",     u"Sh(711)",   u"Ch(-711)",
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

// Each function at tiny, small, ordinary, large and huge arguments of both signs, against
// values worked out to 50 digits: within two units of the last place, and a fault where
// the value is not a finite double or the argument is outside the domain.
TEST(ElementaryFunctions, AccurateOverTheWholeRange) {
    struct Reference {
        std::u16string_view line;
        double value;
    };
    const Reference references[] = {
        {u"Sin(1e-300)", 1.0e-300},
        {u"Sin(-1e-300)", -1.0e-300},
        {u"Sin(1e-08)", 1.0e-8},
        {u"Sin(-1e-08)", -1.0e-8},
        {u"Sin(1.0)", 0.84147098480789651},
        {u"Sin(-1.0)", -0.84147098480789651},
        {u"Sin(20.0)", 0.91294525072762765},
        {u"Sin(-20.0)", -0.91294525072762765},
        {u"Sin(710.0)", 6.0288706691585266e-5},
        {u"Sin(-710.0)", -6.0288706691585266e-5},
        {u"Sin(1e+300)", -0.8178819121159086},
        {u"Sin(-1e+300)", 0.8178819121159086},
        {u"Cos(1e-300)", 1.0},
        {u"Cos(-1e-300)", 1.0},
        {u"Cos(1e-08)", 0.99999999999999995},
        {u"Cos(-1e-08)", 0.99999999999999995},
        {u"Cos(1.0)", 0.54030230586813972},
        {u"Cos(-1.0)", 0.54030230586813972},
        {u"Cos(20.0)", 0.40808206181339199},
        {u"Cos(-20.0)", 0.40808206181339199},
        {u"Cos(710.0)", 0.99999999818263592},
        {u"Cos(-710.0)", 0.99999999818263592},
        {u"Cos(1e+300)", -0.57538611195754905},
        {u"Cos(-1e+300)", -0.57538611195754905},
        {u"Tg(1e-300)", 1.0e-300},
        {u"Tg(-1e-300)", -1.0e-300},
        {u"Tg(1e-08)", 1.0000000000000001e-8},
        {u"Tg(-1e-08)", -1.0000000000000001e-8},
        {u"Tg(1.0)", 1.5574077246549022},
        {u"Tg(-1.0)", -1.5574077246549022},
        {u"Tg(20.0)", 2.2371609442247423},
        {u"Tg(-20.0)", -2.2371609442247423},
        {u"Tg(710.0)", 6.0288706801151796e-5},
        {u"Tg(-710.0)", -6.0288706801151796e-5},
        {u"Tg(1e+300)", 1.4214488238747244},
        {u"Tg(-1e+300)", -1.4214488238747244},
        {u"Ctg(1e-300)", 9.9999999999999997e+299},
        {u"Ctg(-1e-300)", -9.9999999999999997e+299},
        {u"Ctg(1e-08)", 99999999.999999995},
        {u"Ctg(-1e-08)", -99999999.999999995},
        {u"Ctg(1.0)", 0.6420926159343307},
        {u"Ctg(-1.0)", -0.6420926159343307},
        {u"Ctg(20.0)", 0.44699510894891669},
        {u"Ctg(-20.0)", -0.44699510894891669},
        {u"Ctg(710.0)", 16586.854372217109},
        {u"Ctg(-710.0)", -16586.854372217109},
        {u"Ctg(1e+300)", 0.70350756439764188},
        {u"Ctg(-1e+300)", -0.70350756439764188},
        {u"Sc(1e-300)", 1.0},
        {u"Sc(-1e-300)", 1.0},
        {u"Sc(1e-08)", 1.0},
        {u"Sc(-1e-08)", 1.0},
        {u"Sc(1.0)", 1.8508157176809256},
        {u"Sc(-1.0)", 1.8508157176809256},
        {u"Sc(20.0)", 2.4504875209567055},
        {u"Sc(-20.0)", 2.4504875209567055},
        {u"Sc(710.0)", 1.0000000018173641},
        {u"Sc(-710.0)", 1.0000000018173641},
        {u"Sc(1e+300)", -1.737963394003118},
        {u"Sc(-1e+300)", -1.737963394003118},
        {u"Csc(1e-300)", 9.9999999999999997e+299},
        {u"Csc(-1e-300)", -9.9999999999999997e+299},
        {u"Csc(1e-08)", 100000000.0},
        {u"Csc(-1e-08)", -100000000.0},
        {u"Csc(1.0)", 1.1883951057781212},
        {u"Csc(-1.0)", -1.1883951057781212},
        {u"Csc(20.0)", 1.0953559364080034},
        {u"Csc(-20.0)", -1.0953559364080034},
        {u"Csc(710.0)", 16586.854402361462},
        {u"Csc(-710.0)", -16586.854402361462},
        {u"Csc(1e+300)", -1.2226703943273928},
        {u"Csc(-1e+300)", 1.2226703943273928},
        {u"ArcTg(1e-300)", 1.0e-300},
        {u"ArcTg(-1e-300)", -1.0e-300},
        {u"ArcTg(1e-08)", 9.9999999999999999e-9},
        {u"ArcTg(-1e-08)", -9.9999999999999999e-9},
        {u"ArcTg(1.0)", 0.78539816339744831},
        {u"ArcTg(-1.0)", -0.78539816339744831},
        {u"ArcTg(20.0)", 1.5208379310729539},
        {u"ArcTg(-20.0)", -1.5208379310729539},
        {u"ArcTg(710.0)", 1.5693878770220004},
        {u"ArcTg(-710.0)", -1.5693878770220004},
        {u"ArcTg(1e+300)", 1.5707963267948966},
        {u"ArcTg(-1e+300)", -1.5707963267948966},
        {u"ArcSin(1e-300)", 1.0e-300},
        {u"ArcSin(-1e-300)", -1.0e-300},
        {u"ArcSin(1e-08)", 1.0e-8},
        {u"ArcSin(-1e-08)", -1.0e-8},
        {u"ArcSin(1.0)", 1.5707963267948966},
        {u"ArcSin(-1.0)", -1.5707963267948966},
        {u"ArcCos(1e-300)", 1.5707963267948966},
        {u"ArcCos(-1e-300)", 1.5707963267948966},
        {u"ArcCos(1e-08)", 1.5707963167948966},
        {u"ArcCos(-1e-08)", 1.5707963367948966},
        {u"ArcCos(1.0)", 0.0},
        {u"ArcCos(-1.0)", 3.1415926535897932},
        {u"ArcSc(1.0)", 0.0},
        {u"ArcSc(-1.0)", 3.1415926535897932},
        {u"ArcSc(20.0)", 1.5207754699891266},
        {u"ArcSc(-20.0)", 1.6208171836006666},
        {u"ArcSc(710.0)", 1.5693878756250057},
        {u"ArcSc(-710.0)", 1.5722047779647875},
        {u"ArcSc(1e+300)", 1.5707963267948966},
        {u"ArcSc(-1e+300)", 1.5707963267948966},
        {u"ArcCsc(1.0)", 1.5707963267948966},
        {u"ArcCsc(-1.0)", -1.5707963267948966},
        {u"ArcCsc(20.0)", 0.050020856805770015},
        {u"ArcCsc(-20.0)", -0.050020856805770015},
        {u"ArcCsc(710.0)", 0.0014084511698908819},
        {u"ArcCsc(-710.0)", -0.0014084511698908819},
        {u"ArcCsc(1e+300)", 9.9999999999999995e-301},
        {u"ArcCsc(-1e+300)", -9.9999999999999995e-301},
        {u"ArcCtg(1e-300)", 1.5707963267948966},
        {u"ArcCtg(-1e-300)", 1.5707963267948966},
        {u"ArcCtg(1e-08)", 1.5707963167948966},
        {u"ArcCtg(-1e-08)", 1.5707963367948966},
        {u"ArcCtg(1.0)", 0.78539816339744831},
        {u"ArcCtg(-1.0)", 2.3561944901923449},
        {u"ArcCtg(20.0)", 0.049958395721942761},
        {u"ArcCtg(-20.0)", 3.0916342578678505},
        {u"ArcCtg(710.0)", 0.0014084497728962323},
        {u"ArcCtg(-710.0)", 3.140184203816897},
        {u"ArcCtg(1e+300)", 9.9999999999999995e-301},
        {u"ArcCtg(-1e+300)", 3.1415926535897932},
        {u"Sh(1e-300)", 1.0e-300},
        {u"Sh(-1e-300)", -1.0e-300},
        {u"Sh(1e-08)", 1.0e-8},
        {u"Sh(-1e-08)", -1.0e-8},
        {u"Sh(1.0)", 1.1752011936438015},
        {u"Sh(-1.0)", -1.1752011936438015},
        {u"Sh(20.0)", 242582597.70489514},
        {u"Sh(-20.0)", -242582597.70489514},
        {u"Sh(710.0)", 1.1169973830808555e+308},
        {u"Sh(-710.0)", -1.1169973830808555e+308},
        {u"Ch(1e-300)", 1.0},
        {u"Ch(-1e-300)", 1.0},
        {u"Ch(1e-08)", 1.0},
        {u"Ch(-1e-08)", 1.0},
        {u"Ch(1.0)", 1.5430806348152438},
        {u"Ch(-1.0)", 1.5430806348152438},
        {u"Ch(20.0)", 242582597.70489514},
        {u"Ch(-20.0)", 242582597.70489514},
        {u"Ch(710.0)", 1.1169973830808555e+308},
        {u"Ch(-710.0)", 1.1169973830808555e+308},
        {u"Th(1e-300)", 1.0e-300},
        {u"Th(-1e-300)", -1.0e-300},
        {u"Th(1e-08)", 9.9999999999999999e-9},
        {u"Th(-1e-08)", -9.9999999999999999e-9},
        {u"Th(1.0)", 0.76159415595576489},
        {u"Th(-1.0)", -0.76159415595576489},
        {u"Th(20.0)", 0.99999999999999999},
        {u"Th(-20.0)", -0.99999999999999999},
        {u"Th(710.0)", 1.0},
        {u"Th(-710.0)", -1.0},
        {u"Th(1e+300)", 1.0},
        {u"Th(-1e+300)", -1.0},
        {u"Sch(1e-300)", 1.0},
        {u"Sch(-1e-300)", 1.0},
        {u"Sch(1e-08)", 0.99999999999999995},
        {u"Sch(-1e-08)", 0.99999999999999995},
        {u"Sch(1.0)", 0.6480542736638854},
        {u"Sch(-1.0)", 0.6480542736638854},
        {u"Sch(20.0)", 4.1223072448771156e-9},
        {u"Sch(-20.0)", 4.1223072448771156e-9},
        {u"Sch(710.0)", 8.9525724513502599e-309},
        {u"Sch(-710.0)", 8.9525724513502599e-309},
        {u"Sch(1e+300)", 0.0},
        {u"Sch(-1e+300)", 0.0},
        {u"Csch(1e-300)", 9.9999999999999997e+299},
        {u"Csch(-1e-300)", -9.9999999999999997e+299},
        {u"Csch(1e-08)", 99999999.999999996},
        {u"Csch(-1e-08)", -99999999.999999996},
        {u"Csch(1.0)", 0.85091812823932155},
        {u"Csch(-1.0)", -0.85091812823932155},
        {u"Csch(20.0)", 4.1223072448771157e-9},
        {u"Csch(-20.0)", -4.1223072448771157e-9},
        {u"Csch(710.0)", 8.9525724513502599e-309},
        {u"Csch(-710.0)", -8.9525724513502599e-309},
        {u"Csch(1e+300)", 0.0},
        {u"Csch(-1e+300)", -0.0},
        {u"Cth(1e-300)", 9.9999999999999997e+299},
        {u"Cth(-1e-300)", -9.9999999999999997e+299},
        {u"Cth(1e-08)", 100000000.0},
        {u"Cth(-1e-08)", -100000000.0},
        {u"Cth(1.0)", 1.3130352854993313},
        {u"Cth(-1.0)", -1.3130352854993313},
        {u"Cth(20.0)", 1.0},
        {u"Cth(-20.0)", -1.0},
        {u"Cth(710.0)", 1.0},
        {u"Cth(-710.0)", -1.0},
        {u"Cth(1e+300)", 1.0},
        {u"Cth(-1e+300)", -1.0},
        {u"ArSh(1e-300)", 1.0e-300},
        {u"ArSh(-1e-300)", -1.0e-300},
        {u"ArSh(1e-08)", 1.0e-8},
        {u"ArSh(-1e-08)", -1.0e-8},
        {u"ArSh(1.0)", 0.88137358701954303},
        {u"ArSh(-1.0)", -0.88137358701954303},
        {u"ArSh(20.0)", 3.6895038689889056},
        {u"ArSh(-20.0)", -3.6895038689889056},
        {u"ArSh(710.0)", 7.258412646528284},
        {u"ArSh(-710.0)", -7.258412646528284},
        {u"ArSh(1e+300)", 691.46867507877365},
        {u"ArSh(-1e+300)", -691.46867507877365},
        {u"ArCh(1.0)", 0.0},
        {u"ArCh(20.0)", 3.6882538673612967},
        {u"ArCh(710.0)", 7.2584116546615909},
        {u"ArCh(1e+300)", 691.46867507877365},
        {u"ArTh(1e-300)", 1.0e-300},
        {u"ArTh(-1e-300)", -1.0e-300},
        {u"ArTh(1e-08)", 1.0000000000000001e-8},
        {u"ArTh(-1e-08)", -1.0000000000000001e-8},
        {u"ArSch(1e-300)", 691.46867507877365},
        {u"ArSch(1e-08)", 19.113827924512311},
        {u"ArSch(1.0)", 0.0},
        {u"ArCsch(1e-300)", 691.46867507877365},
        {u"ArCsch(-1e-300)", -691.46867507877365},
        {u"ArCsch(1e-08)", 19.113827924512311},
        {u"ArCsch(-1e-08)", -19.113827924512311},
        {u"ArCsch(1.0)", 0.88137358701954303},
        {u"ArCsch(-1.0)", -0.88137358701954303},
        {u"ArCsch(20.0)", 0.049979190069348665},
        {u"ArCsch(-20.0)", -0.049979190069348665},
        {u"ArCsch(710.0)", 0.0014084502385606537},
        {u"ArCsch(-710.0)", -0.0014084502385606537},
        {u"ArCsch(1e+300)", 9.9999999999999995e-301},
        {u"ArCsch(-1e+300)", -9.9999999999999995e-301},
        {u"ArCth(20.0)", 0.050041729278491268},
        {u"ArCth(-20.0)", -0.050041729278491268},
        {u"ArCth(710.0)", 0.0014084516355566889},
        {u"ArCth(-710.0)", -0.0014084516355566889},
        {u"ArCth(1e+300)", 9.9999999999999995e-301},
        {u"ArCth(-1e+300)", -9.9999999999999995e-301},
    };
    Engine engine;
    for (const Reference& r : references) {
        SCOPED_TRACE(utf8(r.line));
        test::Evaluation e = evaluate(engine, r.line);
        ASSERT_EQ(utf8(e.error), "");
        EXPECT_NEAR(e.value, r.value, 4.5e-16 * std::fabs(r.value));
    }
    const std::u16string_view outside[] = {
        u"ArcSin(20.0)",   u"ArcSin(-20.0)",   u"ArcSin(710.0)",  u"ArcSin(-710.0)",
        u"ArcSin(1e+300)", u"ArcSin(-1e+300)", u"ArcCos(20.0)",   u"ArcCos(-20.0)",
        u"ArcCos(710.0)",  u"ArcCos(-710.0)",  u"ArcCos(1e+300)", u"ArcCos(-1e+300)",
        u"ArcSc(1e-300)",  u"ArcSc(-1e-300)",  u"ArcSc(1e-08)",   u"ArcSc(-1e-08)",
        u"ArcCsc(1e-300)", u"ArcCsc(-1e-300)", u"ArcCsc(1e-08)",  u"ArcCsc(-1e-08)",
        u"Sh(1e+300)",     u"Sh(-1e+300)",     u"Ch(1e+300)",     u"Ch(-1e+300)",
        u"ArCh(1e-300)",   u"ArCh(-1e-300)",   u"ArCh(1e-08)",    u"ArCh(-1e-08)",
        u"ArCh(-1.0)",     u"ArCh(-20.0)",     u"ArCh(-710.0)",   u"ArCh(-1e+300)",
        u"ArTh(1.0)",      u"ArTh(-1.0)",      u"ArTh(20.0)",     u"ArTh(-20.0)",
        u"ArTh(710.0)",    u"ArTh(-710.0)",    u"ArTh(1e+300)",   u"ArTh(-1e+300)",
        u"ArSch(-1e-300)", u"ArSch(-1e-08)",   u"ArSch(-1.0)",    u"ArSch(20.0)",
        u"ArSch(-20.0)",   u"ArSch(710.0)",    u"ArSch(-710.0)",  u"ArSch(1e+300)",
        u"ArSch(-1e+300)", u"ArCth(1e-300)",   u"ArCth(-1e-300)", u"ArCth(1e-08)",
        u"ArCth(-1e-08)",  u"ArCth(1.0)",      u"ArCth(-1.0)",
    };
    for (std::u16string_view line : outside) {
        SCOPED_TRACE(utf8(line));
        EXPECT_EQ(utf8(evaluate(engine, line).error), "Недопустимый аргумент");
    }
}

// Next to the points where 1/x or pi/2 - atan(x) would lose them, the digits stay
// (50-digit references).
TEST(ElementaryFunctions, NoCancellationNearTheEdgesOfTheDomain) {
    const FunctionCase cases[] = {
        {u"ArcCtg(1e16)", 1e-16, 1e-15},
        {u"ArcCtg(1e10)", 1e-10, 1e-15},
        {u"ArcCtg(-1)", 3 * pi / 4, 1e-15},
        {u"ArcSc(1.0000000009313226)", 4.3158372858407836e-5, 1e-13},
        {u"ArCth(1.00000001)", 9.5569139677948909, 1e-13},
        {u"ArCth(-1.00000001)", -9.5569139677948909, 1e-13},
    };
    Engine engine;
    expectValues(engine, cases);
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
