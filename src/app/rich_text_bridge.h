#pragma once

#include "document/rich_document.h"

class QTextDocument;

namespace tally {

// The editor's document as the core's rich-text model and back: text, paragraphs, fonts,
// sizes, colours, bold and italic.
RichDocument toRichDocument(const QTextDocument& document);
void fillDocument(QTextDocument& document, const RichDocument& rich);

}  // namespace tally
