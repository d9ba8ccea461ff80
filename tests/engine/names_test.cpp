// Names: variables and their case rules, assignment and Ans, the symbol table, and calls
// of user-defined functions (stored bodies refer to parameter i by its hidden name).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/constants.h"
#include "engine/engine.h"
#include "engine/variable_table.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::evaluate;
using test::expectMessage;
using test::expectValue;
using test::utf8;

struct LineCase {
    std::u16string_view line;
    double value;
    std::u16string_view error = u"";
};

void expectLines(Engine& engine, std::initializer_list<LineCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        test::Evaluation e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), utf8(c.error));
        EXPECT_DOUBLE_EQ(e.value, c.value);
    }
}

TEST(Variables, AssignmentAndCaseRules) {
    Engine engine;
    expectLines(engine, {
                            {u"X=5", 5},
                            {u"x+1", 6},
                            {u"Сила=4", 4},
                            {u"СИЛА*сила", 16},
                            // The one name on the left receives the right side.
                            {u"2*y=10", 10},
                            {u"y", 10},
                            {u"z=y=", 10},
                            {u"z", 10},
                            {u"a.b=2", 2},
                            {u"A.B^2", 4},
                        });
}

TEST(Variables, UnknownNameIsANewVariableWithZero) {
    Engine engine;
    EXPECT_FALSE(engine.symbols().find(u"zz").valid());
    expectValue(engine, u"zz", 0);
    EXPECT_TRUE(engine.symbols().find(u"ZZ").valid());
    expectValue(engine, u"zz+1", 1);
}

TEST(Variables, ReservedNamesCannotBeAssigned) {
    Engine engine;
    for (std::u16string_view line : {u"Ans=3", u"pi=3", u"PI=3", u"e=1"}) {
        SCOPED_TRACE(utf8(line));
        LineResult result = engine.evaluateLine(line);
        EXPECT_EQ(result.error, EngineError::InvalidAssignment);
        EXPECT_FALSE(result.flags.assignmentDone);
    }
    expectValue(engine, u"pi", kPi);
    expectValue(engine, u"e", kE);
}

TEST(Variables, FunctionNameTakesAValueAndStillCalls) {
    Engine engine;
    expectLines(engine, {{u"Sin=5", 5}, {u"Sin", 5}, {u"Sin(0)", 0}, {u"sin+Sin(0)", 5}});
}

// Names are told apart by every character; letter case counts only for exact look-ups,
// and among names equal but for case the first registered is found.
TEST(Variables, LookUpsOverManyNames) {
    VariableTable table;
    EntryRef abc = table.append(u"abc", 1, 0);
    EntryRef axc = table.append(u"axc", 2, 0);
    EntryRef upper = table.append(u"ABC", 3, 0);
    for (int i = 0; i < 100000; ++i) {
        std::string digits = std::to_string(i);
        std::u16string name = u"v";
        name.append(digits.begin(), digits.end());
        table.append(name, i, 0);
    }
    EXPECT_EQ(table.find(u"Abc", VariableTable::Match::IgnoreCase), abc);
    EXPECT_EQ(table.find(u"ABC", VariableTable::Match::Exact), upper);
    EXPECT_EQ(table.find(u"AxC", VariableTable::Match::IgnoreCase), axc);
    EXPECT_FALSE(table.find(u"AXC", VariableTable::Match::Exact).valid());
    EXPECT_FALSE(table.find(u"aac", VariableTable::Match::IgnoreCase).valid());
    EXPECT_EQ(table[table.find(u"V99999", VariableTable::Match::IgnoreCase)].value, 99999);
    EXPECT_EQ(table[table.find(u"v12345", VariableTable::Match::Exact)].value, 12345);
    EXPECT_FALSE(table.find(u"v100000", VariableTable::Match::IgnoreCase).valid());
    EXPECT_EQ(table.size(), 100003);
}

TEST(Variables, AnsFollowsEveryLine) {
    Engine engine;
    expectLines(engine, {{u"2+3", 5}, {u"Ans*2", 10}, {u"x=4", 4}, {u"Ans", 4}});
    // A failed call answers Ans.
    expectLines(engine, {{u"Ln(0)", 4, u"Недопустимый аргумент"}});
}

// Stored bodies: "f(a,b)=a-b" is kept as p1-p2.
class UserFunctions : public ::testing::Test {
  protected:
    void define(std::u16string_view name, std::vector<std::u16string> parameters,
                std::u16string body) {
        ASSERT_TRUE(engine.defineUserFunction(name, std::move(parameters), std::move(body)));
    }
    Engine engine;
    const std::u16string p1 = parameterName(1);
    const std::u16string p2 = parameterName(2);
    const std::u16string p3 = parameterName(3);
};

TEST_F(UserFunctions, ArgumentsBindByPosition) {
    define(u"f", {u"a", u"b"}, p1 + u"-" + p2);
    define(u"g", {u"a", u"b", u"c"}, p1 + u"+10*" + p2 + u"+100*" + p3);
    define(u"k", {}, u"42");
    expectLines(engine, {
                            {u"f(5,3)", 2},
                            {u"F(5;3)", 2},
                            {u"f(5,3,1)", 2},
                            {u"f(5)", 0, u"Мало аргументов"},
                            {u"g(1,,3)", 301},
                            {u"g(1,2,)", 21},
                            {u"k()", 42},
                            {u"f(f(9,1),f(4,2))", 6},
                            {u"2*f(5,3)+1", 5},
                        });
    // The grammar does not allow leaving out the first argument.
    EXPECT_NE(evaluate(engine, u"f(,3)").syntax, u"");
}

TEST_F(UserFunctions, BodiesCallOtherFunctions) {
    define(u"g", {u"b"}, p1 + u"+1");
    // After g's body the reader of f's body goes on right after g's closing bracket.
    define(u"f", {u"a"}, u"g(" + p1 + u")*10+" + p1);
    define(u"sq", {u"x"}, p1 + u"^2`square");
    expectLines(engine, {{u"f(2)", 32}, {u"sq(3)", 9}, {u"Sin(sq(0))", 0}});
}

TEST_F(UserFunctions, AssignmentTakesTheWholeRightSide) {
    define(u"f", {u"a"}, p1 + u"*" + p1);
    expectLines(engine, {{u"y=f(3)+1", 10}, {u"y", 10}});
}

TEST_F(UserFunctions, OnlyFreeNamesAndUserFunctionsCanBeDefined) {
    define(u"f", {u"a"}, p1 + u"+1");
    define(u"F", {u"a"}, p1 + u"+2");  // replaces f
    expectValue(engine, u"f(1)", 3);
    EXPECT_FALSE(engine.defineUserFunction(u"Sin", {u"a"}, p1));
    EXPECT_FALSE(engine.defineUserFunction(u"pi", {}, u"3"));
    EXPECT_FALSE(engine.defineUserFunction(u"Ans", {}, u"3"));
    expectValue(engine, u"Sin(0)", 0);
}

// A call inside a body binds its own arguments; the caller's parameters keep their values.
TEST_F(UserFunctions, InnerCallKeepsTheCallersParameters) {
    define(u"q", {u"a"}, p1 + u"*2");
    define(u"w", {u"a"}, u"q(" + p1 + u"+1)+" + p1);
    expectValue(engine, u"w(3)", 11);
}

// Self-reference nests without a bound of its own; the engine stops it.
TEST_F(UserFunctions, EndlessRecursionOverflows) {
    define(u"r", {u"a"}, u"r(" + p1 + u")+1");
    define(u"ping", {u"a"}, u"pong(" + p1 + u")");
    define(u"pong", {u"a"}, u"ping(" + p1 + u")");
    for (std::u16string_view line : {u"r(1)", u"ping(1)+2", u"Sin(r(1))"}) {
        SCOPED_TRACE(utf8(line));
        test::Evaluation e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), "Переполнение");
        // The next line starts afresh.
        expectValue(engine, u"1+1", 2);
    }
}

TEST_F(UserFunctions, EmptyBodyIsANestedSyntaxError) {
    define(u"emp", {}, u"");
    LineResult result = engine.evaluateLine(u"1+emp()");
    EXPECT_EQ(utf8(result.syntaxMessage), "");
    EXPECT_TRUE(result.nestedSyntaxError);
    EXPECT_EQ(utf8(test::headline(engine.evaluateExpression(u"").syntaxMessage)),
              "Line 1, syntax error, found \"end marker\" when expecting <ParsUsFunc> with one of: "
              "chr(9) chr(15) ' ' #-$ & ( + --. 0-9 A-[ _ a-| ° А-я");
}

TEST(StoredExpressions, EvaluateWithTheirCommentAndRefuseBrokenText) {
    Engine engine;
    expectValue(engine, u"x=3", 3);
    ExpressionResult square = engine.evaluateExpression(u"x^2`square");
    EXPECT_TRUE(square.ok());
    EXPECT_DOUBLE_EQ(square.result.value, 9);
    EXPECT_NE(engine.evaluateExpression(u"").syntaxMessage, u"");
    EXPECT_NE(engine.evaluateExpression(u"2*(3").syntaxMessage, u"");
}

// A stored text that fails half-way leaves the line's own operands as they were.
TEST_F(UserFunctions, BrokenBodyLeavesTheCallersOperands) {
    define(u"half", {}, u"2*(3");
    LineResult result = engine.evaluateLine(u"11+half()");
    EXPECT_TRUE(result.nestedSyntaxError);
    EXPECT_EQ(result.error, EngineError::SyntaxError);
    EXPECT_DOUBLE_EQ(result.result.value, 11);
}

}  // namespace
}  // namespace tally
