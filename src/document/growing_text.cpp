#include "document/growing_text.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "lang/code_page.h"

namespace tally {

void GrowingText::grow(std::size_t needed) {
    constexpr std::size_t kDoublingLimit = std::size_t{1} << 20;
    std::size_t capacity =
        std::max(needed, m_size < kDoublingLimit ? 2 * m_size : m_size + m_size / 4);
    // Left uninitialised: only what is written is ever touched.
    std::unique_ptr<char16_t[]> units(new char16_t[capacity]);
    if (m_size != 0) std::memcpy(units.get(), m_units.get(), m_size * sizeof(char16_t));
    m_units = std::move(units);
    m_capacity = capacity;
}

void GrowingText::appendUtf8(std::string_view text) {
    // A UTF-8 text never has fewer bytes than UTF-16 units.
    reserveMore(text.size());
    m_size += writeFromUtf8(text, m_units.get() + m_size);
}

void GrowingText::insert(std::size_t at, std::u16string_view text) {
    if (text.empty()) return;
    // A piece of this very text would move while room is made: it is copied first.
    if (std::less_equal<>()(m_units.get(), text.data()) &&
        std::less<>()(text.data(), m_units.get() + m_size)) {
        insert(at, std::u16string(text));
        return;
    }
    reserveMore(text.size());
    char16_t* place = m_units.get() + at;
    if (at < m_size) std::memmove(place + text.size(), place, (m_size - at) * sizeof(char16_t));
    std::memcpy(place, text.data(), text.size() * sizeof(char16_t));
    m_size += text.size();
}

}  // namespace tally
