#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/editor.h"
#include "document/growing_text.h"

namespace tally {

// A plain in-memory document with a caret: the editor of the batch calculator. Lines are
// appended at the end only and the caret never leaves the last line, so the whole document
// is one text with "\n" between its lines: a result is written by appending to it, and the
// document is printed in one piece.
class TextDocument : public Editor {
  public:
    // Appends a line at the end of the document and puts the caret at its end. The first
    // call fills the empty line a new document starts with. Returns where the line starts
    // in text().
    std::size_t appendLine(std::u16string_view text);
    // The same for a line in UTF-8, converted straight into the document.
    std::size_t appendUtf8Line(std::string_view text);

    // The whole document, its lines separated by "\n".
    std::u16string_view text() const { return m_text.view(); }
    // Where the caret's line, the last one, starts in text().
    std::size_t caretLineStart() const { return m_caretLineStart; }
    std::vector<std::u16string> lines() const;

    std::u16string_view currentLine() const override {
        return m_text.view().substr(m_caretLineStart);
    }
    void moveCaretToLineEnd() override { m_caretColumn = m_text.size() - m_caretLineStart; }
    void moveCaretInLine(std::size_t column) override;
    void insertText(std::u16string_view text) override;

  private:
    // Starts a new last line (but not before the first) and makes room for `length` more;
    // returns where it starts.
    std::size_t beginLine(std::size_t length);
    // Puts the caret at the end of the text, on the last of the lines appended from `start`.
    std::size_t caretToEndFrom(std::size_t start);

    GrowingText m_text;
    std::size_t m_caretLineStart = 0;
    std::size_t m_caretColumn = 0;
    bool m_started = false;
};

}  // namespace tally
