// The batch calculator: a document calculated line by line with the window's rules, under
// the angle and unit settings of the command line.

#include "cli/batch_calculator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

struct BatchCase {
    std::vector<std::u16string_view> input;
    std::vector<std::string> document;
    std::vector<std::string> messages;  // one per input line, "" for none
};

void expectDocument(BatchCalculator::Settings settings, const BatchCase& c) {
    SCOPED_TRACE(utf8(c.input.back()));
    BatchCalculator calculator(settings);
    calculator.engine().defineUnit(u"м", u"1");
    calculator.engine().defineUnit(u"с", u"1");
    std::vector<std::string> messages;
    for (std::u16string_view line : c.input)
        messages.push_back(utf8(calculator.calculate(line)));
    std::vector<std::string> document;
    for (const auto& line : calculator.document().lines())
        document.push_back(utf8(line));
    EXPECT_EQ(document, c.document);
    EXPECT_EQ(messages, c.messages);
}

TEST(BatchCalculator, RadiansAndUnitsByDefault) {
    const BatchCalculator::Settings settings{};
    expectDocument(settings, {{u"Sin(30)"}, {"Sin(30)=-0.988031624092862"}, {""}});
    expectDocument(settings, {{u"2[м]*3[м]"}, {"2[м]*3[м]=6[м^2]"}, {""}});
    expectDocument(settings, {{u"2+3", u"x=Ans*2", u"2+*3", u"x/0", u"x"},
                              {"2+3=5", "x=Ans*2", "x=10", "2+*3", "x/0", "x=10"},
                              {"", "", "Синтаксическая ошибка", "Переполнение", ""}});
    expectDocument(settings,
                   {{u"2[м]+3[с]"}, {"2[м]+3[с]=5[м]"}, {"Несоответствие в размерностях"}});
}

TEST(BatchCalculator, DegreesSetting) {
    const BatchCalculator::Settings degrees{true, true};
    expectDocument(degrees, {{u"Sin(30)", u"ArcSin(1)", u"Cos(0)="},
                             {"Sin(30)=0.5", "ArcSin(1)=1.5707963267949", "Cos(0)=1"},
                             {"", "", ""}});
}

TEST(BatchCalculator, WithoutUnitsSetting) {
    const BatchCalculator::Settings plain{false, false};
    expectDocument(plain, {{u"2[м]+3[с]", u"2[м]*3[м]"}, {"2[м]+3[с]=5", "2[м]*3[м]=6"}, {"", ""}});
}

}  // namespace
}  // namespace tally
