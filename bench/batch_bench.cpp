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

// Runs `calculate` on a new batch calculator in each iteration; making the calculator,
// checking what it holds afterwards (`fault` answers what went wrong, or null) and ending it
// are not timed.
template <class Calculate, class Fault>
void timeCalculator(benchmark::State& state, Calculate calculate, Fault fault) {
    for (auto _ : state) {
        state.PauseTiming();
        auto calculator =
            std::make_unique<tally::BatchCalculator>(tally::BatchCalculator::Settings{});
        state.ResumeTiming();
        calculate(*calculator);
        state.PauseTiming();
        if (const char* message = fault(*calculator)) state.SkipWithError(message);
        calculator.reset();
        state.ResumeTiming();
    }
}

// 100,000 assignments of new variables: each one updates the variables box by name.
void hundredThousandAssignmentLines(benchmark::State& state) {
    timeCalculator(
        state,
        [](tally::BatchCalculator& calculator) {
            for (int i = 0; i < 100000; ++i)
                calculator.calculate(line("v", i, "="));
        },
        [](tally::BatchCalculator& calculator) -> const char* {
            if (calculator.driver().variables().items().size() == 100000) return nullptr;
            return "not every variable was listed";
        });
}
BENCHMARK(hundredThousandAssignmentLines)->Unit(benchmark::kMillisecond);

// 100,000 definitions of new functions: each one takes its place in the sorted list.
void hundredThousandFunctionDefinitions(benchmark::State& state) {
    timeCalculator(
        state,
        [](tally::BatchCalculator& calculator) {
            for (int i = 0; i < 100000; ++i)
                calculator.calculate(line("f", i, "(x)=x+"));
        },
        [](tally::BatchCalculator&) -> const char* { return nullptr; });
}
BENCHMARK(hundredThousandFunctionDefinitions)->Unit(benchmark::kMillisecond);

// One line of ten million arguments (20 MB of text).
void tenMillionArgumentLine(benchmark::State& state) {
    std::u16string sum = u"Sum(";
    for (int i = 0; i < 9999999; ++i)
        sum += u"1,";
    sum += u"1)";
    bool failed = false;
    timeCalculator(
        state,
        [&](tally::BatchCalculator& calculator) { failed = !calculator.calculate(sum).empty(); },
        [&](tally::BatchCalculator&) -> const char* {
            return failed ? "the line failed" : nullptr;
        });
}
BENCHMARK(tenMillionArgumentLine)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
