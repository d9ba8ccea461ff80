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

    // One bit per code, the end of the text first: a test is one lookup.
    constexpr bool contains(int code) const {
        auto bit = static_cast<unsigned>(code - kEndMarker);
        if (bit >= kBits) return false;
        return (m_bits[bit >> 6] >> (bit & 63)) & 1U;
    }
    constexpr void add(int code) {
        auto bit = static_cast<unsigned>(code - kEndMarker);
        m_bits[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }
    constexpr void addRange(int from, int to) {
        for (int code = from; code <= to; ++code)
            add(code);
    }
    constexpr void addFinish() { add(kEndMarker); }

    // Reads the notation of expected-set strings: items separated by one blank; an item is
    // a character, chr(N), ' ' for the blank, a range x-y of those, or the word finish.
    // Returns false when the string does not follow the notation.
    bool parse(std::u16string_view expected);

  private:
    // The end of the text and the codes 0..255.
    static constexpr unsigned kBits = 257;

    std::array<std::uint64_t, (kBits + 63) / 64> m_bits{};
};

}  // namespace tally
