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

inline std::u16string withoutBlanks(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (char16_t c : text) {
        if (c != u' ') result.push_back(c);
    }
    return result;
}

}  // namespace tally
