#include "document/text_document.h"

namespace tally {

void TextDocument::takeLine(std::u16string text) {
    if (m_started) m_lines.emplace_back();
    m_started = true;
    m_lines.back() = std::move(text);
    m_caretLine = m_lines.size() - 1;
    m_caretColumn = m_lines.back().size();
}

void TextDocument::insertText(std::u16string_view text) {
    m_started = true;
    while (!text.empty()) {
        std::size_t end = text.find(u'\n');
        std::u16string_view piece = text.substr(0, end);
        std::u16string& line = m_lines[m_caretLine];
        if (m_caretColumn == line.size() && line.capacity() >= line.size() + piece.size()) {
            // A result written at the end of a line that has room for it.
            line.append(piece);
        } else {
            // The line is rebuilt at its exact new length: a huge line is not given twice
            // the room it needs.
            std::u16string joined;
            joined.reserve(line.size() + piece.size());
            joined.append(line, 0, m_caretColumn).append(piece).append(line, m_caretColumn);
            line = std::move(joined);
        }
        m_caretColumn += piece.size();
        if (end == std::u16string_view::npos) return;
        std::u16string rest = line.substr(m_caretColumn);
        line.erase(m_caretColumn);
        m_lines.insert(m_lines.begin() + static_cast<long>(m_caretLine) + 1, std::move(rest));
        ++m_caretLine;
        m_caretColumn = 0;
        text.remove_prefix(end + 1);
    }
}

}  // namespace tally
