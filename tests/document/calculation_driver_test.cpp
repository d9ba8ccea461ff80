// The calculation driver: what Enter writes into the document, the result box and its
// added calculations, the variables and user-function lists, and the clipboard.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/interfaces.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;
using Lines = std::vector<std::u16string>;

std::vector<std::string> utf8(const Lines& lines) {
    std::vector<std::string> result;
    for (const auto& line : lines)
        result.push_back(toUtf8(line));
    return result;
}

// A document calculated line by line as Enter does it.
struct Session {
    Session() {
        engine.defineUnit(u"м", u"1");
        engine.defineUnit(u"с", u"1");
    }
    // Calculates one more line; returns what the result box shows as a message.
    std::u16string enter(std::u16string_view line) {
        document.appendLine(line);
        EXPECT_EQ(driver.calculateCurrentLine(), CalculationDriver::Outcome::Calculated);
        return driver.resultBox().showsError ? driver.resultBox().text : std::u16string();
    }
    std::u16string enterAll(const Lines& lines) {
        std::u16string message;
        for (const auto& line : lines)
            message = enter(line);
        return message;
    }

    Engine engine;
    TextDocument document;
    CalculationDriver driver{engine, document};
};

void expectDocument(const Lines& input, const Lines& expected, std::u16string_view message = u"") {
    SCOPED_TRACE(utf8(input.back()));
    Session session;
    EXPECT_EQ(utf8(session.enterAll(input)), utf8(message));
    EXPECT_EQ(utf8(session.document.lines()), utf8(expected));
}

TEST(CalculationDriver, WritesResultsByStatementKind) {
    expectDocument({u"2+3"}, {u"2+3=5"});
    expectDocument({u"2+3="}, {u"2+3=5"});
    expectDocument({u"2 + 3"}, {u"2 + 3=5"});
    expectDocument({u"5"}, {u"5"});
    expectDocument({u"-5"}, {u"-5"});
    expectDocument({u"1/3"}, {u"1/3=0.333333333333333"});
    expectDocument({u"RadToDeg(pi)"}, {u"RadToDeg(pi)=180o0'0\""});
    // Comparisons go on a new line: left value, relation, right value.
    expectDocument({u"2+2=5"}, {u"2+2=5", u"4<5"});
    expectDocument({u"3=3"}, {u"3=3", u"3=3"});
    expectDocument({u"7=2*3"}, {u"7=2*3", u"7>6"});
    expectDocument({u"1=RadToDeg(pi)"}, {u"1=RadToDeg(pi)", u"1<180o0'0\""});
    // A built-in function on the left is compared, not defined.
    expectDocument({u"Sin(0)=0"}, {u"Sin(0)=0", u"0=0"});
}

TEST(CalculationDriver, WritesAssignments) {
    expectDocument({u"x=2"}, {u"x=2"});
    expectDocument({u"x=-2"}, {u"x=-2"});
    expectDocument({u"2*x=10"}, {u"2*x=10"});
    expectDocument({u"y=3", u"x=2+y"}, {u"y=3", u"x=2+y", u"x=5"});
    expectDocument({u"x=5%"}, {u"x=5%", u"x=0.05"});
    expectDocument({u"x=3!"}, {u"x=3!", u"x=6"});
    expectDocument({u"x=|-2|"}, {u"x=|-2|", u"x=2"});
    expectDocument({u"x=2="}, {u"x=2=2"});
    expectDocument({u"y=4", u"x=y="}, {u"y=4", u"x=y=4"});
    expectDocument({u"x=RadToDeg(pi)"}, {u"x=RadToDeg(pi)", u"x=180o0'0\""});
}

TEST(CalculationDriver, FailuresLeaveTheDocumentAlone) {
    expectDocument({u"Ans=1"}, {u"Ans=1"}, u"Недопустимое присваивание");
    expectDocument({u"pi=3"}, {u"pi=3"}, u"Недопустимое присваивание");
    expectDocument({u"2+*3"}, {u"2+*3"}, u"Синтаксическая ошибка");
    expectDocument({u"1/0"}, {u"1/0"}, u"Переполнение");
    expectDocument({u"Ln(0)+Sin(1)"}, {u"Ln(0)+Sin(1)"}, u"Недопустимый аргумент");
    expectDocument({u"LogN(8)"}, {u"LogN(8)"}, u"Мало аргументов");
    expectDocument({u"x(2)"}, {u"x(2)"}, u"Неизвестная функция");
    expectDocument({u"2[м]+3[с]+Ln(0)"}, {u"2[м]+3[с]+Ln(0)"}, u"Недопустимый аргумент");
}

TEST(CalculationDriver, BlankAndCommentLines) {
    expectDocument({u""}, {u""});
    expectDocument({u"   "}, {u"   "});
    expectDocument({u"` a comment"}, {u"` a comment"});
    // A comment line leaves Ans alone.
    expectDocument({u"2+3", u" ` note", u"Ans"}, {u"2+3=5", u" ` note", u"Ans=5"});
}

// A result in the line goes before its comment, which keeps its blanks; a result on a new
// line follows the whole line.
TEST(CalculationDriver, ResultsBeforeTheComment) {
    expectDocument({u"2*3 ` six"}, {u"2*3=6 ` six"});
    expectDocument({u"2*3`six"}, {u"2*3=6`six"});
    expectDocument({u"2*3=  ` six"}, {u"2*3=6  ` six"});
    expectDocument({u"x=2=` c"}, {u"x=2=2` c"});
    expectDocument({u"y=1", u"x=y+1 ` note"}, {u"y=1", u"x=y+1 ` note", u"x=2"});
    expectDocument({u"2+2=5 ` no"}, {u"2+2=5 ` no", u"4<5"});
    // Blanks only in the comment, and lines longer than the ones looked through at once.
    expectDocument({u"2*3`a b"}, {u"2*3=6`a b"});
    expectDocument({u"1+2+3+4+5+6+7+8+9+10+11+12+13+14`sum"},
                   {u"1+2+3+4+5+6+7+8+9+10+11+12+13+14=105`sum"});
    expectDocument({u"1+2+3+4+5+6+7+8+9+10+11+12+13+14 ` the sum"},
                   {u"1+2+3+4+5+6+7+8+9+10+11+12+13+14=105 ` the sum"});
}

TEST(CalculationDriver, UserFunctionsFromTheDocument) {
    expectDocument({u"f(a,b)=a-b", u"f(5,3)", u"f(5,3,1)"},
                   {u"f(a,b)=a-b", u"f(5,3)=2", u"f(5,3,1)=2"});
    expectDocument({u"f(a,b)=a-b", u"f(5)"}, {u"f(a,b)=a-b", u"f(5)"}, u"Мало аргументов");
    expectDocument({u"f(a,b)=a-b", u"f(,3)"}, {u"f(a,b)=a-b", u"f(,3)"}, u"Синтаксическая ошибка");
    expectDocument({u"g(x)=x*3=", u"g(2)"}, {u"g(x)=x*3=", u"g(2)=6"});
    expectDocument({u"k()=42", u"k()+1"}, {u"k()=42", u"k()+1=43"});
    // Only whole names become parameters: not longer names, not the exponent of a number.
    expectDocument({u"xx=10", u"x1=100", u"h(x)=x+xx+x1", u"h(1)"},
                   {u"xx=10", u"x1=100", u"h(x)=x+xx+x1", u"h(1)=111"});
    expectDocument({u"g(e)=e*1e2", u"g(3)"}, {u"g(e)=e*1e2", u"g(3)=300"});
    expectDocument({u"f(x)=x^2", u"f(x)=x^3", u"f(2)"}, {u"f(x)=x^2", u"f(x)=x^3", u"f(2)=8"});
    expectDocument({u"r(a)=r(a)+1", u"r(1)"}, {u"r(a)=r(a)+1", u"r(1)"}, u"Переполнение");
}

// A parameter written with a value ("x=1") is named by the part before its "="; the body
// is what follows the "=" after the parameter list.
TEST(CalculationDriver, DefinitionWithNamedParameter) {
    Session session;
    session.enterAll({u"f(x=1)=x*2", u"f(3)"});
    EXPECT_EQ(utf8(session.document.lines()), utf8(Lines{u"f(x=1)=x*2", u"f(3)=6"}));
    EXPECT_EQ(utf8(session.driver.userFunctions().items()), utf8(Lines{u"f(x)=x*2"}));
}

TEST(CalculationDriver, UserFunctionListIsSortedAndReplaced) {
    Session session;
    session.enterAll({u"b(x)=x", u"A(x)=x", u"c(x)=x", u"b(y)=y+1"});
    EXPECT_EQ(utf8(session.driver.userFunctions().items()),
              utf8(Lines{u"A(x)=x", u"b(y)=y+1", u"c(x)=x"}));
}

TEST(CalculationDriver, NestedSyntaxErrorIsReported) {
    Session session;
    ASSERT_TRUE(session.engine.defineUserFunction(u"emp", {}, u""));
    EXPECT_NE(session.enter(u"emp()+1"), u"");
    EXPECT_EQ(utf8(session.document.lines()), utf8(Lines{u"emp()+1"}));
}

TEST(CalculationDriver, UnitsAreWrittenInBrackets) {
    expectDocument({u"2[м]*3[м]"}, {u"2[м]*3[м]=6[м^2]"});
    expectDocument({u"6[м]/2[с]"}, {u"6[м]/2[с]=3[м/с]"});
    expectDocument({u"6[м^2]"}, {u"6[м^2]=6[м^2]"});
    expectDocument({u"x=2[м]"}, {u"x=2[м]", u"x=2[м]"});
    expectDocument({u"2[м]=3[м]"}, {u"2[м]=3[м]", u"2<3"});
    // A mismatch alone still writes the result and keeps the message.
    expectDocument({u"2[м]+3[с]"}, {u"2[м]+3[с]=5[м]"}, u"Несоответствие в размерностях");
}

TEST(CalculationDriver, ResultDimensionsNameUnitTexts) {
    Session session;
    session.driver.resultDimensions().push_back({u"га", u"10000*м^2", true});
    session.enter(u"200[м]*300[м]");
    session.driver.resultDimensions().back().enabled = false;
    session.enter(u"200[м]*300[м]");
    EXPECT_EQ(utf8(session.document.lines()),
              utf8(Lines{u"200[м]*300[м]=6[га]", u"200[м]*300[м]=60000[м^2]"}));
}

// Results name their units afresh once units change: the same dimension before and after a
// unit is redefined, or after a base unit of its own opens, reads as a new session reads it.
TEST(CalculationDriver, ResultUnitsFollowRedefinedUnits) {
    const Lines lines{u"3[шт]*2[м]", u"5[фут]+0", u"3[шт]*2[м]"};
    Session session;
    session.enter(u"2[м]+0");
    session.engine.defineUnit(u"шт", u"1");
    session.engine.defineUnit(u"фут", u"0.3048*м");
    session.enter(lines[0]);
    session.engine.defineUnit(u"шт", u"4");
    session.engine.defineUnit(u"фут", u"0.3*м");
    session.enterAll({lines[1], lines[2]});

    Session fresh;
    fresh.engine.defineUnit(u"шт", u"4");
    fresh.engine.defineUnit(u"фут", u"0.3*м");
    fresh.enterAll({lines[1], lines[2]});
    Lines written = session.document.lines();
    Lines expected = fresh.document.lines();
    EXPECT_EQ(utf8(Lines(written.end() - 2, written.end())), utf8(expected));
}

TEST(CalculationDriver, VariablesListHoldsOneItemPerName) {
    Session session;
    session.enterAll({u"x=2", u"y=1/4", u"X=5", u"z=x+1", u"x"});
    EXPECT_EQ(utf8(session.driver.variables().items()), utf8(Lines{u"x=5", u"y=0.25", u"z=6"}));
    EXPECT_EQ(utf8(session.document.lines().back()), "x=5");
    EXPECT_EQ(utf8(VariablesList::nameOf(u"a=b=3")), "a=b");
}

// "=5" names no variable; it must not store into the variable of an earlier line.
TEST(CalculationDriver, LineStartingWithEqualsAssignsNothing) {
    Session session;
    session.enterAll({u"x=3", u"=5", u"x"});
    EXPECT_EQ(utf8(session.document.lines().back()), "x=3");
    EXPECT_EQ(utf8(session.driver.variables().items()), utf8(Lines{u"x=3"}));
}

TEST(CalculationDriver, MillionCharacterLine) {
    std::u16string line = u"1";
    for (int i = 1; i < 500000; ++i)
        line += u"+1";
    Session session;
    EXPECT_EQ(utf8(session.enter(line)), "");
    ASSERT_EQ(session.document.lines().size(), 1u);
    EXPECT_EQ(session.document.lines()[0], line + u"=500000");
}

TEST(ResultBox, AddedCalculationsForTheResult) {
    Session session;
    session.driver.addedCalculations() = {u"Hex",         u"oct",  u"Ans*1000",
                                          u"Ln(Ans-Ans)", u"Ans*", u"Ans/2=junk"};
    session.enter(u"255");
    const ResultBox& box = session.driver.resultBox();
    EXPECT_EQ(utf8(box.items), utf8(Lines{u"Hex(Ans)=FF", u"Oct(Ans)=377", u"Ans*1000=255000",
                                          u"Ln(Ans-Ans)=", u"Ans*=", u"Ans/2=127.5"}));
    EXPECT_EQ(utf8(box.text), "255");
    EXPECT_FALSE(box.showsError);
    // The entries change neither the result nor Ans.
    EXPECT_DOUBLE_EQ(session.engine.ans(), 255);

    session.enter(u"-1");
    EXPECT_EQ(utf8(box.items[0]), "Hex(Ans)=FFFFFFFF");
    EXPECT_EQ(utf8(box.items[1]), "Oct(Ans)=37777777777");
    session.enter(u"254.7");
    EXPECT_EQ(utf8(box.items[0]), "Hex(Ans)=FF");

    // A chosen entry stays chosen for the next result.
    session.driver.resultBox().selectedIndex = 2;
    session.enter(u"3");
    EXPECT_EQ(utf8(box.text), "Ans*1000=3000");
}

TEST(ResultBox, RebuildSelectsTheNewestEntry) {
    Session session;
    session.driver.addedCalculations() = {u"Hex", u"Ans+1"};
    session.enter(u"16");
    session.driver.rebuildResultBox(true);
    EXPECT_EQ(session.driver.resultBox().selectedIndex, 0);
    EXPECT_EQ(utf8(session.driver.resultBox().text), "Hex(Ans)=10");
    EXPECT_EQ(utf8(session.driver.resultBox().items[1]), "Ans+1=17");
}

TEST(ResultBox, AddCalculationPutsTheEntryFirst) {
    Session session;
    session.enter(u"21");
    ResultBox& box = session.driver.resultBox();
    auto& added = session.driver.addedCalculations();

    box.text = u"Ans*2";
    session.driver.addCalculation();
    EXPECT_EQ(utf8(added), utf8(Lines{u"Ans*2"}));
    EXPECT_EQ(utf8(box.text), "Ans*2=42");
    EXPECT_EQ(box.selectedIndex, 0);

    // The same entry, whatever its case and shown value, replaces the old one.
    box.text = u"ANS*2=99";
    session.driver.addCalculation();
    EXPECT_EQ(utf8(added), utf8(Lines{u"ANS*2"}));

    box.text = u"Ans*";
    session.driver.addCalculation();
    EXPECT_TRUE(box.showsError);
    EXPECT_EQ(utf8(box.text), "Синтаксическая ошибка");
    EXPECT_EQ(utf8(added), utf8(Lines{u"ANS*2"}));

    // An engine error does not keep an entry out.
    box.text = u"Ln(Ans-21)";
    session.driver.addCalculation();
    EXPECT_EQ(utf8(added), utf8(Lines{u"Ln(Ans-21)", u"ANS*2"}));
    EXPECT_EQ(utf8(box.items), utf8(Lines{u"Ln(Ans-21)=", u"ANS*2=42"}));

    box.text = u"";
    session.driver.addCalculation();
    EXPECT_EQ(added.size(), 2u);
    EXPECT_DOUBLE_EQ(session.engine.ans(), 21);
}

class FakeClipboard : public Clipboard {
  public:
    void setText(std::u16string_view text) override { texts.emplace_back(text); }
    Lines texts;
};

TEST(Clipboard, ReceivesTheNumberWithoutUnit) {
    struct Case {
        bool toClipboard;
        bool pointIsDot;
        bool convert;
        std::u16string_view line;
        Lines copied;
    };
    const Case cases[] = {
        {false, true, false, u"1/4", {}},
        {true, true, false, u"1/4", {u"0.25"}},
        {true, true, true, u"1/4", {u"0.25"}},
        {true, false, false, u"1/4", {u"0.25"}},
        {true, false, true, u"1/4", {u"0,25"}},
        {true, true, false, u"2[м]*3[м]", {u"6"}},
        {true, true, false, u"x=2", {u"2"}},
        {true, true, false, u"2+2=5", {u"5"}},
        {true, true, false, u"RadToDeg(pi)", {u"180o0'0\""}},
        {true, true, false, u"2+*3", {}},
        {true, true, false, u"Ln(0)", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        Session session;
        FakeClipboard clipboard;
        session.driver.setClipboard(&clipboard);
        session.driver.options() = {c.toClipboard, c.convert, c.pointIsDot};
        session.enter(c.line);
        EXPECT_EQ(utf8(clipboard.texts), utf8(c.copied));
    }
}

// Events processed during a calculation may ask for another one: it is refused.
TEST(CalculationDriver, RefusesASecondCalculationWhileOneRuns) {
    struct Pump : EventPump {
        CalculationDriver* driver = nullptr;
        std::vector<CalculationDriver::Outcome> outcomes;
        void processEvents() override { outcomes.push_back(driver->calculateCurrentLine()); }
    };
    Session session;
    Pump pump;
    pump.driver = &session.driver;
    session.engine.setEventPump(&pump);
    session.enter(u"Sin(0)+Cos(0)");
    session.engine.setEventPump(nullptr);
    EXPECT_EQ(pump.outcomes,
              (std::vector<CalculationDriver::Outcome>(2, CalculationDriver::Outcome::Refused)));
    EXPECT_EQ(utf8(session.document.lines()), utf8(Lines{u"Sin(0)+Cos(0)=1"}));
}

TEST(CalculationDriver, DefinitionTextsWriteNothing) {
    Session session;
    session.driver.calculateDefinitionText(u" f(x) = x*2 ");
    session.driver.calculateDefinitionText(u"y=7");
    EXPECT_EQ(utf8(session.driver.userFunctions().items()), utf8(Lines{u"f(x)=x*2"}));
    EXPECT_FALSE(session.driver.resultBox().showsError);
    session.driver.calculateDefinitionText(u"2+*");
    EXPECT_TRUE(session.driver.resultBox().showsError);
    EXPECT_EQ(utf8(session.driver.resultBox().text), "Синтаксическая ошибка");
    EXPECT_EQ(utf8(session.document.lines()), utf8(Lines{u""}));
    session.enter(u"f(y)");
    EXPECT_EQ(utf8(session.document.lines()), utf8(Lines{u"f(y)=14"}));
}

}  // namespace
}  // namespace tally
