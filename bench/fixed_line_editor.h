#pragma once

#include <string>
#include <string_view>

#include "document/editor.h"

// An editor whose current line never changes and which forgets what is written, so that a
// benchmark calculates the same line again and again.
class FixedLineEditor : public tally::Editor {
  public:
    explicit FixedLineEditor(std::u16string line) : m_line(std::move(line)) {}
    std::u16string_view currentLine() const override { return m_line; }
    void moveCaretToLineEnd() override {}
    void moveCaretInLine(std::size_t) override {}
    void insertText(std::u16string_view) override {}

  private:
    std::u16string m_line;
};
