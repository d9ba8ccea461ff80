// Feeds arbitrary text to every reader of the language: the evaluating ones through a
// fresh engine, the recognising ones directly.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/engine.h"
#include "lang/code_page.h"
#include "lang/recognisers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text =
        tally::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    // One engine for the run, as in the program: names defined by earlier inputs stay.
    static tally::Engine engine;
    (void)engine.evaluateLine(text);
    (void)engine.evaluateExpression(text);
    (void)tally::checkName(text);
    (void)tally::checkNumericLiteral(text);
    (void)tally::findNameOccurrences(text, u"x");
    (void)tally::findNameOccurrencesInLine(text, u"x");
    return 0;
}
