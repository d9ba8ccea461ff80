#pragma once

#include <bit>
#include <cstring>
#include <string_view>

namespace tally {

// Up to this many units a text is looked through unit by unit: calling the C library would
// cost more than the search.
inline constexpr std::size_t kShortSearch = 32;

// Where a code unit first occurs in a text at or after `from`, or npos. The library's own
// search of UTF-16 text goes unit by unit; this one lets the C library scan the bytes for
// the unit's low byte, many at a time, and checks the high byte of each find.
inline std::size_t findUnit(std::u16string_view text, char16_t unit, std::size_t from = 0) {
    if constexpr (std::endian::native != std::endian::little) {
        return text.find(unit, from);
    } else {
        if (from >= text.size()) return std::u16string_view::npos;
        if (text.size() - from <= kShortSearch) {
            for (std::size_t at = from; at < text.size(); ++at) {
                if (text[at] == unit) return at;
            }
            return std::u16string_view::npos;
        }
        const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
        std::size_t at = 2 * from;
        const std::size_t end = 2 * text.size();
        const auto low = static_cast<unsigned char>(unit & 0xFF);
        while (at < end) {
            const void* found = std::memchr(bytes + at, low, end - at);
            if (found == nullptr) return std::u16string_view::npos;
            std::size_t offset =
                static_cast<std::size_t>(static_cast<const unsigned char*>(found) - bytes);
            if (offset % 2 == 0 && text[offset / 2] == unit) return offset / 2;
            at = offset + 1;
        }
        return std::u16string_view::npos;
    }
}

}  // namespace tally
