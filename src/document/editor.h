#pragma once

#include <string>
#include <string_view>

namespace tally {

// What the calculation driver needs of the document editor. Text is UTF-16 so that
// positions agree with the window's editor.
class Editor {
  public:
    virtual ~Editor() = default;
    // The line that holds the caret, without its line break. The view holds until the text
    // changes or the line is asked for again.
    virtual std::u16string_view currentLine() const = 0;
    virtual void moveCaretToLineEnd() = 0;
    // Moves the caret to a column of its line (UTF-16 units, at most the line's length).
    virtual void moveCaretInLine(std::size_t column) = 0;
    // Inserts at the caret and leaves the caret after the text; "\n" starts a new line.
    virtual void insertText(std::u16string_view text) = 0;
};

// The system clipboard, as far as results need it.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void setText(std::u16string_view text) = 0;
};

}  // namespace tally
