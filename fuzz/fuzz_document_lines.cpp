// Calculates arbitrary lines through the document driver as Enter does, so definitions,
// assignments and results written back interact across lines.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "lang/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text =
        tally::fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    tally::Engine engine;
    tally::TextDocument document;
    tally::CalculationDriver driver(engine, document);
    driver.addedCalculations() = {u"Hex", u"Oct", u"Ans*2"};
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        document.appendLine(std::u16string_view(text).substr(start, end - start));
        driver.calculateCurrentLine();
        driver.addCalculation();
        start = end + 1;
    }
    return 0;
}
