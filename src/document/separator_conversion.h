#pragma once

#include <string>
#include <string_view>

namespace tally {

// The program writes numbers with a decimal point and separates arguments with ",". A region
// whose numbers use a decimal comma separates list items with ";" instead. When the user asks
// for it, the clipboard carries the regional notation: copying converts to it, pasting
// converts back.
struct SeparatorConversion {
    bool decimalPointIsDot = true;   // decided once at start-up from the regional settings
    bool convertSeparators = false;  // "C&onvert separators with Copy/Paste"

    bool active() const { return !decimalPointIsDot && convertSeparators; }
};

// Text on its way to the clipboard: "," becomes ";", then "." becomes ",".
std::u16string toClipboardNotation(std::u16string_view text, SeparatorConversion conversion);
// Text coming from the clipboard: "," becomes ".", then ";" becomes ",".
std::u16string fromClipboardNotation(std::u16string_view text, SeparatorConversion conversion);

}  // namespace tally
