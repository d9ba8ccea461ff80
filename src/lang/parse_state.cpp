#include "lang/parse_state.h"

#include <algorithm>

#include "lang/code_page.h"

namespace tally {

void ParseState::begin(std::u16string_view input) {
    text = input;
    position = 0;
    length = static_cast<int>(input.size());
    message.clear();
    errorFlag = false;
    currentChar = kEndMarker;
    advance();
}

void ParseState::report(std::u16string_view name, std::u16string_view expected) {
    if (quiet) {
        errorFlag = true;
        message = u"!";
        return;
    }
    std::u16string expectation(name);
    expectation += u" with one of: ";
    expectation += expected;
    build(expectation);
}

void ParseState::reportMissing(char16_t symbol) {
    if (quiet) {
        errorFlag = true;
        message = u"!";
        return;
    }
    std::u16string expectation(u"\"");
    expectation += symbol;
    expectation += u'"';
    build(expectation);
}

// The message names the line, the character found and what was expected, then shows the
// line up to the offending character and a "!" under it.
void ParseState::build(std::u16string_view expectation) {
    errorFlag = true;
    int lineNumber = 1;
    int lineStart = 1;
    int lineEnd = position;
    for (int i = 1; i <= length; ++i) {
        if (text[i - 1] != u'\n') continue;
        if (position <= i) {
            lineEnd = i - 1;
            break;
        }
        ++lineNumber;
        lineStart = i + 1;
    }
    std::string number = std::to_string(lineNumber);
    message = u"Line ";
    message.append(number.begin(), number.end());
    message += u", syntax error, found \"";
    if (currentChar == kEndMarker) {
        message += u"end marker";
    } else {
        message += text[position - 1];
    }
    message += u"\" when expecting ";
    message += expectation;
    message += u"\r\n";
    int shown = std::clamp(lineEnd - lineStart, 0, std::max(0, length - lineStart + 1));
    message +=
        text.substr(static_cast<std::size_t>(lineStart - 1), static_cast<std::size_t>(shown));
    message += u"\r\n";
    message.append(static_cast<std::size_t>(std::max(0, position - lineStart)), u' ');
    message += u'!';
}

}  // namespace tally
