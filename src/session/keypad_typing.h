#pragma once

#include <string_view>

#include "session/keypad_keys.h"

namespace tally {

// The input the keypad types into: the calculation document or the decimal field.
class KeypadTarget {
  public:
    virtual ~KeypadTarget() = default;
    // The character just before the caret; a line break at the start of a line after the
    // first, 0 at the start of the text.
    virtual char16_t characterBeforeCaret() const = 0;
    // Nothing to build on: in the document the caret's line is empty, in the decimal field
    // the field is.
    virtual bool isEmptyLine() const = 0;
    // Replaces the selection with `text`, then steps the caret back by `stepBack`.
    virtual void insert(std::u16string_view text, int stepBack) = 0;
    virtual void moveCaretToLineEnd() = 0;
};

// Types the text of a Type or TypeAtLineEnd action, with what goes in before it: "Ans"
// when an operator starts an empty line, an opening bracket when a sign follows "*", "/",
// "^", "\" or ":". Other actions type nothing.
void typeKey(const KeyAction& action, KeypadTarget& target);

}  // namespace tally
