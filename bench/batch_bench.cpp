// Documents through the batch calculator: many names, and one line of very many arguments.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "cli/batch_calculator.h"

namespace {

// The ASCII line prefix + number + infix + number.
std::u16string line(const char* prefix, int number, const char* infix) {
    std::string ascii = prefix;
    ascii += std::to_string(number);
    ascii += infix;
    ascii += std::to_string(number);
    return {ascii.begin(), ascii.end()};
}

// 100,000 assignments of new variables: each one updates the variables box by name.
void hundredThousandAssignmentLines(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto calculator =
            std::make_unique<tally::BatchCalculator>(tally::BatchCalculator::Settings{});
        state.ResumeTiming();
        for (int i = 0; i < 100000; ++i)
            calculator->calculate(line("v", i, "="));
        state.PauseTiming();
        if (calculator->driver().variables().items().size() != 100000) {
            state.SkipWithError("not every variable was listed");
        }
        calculator.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(hundredThousandAssignmentLines)->Unit(benchmark::kMillisecond);

// 100,000 definitions of new functions: each one takes its place in the sorted list.
void hundredThousandFunctionDefinitions(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto calculator =
            std::make_unique<tally::BatchCalculator>(tally::BatchCalculator::Settings{});
        state.ResumeTiming();
        for (int i = 0; i < 100000; ++i)
            calculator->calculate(line("f", i, "(x)=x+"));
        state.PauseTiming();
        calculator.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(hundredThousandFunctionDefinitions)->Unit(benchmark::kMillisecond);

// One line of ten million arguments (20 MB of text).
void tenMillionArgumentLine(benchmark::State& state) {
    std::u16string sum = u"Sum(";
    for (int i = 0; i < 9999999; ++i)
        sum += u"1,";
    sum += u"1)";
    for (auto _ : state) {
        state.PauseTiming();
        auto calculator =
            std::make_unique<tally::BatchCalculator>(tally::BatchCalculator::Settings{});
        state.ResumeTiming();
        std::u16string message = calculator->calculate(sum);
        if (!message.empty()) state.SkipWithError("the line failed");
        state.PauseTiming();
        calculator.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(tenMillionArgumentLine)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
