#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tally {

// A set of Windows-1251 codes plus the end of the text ("finish"). Each nonterminal's set is
// read from its expected-set string, so the test a nonterminal performs is exactly the set
// its error message shows.
class CharSet {
  public:
    static constexpr int kEndMarker = -1;

    constexpr bool contains(int code) const {
        if (code == kEndMarker) return m_finish;
        if (code < 0 || code > 255) return false;
        return (m_bits[code >> 6] >> (code & 63)) & 1U;
    }
    constexpr void add(int code) { m_bits[code >> 6] |= std::uint64_t{1} << (code & 63); }
    constexpr void addRange(int from, int to) {
        for (int code = from; code <= to; ++code)
            add(code);
    }
    constexpr void addFinish() { m_finish = true; }

    // Reads the notation of expected-set strings: items separated by one blank; an item is
    // a character, chr(N), ' ' for the blank, a range x-y of those, or the word finish.
    // Returns false when the string does not follow the notation.
    bool parse(std::u16string_view expected);

  private:
    std::array<std::uint64_t, 4> m_bits{};
    bool m_finish = false;
};

}  // namespace tally
