#include "document/rtf_reader.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "document/rtf_control_words.h"
#include "lang/code_page.h"

namespace tally {

RtfReadResult RtfReadResult::success(RichDocument document, bool complete) {
    RtfReadResult result(std::move(document));
    result.m_complete = complete;
    return result;
}

RtfReadResult RtfReadResult::failure(std::u16string_view message) {
    return RtfReadResult(std::u16string(message));
}

const RichDocument& RtfReadResult::document() const {
    static const RichDocument kEmpty;
    const RichDocument* document = std::get_if<RichDocument>(&m_value);
    return document != nullptr ? *document : kEmpty;
}

RichDocument RtfReadResult::takeDocument() {
    RichDocument* document = std::get_if<RichDocument>(&m_value);
    return document != nullptr ? std::move(*document) : RichDocument{};
}

std::u16string_view RtfReadResult::error() const {
    const std::u16string* message = std::get_if<std::u16string>(&m_value);
    return message != nullptr ? std::u16string_view(*message) : std::u16string_view();
}

namespace {

constexpr int kDefaultHalfPoints = 24;  // RTF's size when no \fs is given: 12 pt
constexpr int kMaxHalfPoints = 32767;
// Font names are short (Windows allows 31 characters); the cap keeps a hostile name from
// being copied into every run.
constexpr std::size_t kMaxFontNameLength = 255;
constexpr int kMaxUnicodeSkip = 255;
constexpr int kCyrillicCharset = 204;

enum class CodePage : std::uint8_t { Windows1251, Windows1252, OfDocument };

// Unicode of the Windows-1252 codes 0x80..0x9F; the five unassigned codes map to
// themselves. The codes from 0xA0 on are Latin-1.
constexpr char16_t kWindows1252Controls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t decodeByte(int byte, CodePage codePage) {
    if (codePage != CodePage::Windows1252) return unitOf(byte);
    if (byte >= 0x80 && byte < 0xA0) return kWindows1252Controls[byte - 0x80];
    return static_cast<char16_t>(byte);
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Bytes that are ordinary characters in the text, so a stretch of them is stored at once.
bool isPlainText(char c) {
    return c >= 0x20 && c < 0x7F && c != '\\' && c != '{' && c != '}';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Character formatting as the file states it: indices into the font and colour tables,
// resolved to names and colours only when a run is stored.
struct RtfFormat {
    int fontIndex = -1;  // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    int colourIndex = 0;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const RtfFormat&, const RtfFormat&) = default;
};

enum class Destination : std::uint8_t { Text, FontTable, ColourTable };

// What a group changes; '{' copies it and '}' restores the outer one.
struct GroupState {
    RtfFormat format;
    int unicodeSkip = 1;
    Destination destination = Destination::Text;
};

struct FontEntry {
    std::u16string name;
    CodePage codePage = CodePage::OfDocument;
};

struct ControlWord {
    std::string_view name;
    int parameter = 0;
    bool hasParameter = false;
};

class RtfReader {
  public:
    explicit RtfReader(std::string_view input) : m_in(input) {}

    RtfReadResult read();

  private:
    GroupState& group() { return m_groups.back(); }
    bool atEnd() const { return m_pos >= m_in.size(); }

    bool openGroup();
    void closeGroup();
    void skipRestOfGroup();
    void skipBinary(int count);

    void readControl();
    ControlWord parseControlWord();
    void controlSymbol(char symbol);
    void controlWord(const ControlWord& word);
    bool consumeFallbackCharacter();

    void plainText();
    void rawCharacter(unsigned char byte);
    void byteCharacter(int byte);
    void unicodeCharacter(int value);
    void character(char16_t unit);

    void endParagraph();
    void storeParagraph();
    void flushText();
    void finishFontEntry();
    void tablesChanged();
    const FontEntry* findFont(int index) const;
    CodePage codePageOfText();
    CharFormat resolve(const RtfFormat& format) const;

    std::string_view m_in;
    std::size_t m_pos = 0;
    std::vector<GroupState> m_groups;

    std::map<int, FontEntry> m_fonts;
    std::vector<Rgb> m_colours;
    int m_defaultFont = 0;
    CodePage m_documentCodePage = CodePage::Windows1251;

    // The font table entry being read and the colour table entry being read.
    std::optional<int> m_fontIndex;
    FontEntry m_font;
    Rgb m_colour;

    // Fallback characters still to skip after a \uN.
    int m_fallbackLeft = 0;

    // The last format resolved and the code page of the last font asked for, kept until
    // the font or colour table changes.
    std::optional<RtfFormat> m_resolvedFrom;
    CharFormat m_resolved;
    std::optional<int> m_codePageFont;
    CodePage m_fontCodePage = CodePage::OfDocument;

    RichDocument m_document;
    RichParagraph m_paragraph;
    // Text not yet stored as a run, all in m_textFormat.
    std::u16string m_text;
    RtfFormat m_textFormat;
};

RtfReadResult RtfReader::read() {
    while (!atEnd() && (m_in[m_pos] == ' ' || m_in[m_pos] == '\t' || m_in[m_pos] == '\r' ||
                        m_in[m_pos] == '\n'))
        ++m_pos;
    if (m_in.substr(m_pos, 5) != "{\\rtf") return RtfReadResult::failure(rtf_message::kNotRtf);

    do {
        char c = m_in[m_pos++];
        switch (c) {
            case '{':
                if (!openGroup()) return RtfReadResult::failure(rtf_message::kNestedTooDeep);
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                readControl();
                break;
            case '\r':
            case '\n':
            case '\0':
                break;
            default:
                if (consumeFallbackCharacter()) break;
                if (isPlainText(c) && group().destination == Destination::Text) {
                    plainText();
                    break;
                }
                rawCharacter(static_cast<unsigned char>(c));
                break;
        }
    } while (!atEnd() && !m_groups.empty());

    // A truncated file keeps what it holds, including its unfinished last paragraph.
    bool complete = m_groups.empty();
    flushText();
    if (!m_paragraph.runs.empty()) storeParagraph();
    return RtfReadResult::success(std::move(m_document), complete);
}

bool RtfReader::openGroup() {
    m_fallbackLeft = 0;
    if (m_groups.size() >= kMaxRtfGroupDepth) return false;
    m_groups.push_back(m_groups.empty() ? GroupState{} : m_groups.back());
    return true;
}

void RtfReader::closeGroup() {
    m_fallbackLeft = 0;
    if (group().destination == Destination::FontTable) finishFontEntry();
    m_groups.pop_back();
}

// Skips to the end of the current group and leaves it, without reading what it holds.
// Nested groups are only counted, so their depth is not limited.
void RtfReader::skipRestOfGroup() {
    std::size_t depth = 1;
    while (!atEnd()) {
        char c = m_in[m_pos++];
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) {
                m_fallbackLeft = 0;
                m_groups.pop_back();
                return;
            }
        } else if (c == '\\' && !atEnd()) {
            if (!isLetter(m_in[m_pos])) {
                ++m_pos;  // \{ \} \\ do not open or close groups
                continue;
            }
            ControlWord word = parseControlWord();
            if (word.name == "bin") skipBinary(word.parameter);
        }
    }
}

void RtfReader::skipBinary(int count) {
    std::size_t length = count > 0 ? static_cast<std::size_t>(count) : 0;
    m_pos += std::min(length, m_in.size() - m_pos);
}

void RtfReader::readControl() {
    if (atEnd()) return;
    if (!isLetter(m_in[m_pos])) {
        controlSymbol(m_in[m_pos++]);
        return;
    }
    ControlWord word = parseControlWord();
    if (consumeFallbackCharacter()) {
        // Binary data counts as one fallback character but must still be passed over.
        if (word.name == "bin") skipBinary(word.parameter);
        return;
    }
    controlWord(word);
}

// A control word: letters, an optional signed number (saturated, however long) and an
// optional space that only ends the word.
ControlWord RtfReader::parseControlWord() {
    ControlWord word;
    std::size_t start = m_pos;
    while (!atEnd() && isLetter(m_in[m_pos]))
        ++m_pos;
    word.name = m_in.substr(start, m_pos - start);

    bool negative = false;
    if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
    std::int64_t value = 0;
    while (!atEnd() && isDigit(m_in[m_pos])) {
        word.hasParameter = true;
        value = std::min(kLimit, value * 10 + (m_in[m_pos] - '0'));
        ++m_pos;
    }
    word.parameter = static_cast<int>(negative ? -value : value);

    if (!atEnd() && m_in[m_pos] == ' ') ++m_pos;
    return word;
}

void RtfReader::controlSymbol(char symbol) {
    if (symbol == '\'') {
        // Both hex digits or nothing: a broken escape is dropped and what follows is read
        // as ordinary text.
        int code = -1;
        if (m_pos + 1 < m_in.size()) {
            int high = hexValue(m_in[m_pos]);
            int low = hexValue(m_in[m_pos + 1]);
            if (high >= 0 && low >= 0) {
                code = high * 16 + low;
                m_pos += 2;
            }
        }
        if (consumeFallbackCharacter() || code < 0) return;
        byteCharacter(code);
        return;
    }
    if (consumeFallbackCharacter()) return;
    switch (symbol) {
        case '\\':
        case '{':
        case '}':
            character(static_cast<char16_t>(symbol));
            break;
        case '~':
            character(u'\u00A0');  // no-break space
            break;
        case '-':
            character(u'\u00AD');  // soft hyphen
            break;
        case '_':
            character(u'\u2011');  // non-breaking hyphen
            break;
        case '*':
            // A destination that readers may ignore; none of them holds document text.
            skipRestOfGroup();
            break;
        case '\r':
        case '\n':
            endParagraph();
            break;
        default:
            break;
    }
}

void RtfReader::controlWord(const ControlWord& word) {
    const RtfWordMeaning* meaning = lookUpRtfWord(word.name);
    if (meaning == nullptr) return;
    GroupState& state = group();
    const int parameter = word.parameter;
    switch (meaning->word) {
        case RtfWord::AnsiCodePage:
            m_documentCodePage = parameter == 1252 ? CodePage::Windows1252 : CodePage::Windows1251;
            break;
        case RtfWord::Binary:
            skipBinary(parameter);
            break;
        case RtfWord::Bold:
            state.format.bold = !word.hasParameter || parameter != 0;
            break;
        case RtfWord::Italic:
            state.format.italic = !word.hasParameter || parameter != 0;
            break;
        case RtfWord::ColourIndex:
            state.format.colourIndex = std::max(parameter, 0);
            break;
        case RtfWord::ColourTable:
            state.destination = Destination::ColourTable;
            m_colour = Rgb{};
            break;
        case RtfWord::Red:
        case RtfWord::Green:
        case RtfWord::Blue:
            if (state.destination == Destination::ColourTable) {
                auto component = static_cast<std::uint8_t>(std::clamp(parameter, 0, 255));
                if (meaning->word == RtfWord::Red) m_colour.red = component;
                if (meaning->word == RtfWord::Green) m_colour.green = component;
                if (meaning->word == RtfWord::Blue) m_colour.blue = component;
            }
            break;
        case RtfWord::DefaultFont:
            if (word.hasParameter) m_defaultFont = parameter;
            tablesChanged();
            break;
        case RtfWord::Font:
            if (state.destination == Destination::FontTable) {
                finishFontEntry();
                m_fontIndex = parameter;
            } else {
                state.format.fontIndex = std::max(parameter, -1);
            }
            break;
        case RtfWord::FontCharset:
            if (state.destination == Destination::FontTable && m_fontIndex)
                m_font.codePage =
                    parameter == kCyrillicCharset ? CodePage::Windows1251 : CodePage::OfDocument;
            break;
        case RtfWord::FontSize:
            state.format.halfPoints = word.hasParameter && parameter > 0
                                          ? std::min(parameter, kMaxHalfPoints)
                                          : kDefaultHalfPoints;
            break;
        case RtfWord::FontTable:
            state.destination = Destination::FontTable;
            m_fontIndex.reset();
            break;
        case RtfWord::Paragraph:
        case RtfWord::Row:
            endParagraph();
            break;
        case RtfWord::Plain:
            state.format = RtfFormat{};
            break;
        case RtfWord::SkippedGroup:
            skipRestOfGroup();
            break;
        case RtfWord::Symbol:
            character(meaning->symbol);
            break;
        case RtfWord::Unicode:
            if (!word.hasParameter) break;
            unicodeCharacter(parameter);
            m_fallbackLeft = state.unicodeSkip;
            break;
        case RtfWord::UnicodeSkip:
            state.unicodeSkip = std::clamp(parameter, 0, kMaxUnicodeSkip);
            break;
    }
}

// After \uN the next \ucN characters are the fallback for older readers: each plain
// character, \'hh, control symbol or control word counts as one, and a brace ends them.
bool RtfReader::consumeFallbackCharacter() {
    if (m_fallbackLeft == 0) return false;
    --m_fallbackLeft;
    return true;
}

// Stores the stretch of plain text that starts one byte before the current position.
void RtfReader::plainText() {
    std::size_t start = m_pos - 1;
    while (!atEnd() && isPlainText(m_in[m_pos]))
        ++m_pos;
    const RtfFormat& format = group().format;
    if (!m_text.empty() && m_textFormat != format) flushText();
    if (m_text.empty()) m_textFormat = format;
    m_text.append(m_in.begin() + static_cast<std::ptrdiff_t>(start),
                  m_in.begin() + static_cast<std::ptrdiff_t>(m_pos));
}

void RtfReader::rawCharacter(unsigned char byte) {
    Destination destination = group().destination;
    if (byte == ';' && destination == Destination::FontTable) {
        finishFontEntry();
    } else if (byte == ';' && destination == Destination::ColourTable) {
        m_colours.push_back(m_colour);
        m_colour = Rgb{};
        tablesChanged();
    } else {
        byteCharacter(byte);
    }
}

void RtfReader::byteCharacter(int byte) {
    character(byte < 0x80 ? static_cast<char16_t>(byte) : decodeByte(byte, codePageOfText()));
}

// \uN is a signed 16-bit number; a code point beyond U+FFFF, which some writers put in
// one \u, becomes its surrogate pair.
void RtfReader::unicodeCharacter(int value) {
    if (value >= -0x8000 && value < 0) value += 0x10000;
    if (value >= 0 && value <= 0xFFFF) {
        character(static_cast<char16_t>(value));
    } else if (value > 0xFFFF && value <= 0x10FFFF) {
        value -= 0x10000;
        character(static_cast<char16_t>(0xD800 + (value >> 10)));
        character(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
    } else {
        character(u'\uFFFD');
    }
}

void RtfReader::character(char16_t unit) {
    GroupState& state = group();
    switch (state.destination) {
        case Destination::Text:
            if (!m_text.empty() && m_textFormat != state.format) flushText();
            if (m_text.empty()) m_textFormat = state.format;
            m_text.push_back(unit);
            break;
        case Destination::FontTable:
            if (m_fontIndex && m_font.name.size() < kMaxFontNameLength) m_font.name.push_back(unit);
            break;
        case Destination::ColourTable:
            break;
    }
}

void RtfReader::endParagraph() {
    if (group().destination != Destination::Text) return;
    flushText();
    storeParagraph();
}

// The paragraph being read keeps its capacity; the stored one gets exactly its runs.
void RtfReader::storeParagraph() {
    RichParagraph& stored = m_document.paragraphs.emplace_back();
    stored.runs.reserve(m_paragraph.runs.size());
    std::move(m_paragraph.runs.begin(), m_paragraph.runs.end(), std::back_inserter(stored.runs));
    m_paragraph.runs.clear();
}

void RtfReader::flushText() {
    if (m_text.empty()) return;
    if (m_resolvedFrom != m_textFormat) {
        m_resolved = resolve(m_textFormat);
        m_resolvedFrom = m_textFormat;
    }
    appendText(m_paragraph, m_text, m_resolved);
    m_text.clear();
}

void RtfReader::finishFontEntry() {
    if (!m_fontIndex) return;
    m_fonts.insert_or_assign(*m_fontIndex, std::move(m_font));
    m_fontIndex.reset();
    m_font = FontEntry{};
    tablesChanged();
}

void RtfReader::tablesChanged() {
    m_resolvedFrom.reset();
    m_codePageFont.reset();
}

// An index missing from the font table means the default font, as in other readers.
const FontEntry* RtfReader::findFont(int index) const {
    auto found = m_fonts.find(index < 0 ? m_defaultFont : index);
    if (found == m_fonts.end()) found = m_fonts.find(m_defaultFont);
    return found != m_fonts.end() ? &found->second : nullptr;
}

CodePage RtfReader::codePageOfText() {
    const GroupState& state = m_groups.back();
    CodePage codePage = CodePage::OfDocument;
    if (state.destination == Destination::FontTable) {
        if (m_fontIndex) codePage = m_font.codePage;
    } else {
        if (m_codePageFont != state.format.fontIndex) {
            const FontEntry* font = findFont(state.format.fontIndex);
            m_fontCodePage = font != nullptr ? font->codePage : CodePage::OfDocument;
            m_codePageFont = state.format.fontIndex;
        }
        codePage = m_fontCodePage;
    }
    return codePage == CodePage::OfDocument ? m_documentCodePage : codePage;
}

CharFormat RtfReader::resolve(const RtfFormat& format) const {
    CharFormat resolved;
    if (const FontEntry* font = findFont(format.fontIndex)) resolved.fontName = font->name;
    resolved.pointSize = format.halfPoints / 2.0;
    if (static_cast<std::size_t>(format.colourIndex) < m_colours.size())
        resolved.colour = m_colours[format.colourIndex];
    resolved.bold = format.bold;
    resolved.italic = format.italic;
    return resolved;
}

}  // namespace

RtfReadResult readRtf(std::string_view bytes) {
    return RtfReader(bytes).read();
}

}  // namespace tally
