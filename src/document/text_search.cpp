#include "document/text_search.h"

#include <algorithm>

#include "lang/code_page.h"

namespace tally {

namespace {

bool sameCharacter(char16_t a, char16_t b, bool matchCase) {
    return matchCase ? a == b : lowerUnit(a) == lowerUnit(b);
}

// The first occurrence of `needle` that starts at `from` or later.
std::optional<int> findForward(std::u16string_view haystack, std::u16string_view needle, int from,
                               bool matchCase) {
    if (from < 0) from = 0;
    if (static_cast<std::size_t>(from) > haystack.size()) return std::nullopt;
    auto same = [matchCase](char16_t a, char16_t b) { return sameCharacter(a, b, matchCase); };
    auto begin = haystack.begin() + from;
    auto found = std::search(begin, haystack.end(), needle.begin(), needle.end(), same);
    if (found == haystack.end()) return std::nullopt;
    return static_cast<int>(found - haystack.begin());
}

// The last occurrence of `needle` that lies wholly within the first `limit` characters.
std::optional<int> findBackward(std::u16string_view haystack, std::u16string_view needle, int limit,
                                bool matchCase) {
    limit = std::clamp(limit, 0, static_cast<int>(haystack.size()));
    auto same = [matchCase](char16_t a, char16_t b) { return sameCharacter(a, b, matchCase); };
    auto end = haystack.begin() + limit;
    auto found = std::find_end(haystack.begin(), end, needle.begin(), needle.end(), same);
    if (found == end) return std::nullopt;
    return static_cast<int>(found - haystack.begin());
}

}  // namespace

std::optional<SearchMatch> searchStep(SearchState& state, std::u16string_view text, int caret,
                                      int selectionLength) {
    const int length = static_cast<int>(state.findText.size());
    std::optional<int> start;
    if (length > 0) {
        // Standing where the last step left the caret, the step moves past that match.
        int p = caret;
        if (p == state.lastFindPos && !state.findTextChanged) ++p;
        if (state.direction == SearchDirection::Forward) {
            if (state.wrap) {
                p = 0;
            } else if (selectionLength == length && state.findTextChanged) {
                // The dialog opened on a selection of the search text: look beyond it.
                ++p;
            }
            start = findForward(text, state.findText, p, state.matchCase);
        } else {
            if (state.wrap) p = static_cast<int>(text.size()) + 1;
            // A match ends before the (1-based) position p.
            start = findBackward(text, state.findText, p - 1, state.matchCase);
        }
    }
    state.wrap = !start.has_value();
    state.lastFindPos = start.value_or(caret);
    state.findTextChanged = false;
    if (!start) return std::nullopt;
    return SearchMatch{*start, length};
}

bool isSearchMatch(std::u16string_view selection, std::u16string_view findText, bool matchCase) {
    return selection.size() == findText.size() && !findText.empty() &&
           std::equal(
               selection.begin(), selection.end(), findText.begin(),
               [matchCase](char16_t a, char16_t b) { return sameCharacter(a, b, matchCase); });
}

}  // namespace tally
