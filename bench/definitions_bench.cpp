// The units list and the help subjects without a window: building the list of every
// registered unit with the value of each in base units, narrowing it by a filter, and
// reading a large subject file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "document/text_document.h"
#include "engine/message_window.h"
#include "lang/code_page.h"
#include "session/session.h"
#include "session/subject_outline.h"
#include "session/units_list.h"

namespace {

tally::AutomaticMessageWindow window;
tally::TextDocument document;
tally::Session session(document, window);

// Every row with the value of its unit in base units, sorted.
void unitsListRows(benchmark::State& state) {
    for (auto _ : state) {
        tally::UnitsList list(session.engine());
        benchmark::DoNotOptimize(list.shown().data());
    }
    state.counters["units"] = session.engine().units().count();
}
BENCHMARK(unitsListRows)->Unit(benchmark::kMillisecond);

// One keystroke each: "к", "кг", "кг/" and back, over rows whose dimensions are known.
void unitsListFilterKeystroke(benchmark::State& state) {
    tally::UnitsList list(session.engine());
    const std::u16string filters[] = {u"к", u"кг", u"кг/", u"кг", u""};
    std::size_t i = 0;
    for (auto _ : state) {
        list.setFilter(filters[i++ % std::size(filters)]);
        benchmark::DoNotOptimize(list.shown().data());
    }
}
BENCHMARK(unitsListFilterKeystroke)->Unit(benchmark::kMicrosecond);

class CharacterMetrics : public tally::MenuTextMetrics {
  public:
    int textWidth(std::u16string_view text) const override {
        return static_cast<int>(text.size()) * 7;
    }
    int textHeight() const override { return 14; }
};

// 5,000 lines in three levels: topics of 10 subtopics of 8 formulas.
std::vector<std::u16string> subjectLines() {
    std::vector<std::u16string> lines;
    for (int topic = 0; lines.size() < 5000; ++topic) {
        lines.push_back(u"Раздел " + tally::fromUtf8(std::to_string(topic)));
        for (int sub = 0; sub < 10 && lines.size() < 5000; ++sub) {
            lines.push_back(u"....Тема " + tally::fromUtf8(std::to_string(sub)));
            for (int item = 0; item < 8 && lines.size() < 5000; ++item) {
                lines.push_back(u"........Формула площади круга радиуса r <pi*" +
                                tally::fromUtf8(std::to_string(item)) + u"[м]^2>");
            }
        }
    }
    return lines;
}

void readSubjectLines(benchmark::State& state) {
    std::vector<std::u16string> lines = subjectLines();
    CharacterMetrics metrics;
    for (auto _ : state) {
        tally::SubjectTree tree;
        tally::SubjectRead read = tree.readLines(lines, tally::SubjectTree::Mode::New, metrics);
        benchmark::DoNotOptimize(read.status);
    }
    state.counters["lines"] = static_cast<double>(lines.size());
}
BENCHMARK(readSubjectLines)->Unit(benchmark::kMillisecond);

}  // namespace
