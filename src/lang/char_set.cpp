#include "lang/char_set.h"

#include "lang/code_page.h"

namespace tally {

namespace {

class ItemReader {
  public:
    explicit ItemReader(std::u16string_view text) : m_text(text) {}

    bool atEnd() const { return m_at >= m_text.size(); }
    bool startsWith(std::u16string_view word) const {
        return m_text.substr(m_at, word.size()) == word;
    }
    bool boundaryAt(std::size_t at) const { return at >= m_text.size() || m_text[at] == u' '; }

    // One character item: chr(N), ' ' or a single character; -2 on a malformed item.
    int character() {
        if (startsWith(u"chr(")) {
            std::size_t at = m_at + 4;
            int code = 0;
            bool digits = false;
            while (at < m_text.size() && m_text[at] >= u'0' && m_text[at] <= u'9') {
                code = code * 10 + (m_text[at] - u'0');
                digits = true;
                ++at;
            }
            if (!digits || at >= m_text.size() || m_text[at] != u')' || code > 255) return -2;
            m_at = at + 1;
            return code;
        }
        if (startsWith(u"' '")) {
            m_at += 3;
            return ' ';
        }
        if (atEnd()) return -2;
        int code = codeOf(m_text[m_at]);
        if (code == kOutsideCodePage) return -2;
        ++m_at;
        return code;
    }

    bool item(CharSet& set) {
        if (startsWith(u"finish") && boundaryAt(m_at + 6)) {
            m_at += 6;
            set.addFinish();
            return true;
        }
        int from = character();
        if (from < 0) return false;
        if (!atEnd() && m_text[m_at] == u'-' && !boundaryAt(m_at + 1)) {
            ++m_at;
            int to = character();
            if (to < from) return false;
            set.addRange(from, to);
        } else {
            set.add(from);
        }
        return true;
    }

    bool separator() {
        if (atEnd()) return true;
        if (m_text[m_at] != u' ') return false;
        ++m_at;
        return !atEnd();
    }

  private:
    std::u16string_view m_text;
    std::size_t m_at = 0;
};

}  // namespace

bool CharSet::parse(std::u16string_view expected) {
    ItemReader reader(expected);
    while (!reader.atEnd()) {
        if (!reader.item(*this) || !reader.separator()) return false;
    }
    return true;
}

}  // namespace tally
