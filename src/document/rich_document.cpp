#include "document/rich_document.h"

namespace tally {

void appendText(RichParagraph& paragraph, std::u16string_view text, const CharFormat& format) {
    if (text.empty()) return;
    if (!paragraph.runs.empty() && paragraph.runs.back().format == format) {
        paragraph.runs.back().text.append(text);
        return;
    }
    paragraph.runs.push_back(TextRun{std::u16string(text), format});
}

std::u16string plainText(const RichParagraph& paragraph) {
    std::size_t length = 0;
    for (const TextRun& run : paragraph.runs)
        length += run.text.size();
    std::u16string text;
    text.reserve(length);
    for (const TextRun& run : paragraph.runs)
        text += run.text;
    return text;
}

std::vector<std::u16string> plainLines(const RichDocument& document) {
    std::vector<std::u16string> lines;
    lines.reserve(document.paragraphs.size());
    for (const RichParagraph& paragraph : document.paragraphs)
        lines.push_back(plainText(paragraph));
    return lines;
}

}  // namespace tally
