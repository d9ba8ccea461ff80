#pragma once

#include <optional>
#include <string_view>

namespace tally {

// The keys are laid out in rows like a keyboard: a row of "pi", "`", "()" and the function
// list on top, three letter rows with the digits and operators beside them, and a bottom
// row with the space bar, the digit 0 and the operation keys. A key's place is decided by
// its Tag, and each place takes a key's Tag in both letter layouts and its caption in both
// key styles, so the same key keeps its place whatever it shows.

// A place on the keypad: the row (0 at the top) and the left edge and width, measured in
// key widths from the keypad's left edge.
struct KeySlot {
    int row = 0;
    double left = 0;
    double width = 1;
    bool operator==(const KeySlot&) const = default;
};

inline constexpr int kKeypadRows = 5;
// The keypad's width in key widths.
inline constexpr double kKeypadWidth = 21.25;
// The function list takes the rest of the top row.
inline constexpr KeySlot kFunctionListSlot{0, 3.25, kKeypadWidth - 3.25};

// The place of the key whose Tag (or caption) is `tag`, compared without regard to case and
// with blanks removed ("[ ]" and "[]" are the same key); the captions cut short to "an",
// "ex" and "he" still find their keys. None for a key that is not shown.
std::optional<KeySlot> slotOfTag(std::u16string_view tag);

}  // namespace tally
