// The batch calculator's document: lines appended at the end in UTF-16 or UTF-8, results
// inserted at the caret, and the whole text kept as one piece that grows in its own room.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "document/text_document.h"
#include "lang/code_page.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;

TEST(TextDocument, AppendsLinesAndInsertsAtTheCaret) {
    struct Step {
        enum Kind { Utf16Line, Utf8Line, CaretTo, Insert } kind;
        std::u16string_view text;
        std::string_view bytes;
        std::size_t column;
        std::u16string_view document;  // the whole text after the step
        std::u16string_view currentLine;
    };
    const Step steps[] = {
        {Step::Utf16Line, u"2+3", "", 0, u"2+3", u"2+3"},
        {Step::Insert, u"=5", "", 0, u"2+3=5", u"2+3=5"},
        {Step::Utf8Line, u"", "1 ` один", 0, u"2+3=5\n1 ` один", u"1 ` один"},
        {Step::CaretTo, u"", "", 1, u"2+3=5\n1 ` один", u"1 ` один"},
        {Step::Insert, u"=1", "", 0, u"2+3=5\n1=1 ` один", u"1=1 ` один"},
        // A line with breaks in it is several lines; the caret goes to the last.
        {Step::Utf8Line, u"", "a\nb\xFF", 0, u"2+3=5\n1=1 ` один\na\nb\uFFFD", u"b\uFFFD"},
        {Step::Insert, u"\nx=2", "", 0, u"2+3=5\n1=1 ` один\na\nb\uFFFD\nx=2", u"x=2"},
        {Step::Utf16Line, u"", "", 0, u"2+3=5\n1=1 ` один\na\nb\uFFFD\nx=2\n", u""},
    };
    TextDocument document;
    for (const Step& step : steps) {
        switch (step.kind) {
            case Step::Utf16Line:
                document.appendLine(step.text);
                break;
            case Step::Utf8Line:
                document.appendUtf8Line(step.bytes);
                break;
            case Step::CaretTo:
                document.moveCaretInLine(step.column);
                break;
            case Step::Insert:
                document.insertText(step.text);
                break;
        }
        ASSERT_EQ(utf8(document.text()), utf8(step.document));
        ASSERT_EQ(utf8(document.currentLine()), utf8(step.currentLine));
    }
}

// Many lines make the text grow again and again; every unit stays where it was written,
// also when a piece of the document itself is inserted while it has to grow.
TEST(TextDocument, KeepsEverythingWhileGrowing) {
    TextDocument document;
    std::u16string expected;
    for (int i = 0; i < 20000; ++i) {
        std::string line = std::to_string(i) + (i % 3 == 0 ? " ` \xE2\x84\x96" : "+1");
        std::size_t start = document.appendUtf8Line(line);
        if (i != 0) expected += u'\n';
        ASSERT_EQ(start, expected.size());
        expected += fromUtf8(line);
        if (i % 1000 == 0) {
            std::u16string_view piece = document.text().substr(0, 3000);
            expected += expected.substr(0, piece.size());
            document.insertText(piece);
        }
    }
    EXPECT_TRUE(document.text() == expected);
    EXPECT_EQ(document.lines().size(),
              1 + static_cast<std::size_t>(std::count(expected.begin(), expected.end(), u'\n')));
}

}  // namespace
}  // namespace tally
