#include "lang/code_page.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace tally {

bool lessIgnoringCase(std::u16string_view a, std::u16string_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return lowerUnit(x) < lowerUnit(y); });
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && lowerUnit(a[i]) != lowerUnit(b[i])) return false;
    }
    return true;
}

namespace {

// Decodes one UTF-8 sequence at `i`; returns the code point or -1 when the bytes are not
// a valid shortest-form sequence. `i` always advances by at least one byte.
long decodeUtf8(std::string_view text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    long point = 0;
    long minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return -1;
    }
    if (i + length > text.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k < length; ++k) {
        unsigned char next = byte(i + k);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        point = (point << 6) | (next & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += length;
    return point;
}

// Four ASCII units of UTF-16, one in each 16 bits of a little-endian word, as four bytes.
constexpr std::uint32_t packFourUnits(std::uint64_t word) {
    word = (word | (word >> 8)) & 0x0000FFFF0000FFFFULL;
    return static_cast<std::uint32_t>(word | (word >> 16));
}

// Four ASCII bytes as four UTF-16 units, one in each 16 bits of a little-endian word.
constexpr std::uint64_t spreadFourBytes(std::uint32_t bytes) {
    std::uint64_t word = bytes;
    word = (word | (word << 16)) & 0x0000FFFF0000FFFFULL;
    return (word | (word << 8)) & 0x00FF00FF00FF00FFULL;
}

// Copies the run of ASCII at `i` (up to `end`) into the block, bytes to units or units to
// bytes, a word at a time while whole words of ASCII last: the word's codes are moved into
// place by shifts rather than one at a time.
template <class From, class To>
void copyAscii(const From* text, std::size_t& i, std::size_t end, To* block, std::size_t& used) {
    constexpr std::size_t kPerWord = sizeof(std::uint64_t) / sizeof(From);
    constexpr std::uint64_t kAboveAscii =
        sizeof(From) == 1 ? 0x8080808080808080ULL : 0xFF80FF80FF80FF80ULL;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + kPerWord <= end; i += kPerWord, used += kPerWord) {
            std::uint64_t word = 0;
            std::memcpy(&word, text + i, sizeof word);
            if ((word & kAboveAscii) != 0) break;
            if constexpr (sizeof(From) == 2) {
                std::uint32_t bytes = packFourUnits(word);
                std::memcpy(block + used, &bytes, sizeof bytes);
            } else {
                std::uint64_t units[2] = {spreadFourBytes(static_cast<std::uint32_t>(word)),
                                          spreadFourBytes(static_cast<std::uint32_t>(word >> 32))};
                std::memcpy(block + used, units, sizeof units);
            }
        }
    }
    for (; i < end && static_cast<std::make_unsigned_t<From>>(text[i]) < 0x80; ++i)
        block[used++] = static_cast<To>(text[i]);
}

// Converts `text` from `i` into `units` until the text ends or the next point would not fit
// in `room` units; returns how many units it wrote. Never more units than bytes are written.
std::size_t convertFromUtf8(std::string_view text, std::size_t& i, char16_t* units,
                            std::size_t room) {
    std::size_t used = 0;
    while (i < text.size() && used < room) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            std::size_t end = std::min(text.size(), i + (room - used));
            copyAscii(text.data(), i, end, units, used);
            continue;
        }
        std::size_t start = i;
        long point = decodeUtf8(text, i);
        std::size_t count = point >= 0x10000 ? 2 : 1;
        if (used + count > room) {
            i = start;
            break;
        }
        if (point < 0) {
            units[used] = 0xFFFD;
        } else if (point >= 0x10000) {
            point -= 0x10000;
            units[used] = static_cast<char16_t>(0xD800 + (point >> 10));
            units[used + 1] = static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            units[used] = static_cast<char16_t>(point);
        }
        used += count;
    }
    return used;
}

}  // namespace

std::size_t writeFromUtf8(std::string_view text, char16_t* units) {
    // The ASCII a text starts with, often the whole of a line, needs no decoding: each byte
    // is its unit.
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) break;
        units[i] = byte;
    }
    if (i == text.size()) return i;
    std::size_t copied = i;
    return copied + convertFromUtf8(text, i, units + copied, text.size() - copied);
}

void appendFromUtf8(std::u16string& out, std::string_view text) {
    // Converted into a block on the stack and appended a block at a time, so that no room
    // is filled in advance; ASCII is copied in runs.
    constexpr std::size_t kBlock = 2048;
    char16_t block[kBlock];
    // A UTF-8 text never has fewer bytes than UTF-16 units: room for all of it at once.
    out.reserve(out.size() + text.size());
    std::size_t i = 0;
    while (i < text.size())
        out.append(block, convertFromUtf8(text, i, block, kBlock));
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string result;
    appendFromUtf8(result, text);
    return result;
}

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (decodeUtf8(text, i) < 0) return false;
    }
    return true;
}

namespace {

// The code point at `i` (a surrogate pair makes one, a lone surrogate U+FFFD); `i` moves to
// the last unit it took.
inline unsigned long pointAt(std::u16string_view text, std::size_t& i) {
    unsigned long point = text[i];
    if (point < 0xD800 || point > 0xDFFF) return point;
    if (point <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
        return 0x10000 + ((point - 0xD800) << 10) + (text[i] - 0xDC00);
    }
    return 0xFFFD;
}

}  // namespace

void appendUtf8(std::string& out, std::u16string_view text) {
    // Written into a block on the stack and appended a block at a time, so that no room is
    // filled in advance; ASCII is copied in runs.
    constexpr std::size_t kBlock = 4096;
    constexpr std::size_t kLongest = 4;
    char block[kBlock];
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (used >= kBlock - kLongest) {
            out.append(block, used);
            used = 0;
        }
        if (text[i] < 0x80) {
            std::size_t end = std::min(text.size(), i + (kBlock - kLongest - used));
            copyAscii(text.data(), i, end, block, used);
            continue;
        }
        unsigned long point = pointAt(text, i);
        ++i;
        if (point < 0x800) {
            block[used++] = static_cast<char>(0xC0 | (point >> 6));
            block[used++] = static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            block[used++] = static_cast<char>(0xE0 | (point >> 12));
            block[used++] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            block[used++] = static_cast<char>(0x80 | (point & 0x3F));
        } else {
            block[used++] = static_cast<char>(0xF0 | (point >> 18));
            block[used++] = static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            block[used++] = static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            block[used++] = static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    out.append(block, used);
}

std::string toUtf8(std::u16string_view text) {
    std::string result;
    appendUtf8(result, text);
    return result;
}

std::u16string fromWindows1251(std::string_view bytes) {
    std::u16string result;
    result.reserve(bytes.size());
    for (char byte : bytes)
        result.push_back(unitOf(static_cast<unsigned char>(byte)));
    return result;
}

}  // namespace tally
