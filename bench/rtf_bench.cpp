// Loading and saving a 10,000-line calculation document with a few coloured runs per line.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "document/rich_document.h"
#include "document/rtf_reader.h"
#include "document/rtf_writer.h"

namespace {

tally::RichDocument calculationDocument(int lineCount) {
    const tally::CharFormat text{u"Courier New", 10, {0, 0, 0}, false, false};
    const tally::CharFormat name{u"Courier New", 10, {0, 0, 160}, false, false};
    const tally::CharFormat number{u"Courier New", 10, {160, 0, 0}, false, false};
    const tally::CharFormat result{u"Courier New", 10, {0, 128, 0}, true, false};
    const tally::CharFormat comment{u"Arial", 10, {128, 128, 128}, false, true};
    tally::RichDocument document;
    for (int i = 0; i < lineCount; ++i) {
        tally::RichParagraph& line = document.paragraphs.emplace_back();
        const std::string n = std::to_string(i);
        tally::appendText(line, u"Длина", name);
        tally::appendText(line, u"=Sqrt(", text);
        tally::appendText(line, std::u16string(n.begin(), n.end()), number);
        tally::appendText(line, u")*2.5[м]", text);
        tally::appendText(line, u"=12.5°", result);
        tally::appendText(line, u" // расчёт № " + std::u16string(n.begin(), n.end()), comment);
    }
    return document;
}

void readTenThousandLines(benchmark::State& state) {
    const std::string rtf = tally::writeRtf(calculationDocument(10000));
    for (auto _ : state) {
        tally::RtfReadResult result = tally::readRtf(rtf);
        if (!result.ok()) state.SkipWithError("the document did not load");
        benchmark::DoNotOptimize(result.document().paragraphs.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}
BENCHMARK(readTenThousandLines)->Unit(benchmark::kMillisecond);

void writeTenThousandLines(benchmark::State& state) {
    const tally::RichDocument document = calculationDocument(10000);
    for (auto _ : state) {
        std::string rtf = tally::writeRtf(document);
        benchmark::DoNotOptimize(rtf.data());
    }
}
BENCHMARK(writeTenThousandLines)->Unit(benchmark::kMillisecond);

}  // namespace
