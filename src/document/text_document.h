#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "document/editor.h"

namespace tally {

// A plain in-memory document of lines with a caret: the editor of the batch calculator.
class TextDocument : public Editor {
  public:
    TextDocument() : m_lines(1) {}

    // Appends a line at the end of the document and puts the caret at its end. The first
    // call fills the empty line a new document starts with.
    void appendLine(std::u16string_view text) { takeLine(std::u16string(text)); }
    // The same for a line the caller gives up, kept without a copy.
    void takeLine(std::u16string text);
    const std::vector<std::u16string>& lines() const { return m_lines; }

    std::u16string_view currentLine() const override { return m_lines[m_caretLine]; }
    void moveCaretToLineEnd() override { m_caretColumn = m_lines[m_caretLine].size(); }
    void moveCaretInLine(std::size_t column) override {
        m_caretColumn = std::min(column, m_lines[m_caretLine].size());
    }
    void insertText(std::u16string_view text) override;

  private:
    std::vector<std::u16string> m_lines;
    std::size_t m_caretLine = 0;
    std::size_t m_caretColumn = 0;
    bool m_started = false;
};

}  // namespace tally
