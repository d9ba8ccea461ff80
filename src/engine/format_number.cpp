#include "engine/format_number.h"

#include <charconv>

namespace tally {

std::u16string formatNumber(double value) {
    if (value == 0) return u"0";
    char buffer[64];
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc{}) return u"0";
    std::u16string text;
    text.reserve(static_cast<std::size_t>(end - buffer));
    for (char* p = buffer; p != end; ++p)
        text.push_back(*p == 'e' ? u'E' : static_cast<char16_t>(*p));
    return text;
}

}  // namespace tally
