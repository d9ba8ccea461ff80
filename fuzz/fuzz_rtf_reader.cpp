// Reads arbitrary bytes as RTF. Whatever reads must survive a save and a load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/rtf_reader.h"
#include "document/rtf_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tally::RtfReadResult first =
        tally::readRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first.ok()) return 0;
    const std::string saved = tally::writeRtf(first.document());
    tally::RtfReadResult second = tally::readRtf(saved);
    if (!second.ok() || !(second.document() == first.document())) std::abort();
    return 0;
}
