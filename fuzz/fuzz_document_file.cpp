// Reads arbitrary bytes as a document file, as the program does at start-up: whatever it
// makes of them must save as RTF and read back unchanged and complete.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/rtf_writer.h"
#include "session/document_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const tally::CharFormat textFormat{u"Courier New", 10, {0, 0, 0}, false, false};
    tally::DocumentRead first = tally::readDocumentBytes(
        std::string_view(reinterpret_cast<const char*>(data), size), textFormat);
    if (first.kind == tally::DocumentRead::Kind::Unreadable) return 0;
    if (first.complete != first.problem.empty()) std::abort();
    tally::DocumentRead second =
        tally::readDocumentBytes(tally::writeRtf(first.document), textFormat);
    if (!second.complete || !(second.document == first.document)) std::abort();
    return 0;
}
