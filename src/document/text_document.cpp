#include "document/text_document.h"

namespace tally {

void TextDocument::appendLine(std::u16string_view text) {
    if (m_started) m_lines.emplace_back();
    m_started = true;
    m_lines.back() = text;
    m_caretLine = m_lines.size() - 1;
    m_caretColumn = m_lines.back().size();
}

void TextDocument::insertText(std::u16string_view text) {
    m_started = true;
    for (char16_t c : text) {
        std::u16string& line = m_lines[m_caretLine];
        if (c == u'\n') {
            std::u16string rest = line.substr(m_caretColumn);
            line.erase(m_caretColumn);
            m_lines.insert(m_lines.begin() + static_cast<long>(m_caretLine) + 1, std::move(rest));
            ++m_caretLine;
            m_caretColumn = 0;
        } else {
            line.insert(m_caretColumn, 1, c);
            ++m_caretColumn;
        }
    }
}

}  // namespace tally
