#include "document/separator_conversion.h"

namespace tally {

namespace {

// Two replacements in order, done in one pass: each character is looked at once, so the
// second replacement never sees what the first produced.
std::u16string replaceBoth(std::u16string_view text, char16_t first, char16_t firstBy,
                           char16_t second, char16_t secondBy) {
    std::u16string result(text);
    for (char16_t& c : result) {
        if (c == first) {
            c = firstBy;
        } else if (c == second) {
            c = secondBy;
        }
    }
    return result;
}

}  // namespace

std::u16string toClipboardNotation(std::u16string_view text, SeparatorConversion conversion) {
    if (!conversion.active()) return std::u16string(text);
    return replaceBoth(text, u',', u';', u'.', u',');
}

std::u16string fromClipboardNotation(std::u16string_view text, SeparatorConversion conversion) {
    if (!conversion.active()) return std::u16string(text);
    return replaceBoth(text, u',', u'.', u';', u',');
}

}  // namespace tally
