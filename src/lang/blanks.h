#pragma once

#include <string>
#include <string_view>

namespace tally {

// Only the blank (not the tab) separates the parts of lines and definitions; these trim or
// drop it as the calculation lines and stored definitions require.
inline std::u16string trimBlanks(std::u16string_view text) {
    std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    std::size_t last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

inline void appendWithoutBlanks(std::u16string& out, std::u16string_view text) {
    for (char16_t c : text) {
        if (c != u' ') out.push_back(c);
    }
}

inline std::u16string withoutBlanks(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    appendWithoutBlanks(result, text);
    return result;
}

}  // namespace tally
