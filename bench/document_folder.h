#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "document/rich_document.h"
#include "document/rtf_writer.h"

// A program folder holding a Calculations.rtf of `lines` calculation lines, for the window
// to start with.
inline std::unique_ptr<QTemporaryDir> folderWithDocument(int lines) {
    auto folder = std::make_unique<QTemporaryDir>();
    tally::RichDocument document;
    tally::CharFormat format{u"Courier New", 10, {0, 0, 128}, false, false};
    for (int i = 0; i < lines; ++i) {
        tally::RichParagraph paragraph;
        std::string text = std::string(1, 'x');
        text += std::to_string(i % 50);
        text += "=(";
        text += std::to_string(i);
        text += "+2)*3^2";
        tally::appendText(paragraph, std::u16string(text.begin(), text.end()), format);
        document.paragraphs.push_back(std::move(paragraph));
    }
    QFile file(folder->filePath(QStringLiteral("Calculations.rtf")));
    file.open(QIODevice::WriteOnly);
    std::string rtf = tally::writeRtf(document);
    file.write(rtf.data(), static_cast<qint64>(rtf.size()));
    return folder;
}
