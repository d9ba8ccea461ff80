#include "document/text_search.h"

#include <gtest/gtest.h>

#include <vector>

namespace tally {
namespace {

// A document with a caret and selection, searched step by step as Find Next does.
struct Searcher {
    std::u16string text;
    SearchState state;
    int caret = 0;
    int selection = 0;
    bool questionShown = false;

    Searcher(std::u16string documentText, std::u16string findText) : text(documentText) {
        state.findText = std::move(findText);
        state.findTextChanged = true;  // the dialog has just been opened
    }
    // The start of the selected match, or -1 when the step found nothing.
    int step() {
        std::optional<SearchMatch> match = searchStep(state, text, caret, selection);
        questionShown = !match;
        if (!match) return -1;
        caret = match->start;
        selection = match->length;
        return match->start;
    }
    std::vector<int> steps(int count) {
        std::vector<int> found;
        for (int i = 0; i < count; ++i)
            found.push_back(step());
        return found;
    }
};

struct StepsCase {
    const char* name;
    std::u16string_view text;
    std::u16string_view findText;
    SearchDirection direction;
    bool matchCase;
    int caret;
    std::vector<int> found;  // -1: nothing found, the wrap question is shown
};

class SearchStepsTest : public testing::TestWithParam<StepsCase> {};

TEST_P(SearchStepsTest, SelectsMatchesInTurnAndWraps) {
    const StepsCase& c = GetParam();
    Searcher searcher{std::u16string(c.text), std::u16string(c.findText)};
    searcher.state.direction = c.direction;
    searcher.state.matchCase = c.matchCase;
    searcher.caret = c.caret;
    EXPECT_EQ(searcher.steps(static_cast<int>(c.found.size())), c.found);
}

constexpr auto kForward = SearchDirection::Forward;
constexpr auto kBackward = SearchDirection::Backward;

INSTANTIATE_TEST_SUITE_P(
    Steps, SearchStepsTest,
    testing::Values(
        // First, second, then the question, then the first again.
        StepsCase{"forward_wraps", u"ab ab", u"ab", kForward, false, 0, {0, 3, -1, 0, 3}},
        StepsCase{"backward_from_end_wraps", u"ab ab", u"ab", kBackward, false, 5, {0, -1, 3, 0}},
        StepsCase{
            "backward_after_forward_match", u"abab", u"ab", kBackward, false, 4, {0, -1, 2, 0}},
        StepsCase{
            "case_ignored", u"Sin(x)+sin(y)+SIN(z)", u"sin", kForward, false, 0, {0, 7, 14, -1}},
        StepsCase{"case_matched", u"Sin(x)+sin(y)+SIN(z)", u"sin", kForward, true, 0, {7, -1, 7}},
        StepsCase{"cyrillic_case_ignored",
                  u"Длина=2[м] ` длина",
                  u"ДЛИНА",
                  kForward,
                  false,
                  0,
                  {0, 13, -1}},
        StepsCase{"overlapping_matches", u"aaa", u"aa", kForward, false, 0, {0, 1, -1, 0}},
        StepsCase{"not_in_text", u"2+3=5", u"x", kForward, false, 0, {-1, -1}},
        StepsCase{"from_the_middle", u"x+x+x", u"x", kForward, false, 1, {2, 4, -1, 0}}),
    [](const auto& testCase) { return testCase.param.name; });

// Opened on a selection of the search text, the first step looks beyond it.
TEST(SearchStep, DialogOpenedOnASelectionLooksBeyondIt) {
    Searcher searcher{u"ab ab", u"ab"};
    searcher.caret = 0;
    searcher.selection = 2;
    EXPECT_EQ(searcher.step(), 3);
}

// A step leaves the state for the next: caret noted, text no longer new, wrap as found.
TEST(SearchStep, LeavesTheStateForTheNextStep) {
    SearchState state;
    state.findText = u"b";
    state.findTextChanged = true;
    std::optional<SearchMatch> match = searchStep(state, u"abc", 0, 0);
    ASSERT_TRUE(match);
    EXPECT_EQ(match->start, 1);
    EXPECT_EQ(match->length, 1);
    EXPECT_EQ(state.lastFindPos, 1);
    EXPECT_FALSE(state.findTextChanged);
    EXPECT_FALSE(state.wrap);
    EXPECT_FALSE(searchStep(state, u"abc", 1, 1));
    EXPECT_TRUE(state.wrap);
    EXPECT_EQ(state.lastFindPos, 1);
}

TEST(SearchStep, CaretBeyondTheTextFindsNothingForward) {
    SearchState state;
    state.findText = u"a";
    EXPECT_FALSE(searchStep(state, u"a", 5, 0));
}

TEST(IsSearchMatch, FollowsTheCaseRule) {
    EXPECT_TRUE(isSearchMatch(u"Ab", u"aB", false));
    EXPECT_FALSE(isSearchMatch(u"Ab", u"aB", true));
    EXPECT_TRUE(isSearchMatch(u"Ab", u"Ab", true));
    EXPECT_FALSE(isSearchMatch(u"Abc", u"Ab", false));
    EXPECT_FALSE(isSearchMatch(u"", u"", false));
}

}  // namespace
}  // namespace tally
