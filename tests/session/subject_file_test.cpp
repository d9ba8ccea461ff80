// The subject file the program ships: its outline reads without a skipped level, and every
// formula it inserts calculates as written, without a syntax error or an engine message.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "lang/blanks.h"
#include "session/session.h"
#include "session/subject_outline.h"
#include "session/test_program.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

class CharacterMetrics : public MenuTextMetrics {
  public:
    int textWidth(std::u16string_view text) const override { return static_cast<int>(text.size()); }
    int textHeight() const override { return 1; }
};

struct Formula {
    std::u16string item;
    std::u16string text;
};

std::vector<Formula> formulasOf(const SubjectTree& tree) {
    std::vector<Formula> formulas;
    for (int number = 1; number <= tree.menuCount(); ++number) {
        for (const std::u16string& item : tree.menu(number).items) {
            std::u16string text = subjectInsertion(item);
            if (!text.empty()) formulas.push_back({item, std::move(text)});
        }
    }
    return formulas;
}

TEST(SubjectFile, EveryFormulaCalculatesAsWritten) {
    SubjectTree tree;
    CharacterMetrics metrics;
    SubjectRead read = tree.read(
        std::filesystem::path(TALLY_SOURCE_DIR) / "resources" / "Subjects" / "Subject.txt",
        SubjectTree::Mode::New, metrics);
    ASSERT_EQ(read.status, SubjectRead::Status::Read) << read.line << ": " << utf8(read.text);
    ASSERT_GE(tree.menu(1).count(), 6);

    std::vector<Formula> formulas = formulasOf(tree);
    EXPECT_GE(formulas.size(), 150u);
    test::TestProgram<> program;
    for (const Formula& formula : formulas) {
        SCOPED_TRACE(utf8(formula.item));
        LineResult result = program.engine().evaluateLine(withoutBlanks(formula.text));
        EXPECT_EQ(utf8(result.syntaxMessage), "");
        EXPECT_FALSE(result.nestedSyntaxError);
        EXPECT_EQ(utf8(errorText(result.error)), "");
        // A formula is a calculation, not an assignment or a definition that would change
        // the user's variables or functions.
        EXPECT_FALSE(result.flags.assignmentDone);
        EXPECT_FALSE(result.flags.isFunctionDefinition);
    }
}

// A few formulas checked against values worked out by hand.
TEST(SubjectFile, FormulasGiveTheirTextbookValues) {
    test::TestProgram<> program;
    const test::ValueCase cases[] = {
        {u"2[кг]*(3[м/с])^2/2", 9},
        {u"12[В]/4[Ом]", 3},
        {u"Sqrt(6*(6-3)*(6-4)*(6-5))", 6},
        {u"4/3*pi*(0.5[м])^3", 0.523598775598299, 1e-12},
        {u"Pmt(0.12/12,36,300000)", -9964.29294385536, 1e-10},
        {u"FV(0.08/12,36,0,-100000)", 127023.705162065, 1e-10},
        {u"100[км]/1[ми]", 62.1371192237334, 1e-12},
        {u"25[°С]", 298.15, 1e-12},
        {u"1°30'45\"", 1.5125, 1e-12},
        {u"Combin(10,3)*0.5^3*0.5^7", 0.1171875},
    };
    test::expectValues(program.engine(), cases);
}

}  // namespace
}  // namespace tally
