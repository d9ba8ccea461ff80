#include "document/undo_history.h"

#include <gtest/gtest.h>

#include <string>

namespace tally {
namespace {

void edit(std::u16string& text, int position, int removed, std::u16string_view inserted) {
    auto at = static_cast<std::size_t>(position);
    text = text.substr(0, at) + std::u16string(inserted) +
           text.substr(at + static_cast<std::size_t>(removed));
}

// A plain text with a caret whose changes are recorded, and to which undo and redo edits
// are applied as the editor would apply them.
struct RecordedText {
    std::u16string text;
    int caret = 0;
    UndoHistory history;

    explicit RecordedText(std::u16string start = u"") : text(std::move(start)) {
        caret = static_cast<int>(text.size());
        history.reset(text, caret);
    }
    void replace(int position, int removed, std::u16string_view inserted, int caretAfter) {
        edit(text, position, removed, inserted);
        caret = caretAfter;
        history.recordChange(position, removed, inserted, caret);
    }
    void type(std::u16string_view characters) {
        for (char16_t c : characters)
            replace(caret, 0, std::u16string(1, c), caret + 1);
    }
    void backspace() { replace(caret - 1, 1, u"", caret - 1); }
    void deleteForward() { replace(caret, 1, u"", caret); }
    void apply(const std::optional<TextEdit>& change) {
        ASSERT_TRUE(change);
        PausedRecording paused(history);
        edit(text, change->position, change->removed, change->inserted);
        caret = change->caret;
    }
    void undo() { apply(history.undo()); }
    void redo() { apply(history.redo()); }
};

TEST(UndoHistory, UndoAndRedoWalkBackAndForthThroughTyping) {
    RecordedText doc;
    doc.type(u"2+3");
    EXPECT_EQ(doc.history.undoCount(), 3u);
    doc.undo();
    EXPECT_EQ(doc.text, u"2+");
    EXPECT_EQ(doc.caret, 2);
    doc.undo();
    doc.undo();
    EXPECT_EQ(doc.text, u"");
    EXPECT_FALSE(doc.history.canUndo());
    doc.redo();
    doc.redo();
    EXPECT_EQ(doc.text, u"2+");
    EXPECT_EQ(doc.caret, 2);
    doc.redo();
    EXPECT_EQ(doc.text, u"2+3");
    EXPECT_FALSE(doc.history.canRedo());
    EXPECT_EQ(doc.history.text(), doc.text);
}

// Each kind of change, undone and redone: the text and the caret come back.
struct ChangeCase {
    const char* name;
    std::u16string_view start;
    void (*change)(RecordedText&);
    std::u16string_view changed;
    int caretAfterUndo;  // after the restored text
};

class UndoChangeTest : public testing::TestWithParam<ChangeCase> {};

TEST_P(UndoChangeTest, UndoRestoresAndRedoRepeats) {
    const ChangeCase& c = GetParam();
    RecordedText doc{std::u16string(c.start)};
    c.change(doc);
    EXPECT_EQ(doc.text, c.changed);
    doc.undo();
    EXPECT_EQ(doc.text, c.start);
    EXPECT_EQ(doc.caret, c.caretAfterUndo);
    doc.redo();
    EXPECT_EQ(doc.text, c.changed);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, UndoChangeTest,
    testing::Values(
        ChangeCase{"typed_character", u"ab", [](RecordedText& d) { d.type(u"c"); }, u"abc", 2},
        ChangeCase{"backspace", u"abc", [](RecordedText& d) { d.backspace(); }, u"ab", 3},
        // The caret had moved since the last change: the deleted character comes back where
        // it was, not at the old caret.
        ChangeCase{"delete_after_moving_the_caret", u"abcdef",
                   [](RecordedText& d) {
                       d.caret = 2;
                       d.deleteForward();
                   },
                   u"abdef", 3},
        ChangeCase{"backspace_after_moving_the_caret", u"abcdef",
                   [](RecordedText& d) {
                       d.caret = 1;
                       d.backspace();
                   },
                   u"bcdef", 1},
        ChangeCase{"paste_of_lines", u"x\n",
                   [](RecordedText& d) { d.replace(2, 0, u"2+3\n4*5", 9); }, u"x\n2+3\n4*5", 2},
        // Typing over a selection replaces it in one change.
        ChangeCase{"selection_typed_over", u"sin(x)",
                   [](RecordedText& d) { d.replace(0, 3, u"cos", 3); }, u"cos(x)", 3},
        ChangeCase{"selection_replaced_by_longer", u"a+b",
                   [](RecordedText& d) { d.replace(2, 1, u"b*b", 5); }, u"a+b*b", 3},
        // A repeated character: either reading gives the same text back.
        ChangeCase{"repeated_character", u"aa", [](RecordedText& d) { d.type(u"a"); }, u"aaa", 2}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(UndoHistory, TwentyFirstChangeDropsTheOldestSnapshot) {
    RecordedText doc;
    doc.type(u"abcdefghijklmnopqrstu");  // 21 changes
    EXPECT_EQ(doc.history.undoCount(), UndoHistory::kUndoLimit);
    while (doc.history.canUndo())
        doc.undo();
    // The first character typed can no longer be undone.
    EXPECT_EQ(doc.text, u"a");
}

TEST(UndoHistory, NewChangeAfterUndoEmptiesTheRedoList) {
    RecordedText doc;
    doc.type(u"abc");
    doc.undo();
    doc.undo();
    EXPECT_EQ(doc.history.redoCount(), 2u);
    doc.type(u"x");
    EXPECT_EQ(doc.history.redoCount(), 0u);
    EXPECT_FALSE(doc.history.redo());
    EXPECT_EQ(doc.text, u"ax");
}

TEST(UndoHistory, SingleSnapshotHasNothingToUndo) {
    RecordedText doc{u"loaded document"};
    EXPECT_FALSE(doc.history.canUndo());
    EXPECT_FALSE(doc.history.undo());
    EXPECT_EQ(doc.history.text(), u"loaded document");
}

TEST(UndoHistory, ChangesWhileNotRecordingAreNotSnapshots) {
    RecordedText doc;
    doc.type(u"a");
    {
        PausedRecording paused(doc.history);
        EXPECT_FALSE(doc.history.canUndo());
        doc.history.recordText(u"ignored", 0);
    }
    EXPECT_EQ(doc.history.undoCount(), 1u);
    EXPECT_EQ(doc.history.text(), u"a");
}

// A change reported beyond the end of the text is taken for what lies within it.
TEST(UndoHistory, ChangeBeyondTheTextIsClamped) {
    UndoHistory history;
    history.reset(u"ab", 2);
    history.recordChange(1, 5, u"X", 2);
    EXPECT_EQ(history.text(), u"aX");
}

}  // namespace
}  // namespace tally
