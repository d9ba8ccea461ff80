#pragma once

#include <cstdint>
#include <string_view>

namespace tally {

// What the RTF reader does with a control word it knows. Words it does not know are
// ignored, as RTF asks of readers.
enum class RtfWord : std::uint8_t {
    AnsiCodePage,  // \ansicpgN: the code page of single-byte text
    Binary,        // \binN: N bytes of binary data follow
    Bold,          // \b, \b0
    ColourIndex,   // \cfN
    ColourTable,   // \colortbl destination
    DefaultFont,   // \deffN
    Font,          // \fN: a font in the text, a new entry in the font table
    FontCharset,   // \fcharsetN inside the font table
    FontSize,      // \fsN in half-points
    FontTable,     // \fonttbl destination
    Italic,        // \i, \i0
    Paragraph,     // \par
    Plain,         // \plain: character formatting back to the defaults
    Red,           // \redN, \greenN, \blueN inside the colour table
    Green,         //
    Blue,          //
    Row,           // \row: end of a table row, read as a paragraph break
    SkippedGroup,  // a destination whose content is not text: \info, \pict, ...
    Symbol,        // a word that stands for one character: \tab, \line, \emdash, ...
    Unicode,       // \uN
    UnicodeSkip,   // \ucN: characters of fallback text after each \uN
};

struct RtfWordMeaning {
    RtfWord word;
    char16_t symbol = 0;  // the character of a Symbol word
};

// The meaning of a control word, or nullptr when the reader ignores it.
const RtfWordMeaning* lookUpRtfWord(std::string_view name);

}  // namespace tally
