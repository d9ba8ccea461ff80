#include "app/rich_text_bridge.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tally {

namespace {

CharFormat toCharFormat(const QTextCharFormat& format, const QFont& fallback) {
    CharFormat result;
    QStringList families = format.fontFamilies().toStringList();
    result.fontName = (families.isEmpty() ? fallback.family() : families.front()).toStdU16String();
    double size = format.fontPointSize();
    result.pointSize = size > 0 ? size : fallback.pointSizeF();
    QColor colour = format.foreground().color();
    result.colour = {static_cast<std::uint8_t>(colour.red()),
                     static_cast<std::uint8_t>(colour.green()),
                     static_cast<std::uint8_t>(colour.blue())};
    result.bold = format.fontWeight() >= QFont::DemiBold;
    result.italic = format.fontItalic();
    return result;
}

QTextCharFormat toQtFormat(const CharFormat& format) {
    QTextCharFormat result;
    if (!format.fontName.empty()) {
        result.setFontFamilies({QString::fromStdU16String(format.fontName)});
    }
    result.setFontPointSize(format.pointSize);
    result.setForeground(QColor(format.colour.red, format.colour.green, format.colour.blue));
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    return result;
}

}  // namespace

RichDocument toRichDocument(const QTextDocument& document) {
    RichDocument rich;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            appendText(paragraph, fragment.text().toStdU16String(),
                       toCharFormat(fragment.charFormat(), document.defaultFont()));
        }
        rich.paragraphs.push_back(std::move(paragraph));
    }
    return rich;
}

void fillDocument(QTextDocument& document, const RichDocument& rich) {
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const RichParagraph& paragraph : rich.paragraphs) {
        if (!first) cursor.insertBlock();
        first = false;
        for (const TextRun& run : paragraph.runs) {
            cursor.insertText(QString::fromStdU16String(run.text), toQtFormat(run.format));
        }
    }
    cursor.endEditBlock();
}

}  // namespace tally
