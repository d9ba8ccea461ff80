#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tally {

// The question the main window's decimal field shows when a search found nothing; the next
// step continues from the other end of the text.
inline constexpr std::u16string_view kSearchWrapQuestion = u"Продолжить с начала текста?";

enum class SearchDirection { Backward = 0, Forward = 1 };

// What the find dialog and Find Next share between search steps.
struct SearchState {
    std::u16string findText;
    bool matchCase = false;
    SearchDirection direction = SearchDirection::Forward;
    // Set when the search text changes and when the dialog opens; a step clears it.
    bool findTextChanged = false;
    // The caret after the last step: a step that starts there skips the match it stands on.
    int lastFindPos = -1;
    // The last step found nothing: the next one starts from the beginning (or the end).
    bool wrap = false;
};

struct SearchMatch {
    int start = 0;
    int length = 0;
};

// One step of Find Next over `text`, from the caret (the start of the selection). Returns the
// match to select, or nothing, in which case the user is asked whether to go on from the
// other end; either way the state is left ready for the next step.
std::optional<SearchMatch> searchStep(SearchState& state, std::u16string_view text, int caret,
                                      int selectionLength);

// Whether a selection is an occurrence of the search text, under the case rule of the search.
bool isSearchMatch(std::u16string_view selection, std::u16string_view findText, bool matchCase);

}  // namespace tally
