#include "document/rtf_writer.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "lang/code_page.h"

namespace tally {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void appendNumber(std::string& out, long value) {
    out += std::to_string(value);
}

void appendByteEscape(std::string& out, int code) {
    out += "\\'";
    out += kHexDigits[(code >> 4) & 0xF];
    out += kHexDigits[code & 0xF];
}

// \uN takes a signed 16-bit number; the '?' is the fallback that \uc1 skips.
void appendUnicodeEscape(std::string& out, char16_t unit) {
    out += "\\u";
    appendNumber(out, unit < 0x8000 ? static_cast<long>(unit) : static_cast<long>(unit) - 0x10000);
    out += '?';
}

enum class TextPlace { Body, FontTable };

// Escapes text so that every character reads back as itself. In the font table ';' ends
// a name and control words have other meanings, so there everything special is escaped.
void appendEscapedText(std::string& out, std::u16string_view text, TextPlace place) {
    const bool body = place == TextPlace::Body;
    for (char16_t unit : text) {
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += static_cast<char>(unit);
        } else if (unit == u'\t' && body) {
            out += "\\tab ";
        } else if (unit == kLineSeparator && body) {
            out += "\\line ";
        } else if (unit >= 0x20 && unit < 0x7F && !(unit == u';' && !body)) {
            out += static_cast<char>(unit);
        } else if (int code = codeOf(unit); code != kOutsideCodePage) {
            appendByteEscape(out, code);
        } else {
            appendUnicodeEscape(out, unit);
        }
    }
}

int halfPointsOf(double pointSize) {
    double halfPoints = std::round(pointSize * 2);
    if (!(halfPoints >= 1)) return 1;
    return halfPoints > 32767 ? 32767 : static_cast<int>(halfPoints);
}

std::uint32_t keyOf(Rgb colour) {
    return (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
}

// The fonts and colours the runs use, numbered in order of first use. Colour 0 is left
// for the "automatic" colour, so used colours start at 1.
struct Tables {
    std::vector<std::u16string_view> fonts;
    std::map<std::u16string_view, int> fontIndex;
    std::vector<Rgb> colours;
    std::map<std::uint32_t, int> colourIndex;

    explicit Tables(const RichDocument& document) {
        for (const RichParagraph& paragraph : document.paragraphs) {
            for (const TextRun& run : paragraph.runs) {
                const CharFormat& format = run.format;
                if (fontIndex.try_emplace(format.fontName, static_cast<int>(fonts.size())).second)
                    fonts.push_back(format.fontName);
                if (colourIndex
                        .try_emplace(keyOf(format.colour), static_cast<int>(colours.size()) + 1)
                        .second)
                    colours.push_back(format.colour);
            }
        }
    }
};

void appendFontTable(std::string& out, const Tables& tables) {
    out += "{\\fonttbl";
    for (std::size_t i = 0; i < tables.fonts.size(); ++i) {
        out += "{\\f";
        appendNumber(out, static_cast<long>(i));
        out += "\\fnil\\fcharset204 ";
        appendEscapedText(out, tables.fonts[i], TextPlace::FontTable);
        out += ";}";
    }
    out += "}\r\n";
}

void appendColourTable(std::string& out, const Tables& tables) {
    out += "{\\colortbl ;";
    for (Rgb colour : tables.colours) {
        out += "\\red";
        appendNumber(out, colour.red);
        out += "\\green";
        appendNumber(out, colour.green);
        out += "\\blue";
        appendNumber(out, colour.blue);
        out += ';';
    }
    out += "}\r\n";
}

// The character formatting in force in the output, so that a run writes only what
// changes. Formatting carries over paragraph breaks.
struct WrittenFormat {
    std::optional<int> font;
    std::optional<int> halfPoints;
    std::optional<int> colour;
    bool bold = false;
    bool italic = false;
};

void appendFormatChanges(std::string& out, const CharFormat& format, const Tables& tables,
                         WrittenFormat& written) {
    const std::size_t start = out.size();
    int font = tables.fontIndex.at(format.fontName);
    if (written.font != font) {
        out += "\\f";
        appendNumber(out, font);
        written.font = font;
    }
    int halfPoints = halfPointsOf(format.pointSize);
    if (written.halfPoints != halfPoints) {
        out += "\\fs";
        appendNumber(out, halfPoints);
        written.halfPoints = halfPoints;
    }
    int colour = tables.colourIndex.at(keyOf(format.colour));
    if (written.colour != colour) {
        out += "\\cf";
        appendNumber(out, colour);
        written.colour = colour;
    }
    if (written.bold != format.bold) {
        out += format.bold ? "\\b" : "\\b0";
        written.bold = format.bold;
    }
    if (written.italic != format.italic) {
        out += format.italic ? "\\i" : "\\i0";
        written.italic = format.italic;
    }
    if (out.size() != start) out += ' ';  // ends the last control word before the text
}

}  // namespace

std::string writeRtf(const RichDocument& document) {
    const Tables tables(document);
    std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0";
    appendFontTable(out, tables);
    appendColourTable(out, tables);
    out += "\\viewkind4\\uc1\\pard";

    // The first run always writes its font, which also ends "\pard".
    WrittenFormat written;
    for (const RichParagraph& paragraph : document.paragraphs) {
        for (const TextRun& run : paragraph.runs) {
            if (run.text.empty()) continue;
            appendFormatChanges(out, run.format, tables, written);
            appendEscapedText(out, run.text, TextPlace::Body);
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

}  // namespace tally
