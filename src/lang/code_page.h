#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tally {

// Characters of the calculation language are classified by their single-byte code in the
// Windows-1251 (Cyrillic) code page. A UTF-16 unit outside that code page gets the code
// kOutsideCodePage, which no grammar set contains; only comments accept it.
inline constexpr int kOutsideCodePage = 256;

namespace charset_detail {
// Unicode of the codes 0x80..0xBF; 0 marks the one unassigned code (0x98).
inline constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
}  // namespace charset_detail

// The Windows-1251 code of a UTF-16 unit, or kOutsideCodePage.
constexpr int codeOf(char16_t unit) {
    if (unit < 0x80) return unit;
    if (unit >= 0x0410 && unit <= 0x044F) return unit - 0x0410 + 0xC0;
    for (int i = 0; i < 64; ++i) {
        if (charset_detail::kUpperHalf[i] == unit) return 0x80 + i;
    }
    return kOutsideCodePage;
}

// The UTF-16 unit of a Windows-1251 code (0..255); the unassigned code 0x98 maps to U+0098.
constexpr char16_t unitOf(int code) {
    if (code < 0x80) return static_cast<char16_t>(code);
    if (code >= 0xC0) return static_cast<char16_t>(code - 0xC0 + 0x0410);
    char16_t unit = charset_detail::kUpperHalf[code - 0x80];
    return unit != 0 ? unit : static_cast<char16_t>(code);
}

// Lower case within the code page: Latin A-Z, Cyrillic А-Я and Ё.
constexpr int lowerCode(int code) {
    if (code >= 'A' && code <= 'Z') return code + 32;
    if (code >= 0xC0 && code <= 0xDF) return code + 32;
    if (code == 0xA8) return 0xB8;
    return code;
}

constexpr char16_t lowerUnit(char16_t unit) {
    if (unit < 0x80)
        return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit;
    if (unit >= 0x0410 && unit <= 0x042F) return static_cast<char16_t>(unit + 32);
    if (unit == 0x0401) return 0x0451;
    return unit;
}

// Names of the language are compared without regard to case outside unit brackets.
bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);
// The order of lists sorted without regard to case.
bool lessIgnoringCase(std::u16string_view a, std::u16string_view b);

// UTF-8 <-> UTF-16 for the edges of the program (files, terminal). Invalid UTF-8 bytes
// become U+FFFD; isValidUtf8 tells whether a conversion would be lossless.
std::u16string fromUtf8(std::string_view text);
std::string toUtf8(std::u16string_view text);
// The same conversions appended to a text, without a text of their own in between.
void appendFromUtf8(std::u16string& out, std::string_view text);
void appendUtf8(std::string& out, std::u16string_view text);
// Writes the UTF-16 units of a UTF-8 text to `units`, which has room for as many units as
// the text has bytes (it never needs more), and returns how many it wrote.
std::size_t writeFromUtf8(std::string_view text, char16_t* units);
bool isValidUtf8(std::string_view text);

// Windows-1251 bytes to UTF-16, for files written by older systems.
std::u16string fromWindows1251(std::string_view bytes);

}  // namespace tally
