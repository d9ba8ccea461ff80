#pragma once

#include <string>
#include <string_view>

#include "lang/code_page.h"

namespace tally {

// The state every reader of the language keeps: one character of lookahead over the text
// and the first (and latest) syntax error.
struct ParseState {
    static constexpr int kEndMarker = -1;

    int currentChar = kEndMarker;  // Windows-1251 code, kOutsideCodePage or kEndMarker
    int previousChar = kEndMarker;
    bool errorFlag = false;
    std::u16string message;
    std::u16string_view text;
    int position = 0;  // 1-based index of currentChar; length + 1 once the end is passed
    int length = 0;
    // Only whether the text is accepted matters: an error is flagged without composing its
    // message (which copies the line), and the message is a bare marker.
    bool quiet = false;

    void begin(std::u16string_view input);
    void advance() {
        previousChar = currentChar;
        ++position;
        currentChar = position <= length ? codeOf(text[position - 1]) : kEndMarker;
    }
    // Moves on past a run the caller has read itself, whose last code was `last`; `next` is
    // the code at `newPosition`.
    void skipTo(int newPosition, int last, int next) {
        previousChar = last;
        position = newPosition;
        currentChar = next;
    }

    // A nonterminal found no alternative for the current character.
    void report(std::u16string_view name, std::u16string_view expected);
    // A closing symbol is missing.
    void reportMissing(char16_t symbol);

  private:
    void build(std::u16string_view expectation);
};

}  // namespace tally
