#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// How a run of characters looks. Files keep sizes in half-points, so a size outlives a
// save only when it is a multiple of 0.5.
struct CharFormat {
    std::u16string fontName;  // empty: the editor's default font
    double pointSize = 12;
    Rgb colour;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct TextRun {
    std::u16string text;
    CharFormat format;

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// A line break inside a paragraph, as the editor stores it (QChar::LineSeparator).
inline constexpr char16_t kLineSeparator = u'\u2028';

// One line of the calculation document: its runs in order. The paragraph break itself is
// not part of the text.
struct RichParagraph {
    std::vector<TextRun> runs;

    friend bool operator==(const RichParagraph&, const RichParagraph&) = default;
};

// A rich-text calculation document. It is normalised when no run is empty and no two
// neighbouring runs share a format; appendText keeps it so, and only a normalised
// document comes back unchanged from a save and a load.
struct RichDocument {
    std::vector<RichParagraph> paragraphs;

    friend bool operator==(const RichDocument&, const RichDocument&) = default;
};

// Appends text in the given format, extending the last run when its format is the same.
// Empty text adds nothing.
void appendText(RichParagraph& paragraph, std::u16string_view text, const CharFormat& format);

// The characters of a paragraph without their formats.
std::u16string plainText(const RichParagraph& paragraph);

// The plain text of every paragraph, in order.
std::vector<std::u16string> plainLines(const RichDocument& document);

}  // namespace tally
