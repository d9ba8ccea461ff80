// The removal dialog without its window: user functions, variables and added calculations
// leave the engine and every list at once.

#include "session/removal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "session/session.h"
#include "session/test_program.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

struct Program : test::TestProgram<> {
    Engine& engine = core.engine();
    CalculationDriver& driver = core.driver();

    Removal removal(RemovalMode mode) { return Removal(mode, core.definitionsSession()); }
    std::string calculate(std::u16string_view line) { return utf8(TestProgram::calculate(line)); }
    void addCalculation(std::u16string_view expression) {
        driver.resultBox().text = expression;
        driver.addCalculation();
    }
};

std::vector<std::string> utf8Rows(const Removal& removal) {
    std::vector<std::string> rows;
    for (const std::u16string& row : removal.rows())
        rows.push_back(utf8(row));
    return rows;
}

TEST(Removal, UserFunctionsLeaveTheEngineTheListAndTheKeypad) {
    Program program;
    program.calculate(u"f(x)=x^2+1");
    program.calculate(u"g(a,b)=a*b");
    program.calculate(u"h(t)=f(t)+1");
    program.core.definitions().keypadFunctions = {u"sin", u"F", u"g"};
    Removal removal = program.removal(RemovalMode::UserFunctions);
    ASSERT_EQ(utf8Rows(removal),
              (std::vector<std::string>{"f(x)=x^2+1", "g(a,b)=a*b", "h(t)=f(t)+1"}));

    EXPECT_EQ(removal.remove({0}), 1);
    EXPECT_EQ(utf8Rows(removal), (std::vector<std::string>{"g(a,b)=a*b", "h(t)=f(t)+1"}));
    EXPECT_EQ(program.core.definitions().keypadFunctions,
              (std::vector<std::u16string>{u"sin", u"g"}));
    test::expectMessage(program.engine, u"f(2)", u"Неизвестная функция");
    test::expectValue(program.engine, u"g(2,3)", 6);
    // A function that called the removed one fails too.
    test::expectMessage(program.engine, u"h(2)", u"Неизвестная функция");
    // The name is free again: as a variable or for a new function.
    EXPECT_EQ(program.calculate(u"f=4"), "f=4");
    test::expectValue(program.engine, u"f+1", 5);
    program.calculate(u"f(y)=3*y");
    test::expectValue(program.engine, u"f(2)", 6);
}

TEST(Removal, VariablesAreFreedAndLeaveTheBox) {
    Program program;
    program.calculate(u"x=5");
    program.calculate(u"y=3");
    program.calculate(u"z=1");
    program.core.definitions().variablesSelection = 2;
    Removal removal = program.removal(RemovalMode::Variables);
    ASSERT_EQ(utf8Rows(removal), (std::vector<std::string>{"x=5", "y=3", "z=1"}));

    EXPECT_EQ(removal.remove({1, 0}), 2);
    EXPECT_EQ(utf8Rows(removal), std::vector<std::string>{"z=1"});
    EXPECT_EQ(program.core.definitions().variablesSelection, 0);
    test::expectValue(program.engine, u"x+y+z", 1);
    // A freed variable is assigned again like a new one.
    program.calculate(u"x=7");
    EXPECT_EQ(utf8Rows(removal), (std::vector<std::string>{"z=1", "x=7"}));
}

TEST(Removal, RemovingTheSelectedVariableClearsTheSelection) {
    Program program;
    program.calculate(u"a=1");
    program.calculate(u"b=2");
    program.core.definitions().variablesSelection = 0;
    program.removal(RemovalMode::Variables).remove({0});
    EXPECT_EQ(program.core.definitions().variablesSelection, -1);
}

TEST(Removal, AddedCalculationsLeaveTheListAndTheDecimalFieldsBox) {
    Program program;
    program.calculate(u"255");
    program.addCalculation(u"Hex");
    program.addCalculation(u"Ans*2");
    program.addCalculation(u"Ans+1");
    Removal removal = program.removal(RemovalMode::AddedCalculations);
    ASSERT_EQ(utf8Rows(removal),
              (std::vector<std::string>{"Ans+1=256", "Ans*2=510", "Hex(Ans)=FF"}));
    ResultBox& box = program.driver.resultBox();
    ASSERT_EQ(box.selectedIndex, 0);

    EXPECT_EQ(removal.remove({0}), 1);
    EXPECT_EQ(program.driver.addedCalculations(), (std::vector<std::u16string>{u"Ans*2", u"Hex"}));
    EXPECT_EQ(box.items.size(), 2u);
    // The field no longer shows the removed calculation.
    EXPECT_EQ(box.selectedIndex, -1);
    EXPECT_EQ(utf8(box.text), "255");

    box.selectedIndex = 1;
    EXPECT_EQ(removal.remove({0}), 1);
    EXPECT_EQ(box.selectedIndex, 0);
    EXPECT_EQ(utf8(box.text), "Hex(Ans)=FF");
}

TEST(Removal, RowsOutOfRangeOrRepeatedAreIgnored) {
    Program program;
    program.calculate(u"x=1");
    program.calculate(u"y=2");
    Removal removal = program.removal(RemovalMode::Variables);
    EXPECT_EQ(removal.remove({}), 0);
    EXPECT_EQ(removal.remove({-1, 2, 7}), 0);
    EXPECT_EQ(removal.remove({1, 1, 1}), 1);
    EXPECT_EQ(utf8Rows(removal), std::vector<std::string>{"x=1"});
}

}  // namespace
}  // namespace tally
