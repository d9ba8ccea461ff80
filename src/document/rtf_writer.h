#pragma once

#include <string>

#include "document/rich_document.h"

namespace tally {

// Writes a document as RTF that older readers of code page 1251 understand:
// \ansicpg1251, fonts marked Cyrillic (\fcharset204), characters of the code page as
// \'hh and all others as \uN with a '?' fallback, one \par after every paragraph. The
// output is plain ASCII. Reading it back gives the same document when the document is
// normalised and its sizes are whole half-points.
[[nodiscard]] std::string writeRtf(const RichDocument& document);

}  // namespace tally
