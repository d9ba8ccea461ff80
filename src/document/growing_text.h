#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>

namespace tally {

// A UTF-16 text in room of its own that grows as it is written: appending and inserting
// write in place, without the bookkeeping a library string does for each short piece. A
// small text doubles its room; a large one grows by a quarter, so that a huge line is not
// given twice the room it needs.
class GrowingText {
  public:
    std::u16string_view view() const { return {m_units.get(), m_size}; }
    std::size_t size() const { return m_size; }

    void append(char16_t unit) {
        reserveMore(1);
        m_units[m_size++] = unit;
    }
    void append(std::u16string_view text) {
        // Within the room it has, the text is written after its end, where no piece of
        // itself can be.
        if (m_size + text.size() <= m_capacity) {
            std::copy(text.begin(), text.end(), m_units.get() + m_size);
            m_size += text.size();
            return;
        }
        insert(m_size, text);
    }
    // Appends a UTF-8 text converted to UTF-16.
    void appendUtf8(std::string_view text);
    // Inserts at a position from 0 to size().
    void insert(std::size_t at, std::u16string_view text);
    // Makes room for `extra` more units.
    void reserveMore(std::size_t extra) {
        if (m_size + extra > m_capacity) grow(m_size + extra);
    }

  private:
    void grow(std::size_t needed);

    std::unique_ptr<char16_t[]> m_units;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

}  // namespace tally
