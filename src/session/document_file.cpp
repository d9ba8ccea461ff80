#include "session/document_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "document/rtf_reader.h"
#include "document/rtf_writer.h"
#include "lang/code_page.h"
#include "lang/text_lines.h"

namespace tally {

namespace {

// Text that is not RTF: no NUL and only the control characters text uses (tab, line
// ends, form feed).
bool looksLikeText(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        auto code = static_cast<unsigned char>(c);
        return code < 0x20 && code != '\t' && code != '\n' && code != '\r' && code != '\f';
    });
}

std::u16string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

DocumentRead textDocument(std::u16string_view text, const CharFormat& format) {
    DocumentRead read;
    read.kind = DocumentRead::Kind::PlainText;
    for (std::u16string_view line : splitLines(text)) {
        RichParagraph paragraph;
        appendText(paragraph, line, format);
        read.document.paragraphs.push_back(std::move(paragraph));
    }
    return read;
}

}  // namespace

DocumentRead readDocumentBytes(std::string_view bytes, const CharFormat& textFormat) {
    DocumentRead read;
    std::string_view start = bytes.substr(0, std::min<std::size_t>(bytes.size(), 16));
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos) return read;
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        return textDocument(fromUtf16(bytes.substr(2), start.starts_with("\xFE\xFF")), textFormat);
    }
    std::string_view trimmed = bytes.substr(bytes.find_first_not_of(" \t\r\n"));
    if (trimmed.starts_with("{\\rtf")) {
        RtfReadResult rtf = readRtf(bytes);
        read.kind = DocumentRead::Kind::Rtf;
        if (!rtf.ok()) {
            read.kind = DocumentRead::Kind::Unreadable;
            read.complete = false;
            read.problem = std::u16string(rtf.error());
            return read;
        }
        read.complete = rtf.complete();
        if (!read.complete) read.problem = u"документ обрывается, прочитано только начало";
        read.document = rtf.takeDocument();
        return read;
    }
    if (!looksLikeText(bytes)) {
        read.kind = DocumentRead::Kind::Unreadable;
        read.complete = false;
        read.problem = u"файл не является ни документом RTF, ни текстом";
        return read;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    // Text in the encoding each line reads in: UTF-8 where it is valid, Windows-1251 else.
    std::u16string text;
    for (std::string_view line : splitLines(bytes)) {
        text += isValidUtf8(line) ? fromUtf8(line) : fromWindows1251(line);
        text += u'\n';
    }
    return textDocument(text, textFormat);
}

DocumentRead DocumentFile::load(const CharFormat& textFormat) {
    std::ifstream in(path(), std::ios::binary);
    if (!in.is_open()) {
        std::error_code error;
        DocumentRead read;
        if (std::filesystem::exists(path(), error)) {
            read.kind = DocumentRead::Kind::Unreadable;
            read.complete = false;
            read.problem = u"файл не открывается для чтения";
            m_file.keepOriginal();
        }
        return read;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DocumentRead read = readDocumentBytes(bytes, textFormat);
    // Text will be written back as RTF: the original text is kept too.
    if (!read.complete || read.kind == DocumentRead::Kind::PlainText) m_file.keepOriginal();
    return read;
}

KeptFileWrite DocumentFile::save(const RichDocument& document) {
    return m_file.write(writeRtf(document));
}

}  // namespace tally
