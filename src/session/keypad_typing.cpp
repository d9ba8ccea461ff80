#include "session/keypad_typing.h"

#include <string>

namespace tally {

namespace {

// After these a sign starts a bracketed operand: 2*(-3.
bool takesBracketBeforeSign(char16_t c) {
    return c == u'*' || c == u'/' || c == u'^' || c == u'\\' || c == u':';
}

}  // namespace

void typeKey(const KeyAction& action, KeypadTarget& target) {
    if (action.command == KeyCommand::TypeAtLineEnd) {
        target.moveCaretToLineEnd();
    } else if (action.command != KeyCommand::Type) {
        return;
    }
    // What goes in first is part of the same insertion, so one undo takes it all away.
    std::u16string_view first;
    if (action.ansFirst && target.isEmptyLine()) {
        first = u"Ans";
    } else if (action.bracketBeforeSign && takesBracketBeforeSign(target.characterBeforeCaret())) {
        first = u"(";
    }
    std::u16string text(first);
    text += action.text;
    target.insert(text, action.stepBack);
}

}  // namespace tally
