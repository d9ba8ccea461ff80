#include "document/text_document.h"

#include <algorithm>

#include "lang/code_page.h"
#include "lang/unit_search.h"

namespace tally {

void TextDocument::grow(std::size_t needed) {
    // A small document doubles its room; a large one grows by a quarter, so that a huge line
    // is not given twice the room it needs. The library's own growth always doubles, so a new
    // text of the chosen size is made instead.
    constexpr std::size_t kDoublingLimit = std::size_t{1} << 20;
    std::size_t size = m_text.size();
    std::u16string grown;
    grown.reserve(std::max(needed, size < kDoublingLimit ? 2 * size : size + size / 4));
    grown.append(m_text);
    m_text = std::move(grown);
}

std::size_t TextDocument::beginLine(std::size_t length) {
    reserveMore(length + 1);
    if (m_started) m_text += u'\n';
    m_started = true;
    return m_text.size();
}

std::size_t TextDocument::caretToEndFrom(std::size_t start) {
    // A line given with line breaks in it is several lines; the caret goes to the last.
    std::size_t lastBreak = std::u16string_view(m_text).substr(start).rfind(u'\n');
    m_caretLineStart = lastBreak == std::u16string_view::npos ? start : start + lastBreak + 1;
    moveCaretToLineEnd();
    return start;
}

std::size_t TextDocument::appendLine(std::u16string_view text) {
    std::size_t start = beginLine(text.size());
    m_text.append(text);
    return caretToEndFrom(start);
}

std::size_t TextDocument::appendUtf8Line(std::string_view text) {
    // A UTF-8 text never has fewer bytes than UTF-16 units.
    std::size_t start = beginLine(text.size());
    appendFromUtf8(m_text, text);
    if (text.find('\n') != std::string_view::npos) return caretToEndFrom(start);
    m_caretLineStart = start;
    moveCaretToLineEnd();
    return start;
}

std::vector<std::u16string> TextDocument::lines() const {
    std::vector<std::u16string> lines;
    std::u16string_view rest = m_text;
    for (;;) {
        std::size_t end = rest.find(u'\n');
        lines.emplace_back(rest.substr(0, end));
        if (end == std::u16string_view::npos) return lines;
        rest.remove_prefix(end + 1);
    }
}

void TextDocument::moveCaretInLine(std::size_t column) {
    m_caretColumn = std::min(column, m_text.size() - m_caretLineStart);
}

void TextDocument::insertText(std::u16string_view text) {
    m_started = true;
    reserveMore(text.size());
    std::size_t at = m_caretLineStart + m_caretColumn;
    if (at == m_text.size()) {
        m_text.append(text);
    } else {
        m_text.insert(at, text);
    }
    std::size_t lastBreak =
        findUnit(text, u'\n') == std::u16string_view::npos ? text.npos : text.rfind(u'\n');
    if (lastBreak == std::u16string_view::npos) {
        m_caretColumn += text.size();
    } else {
        m_caretLineStart = at + lastBreak + 1;
        m_caretColumn = text.size() - lastBreak - 1;
    }
}

}  // namespace tally
