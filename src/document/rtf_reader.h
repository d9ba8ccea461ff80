#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "document/rich_document.h"

namespace tally {

namespace rtf_message {
inline constexpr std::u16string_view kNotRtf = u"Файл не является документом RTF";
inline constexpr std::u16string_view kNestedTooDeep =
    u"Группы документа RTF вложены слишком глубоко";
}  // namespace rtf_message

// Deeper nesting than this is refused rather than followed: no real document comes near
// it, and it bounds the memory a hostile file can claim. Groups inside a skipped
// destination do not count.
inline constexpr std::size_t kMaxRtfGroupDepth = 1000;

// The document read from an RTF file, or the message that says why it could not be read.
class [[nodiscard]] RtfReadResult {
  public:
    static RtfReadResult success(RichDocument document, bool complete = true);
    static RtfReadResult failure(std::u16string_view message);

    bool ok() const { return std::holds_alternative<RichDocument>(m_value); }
    // Whether the file ended where its outermost group closes; a truncated file yields what
    // it holds, but not all it held.
    bool complete() const { return ok() && m_complete; }
    // The document read; an empty one when reading failed.
    const RichDocument& document() const;
    RichDocument takeDocument();
    // The message; empty when reading succeeded.
    std::u16string_view error() const;

  private:
    explicit RtfReadResult(std::variant<RichDocument, std::u16string> value)
        : m_value(std::move(value)) {}

    std::variant<RichDocument, std::u16string> m_value;
    bool m_complete = true;
};

// Reads an RTF document: text, paragraphs, fonts, sizes, colours, bold and italic.
// Everything else (paragraph layout, pictures, document information, styles) is skipped.
// \par ends a paragraph; \line is a line break inside the paragraph (kLineSeparator).
// Single-byte text is decoded with code page 1251 unless \ansicpg1252 says otherwise; a
// font with \fcharset204 always means 1251. A truncated or unbalanced file yields what
// it holds; only a file that is not RTF at all, or nests groups deeper than
// kMaxRtfGroupDepth, fails. Time is linear in the size of the input.
[[nodiscard]] RtfReadResult readRtf(std::string_view bytes);

}  // namespace tally
