// Engine time of single calculations through the document driver, and a whole batch run.
#include <benchmark/benchmark.h>

#include <string>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "fixed_line_editor.h"

namespace {

void calculateRepeatedly(benchmark::State& state, const std::u16string& setup,
                         const std::u16string& line) {
    tally::Engine engine;
    if (!setup.empty()) {
        tally::TextDocument document;
        tally::CalculationDriver driver(engine, document);
        document.appendLine(setup);
        driver.calculateCurrentLine();
    }
    FixedLineEditor editor(line);
    tally::CalculationDriver driver(engine, editor);
    for (auto _ : state) {
        driver.calculateCurrentLine();
        benchmark::DoNotOptimize(driver.resultBox().text);
    }
    if (!driver.resultBox().text.empty() && driver.resultBox().showsError) {
        state.SkipWithError("the line reported an error");
    }
}

void plainArithmeticLine(benchmark::State& state) {
    calculateRepeatedly(state, u"", u"(1+2)*3^2-4/5");
}
BENCHMARK(plainArithmeticLine);

void userFunctionAndTwoBuiltIns(benchmark::State& state) {
    calculateRepeatedly(state, u"f(a,b)=a*b+1", u"f(2,3)+Sin(1)*Cos(2)");
}
BENCHMARK(userFunctionAndTwoBuiltIns);

// A document of 100,000 lines calculated one after another, as the batch calculator does.
void hundredThousandLineDocument(benchmark::State& state) {
    for (auto _ : state) {
        tally::Engine engine;
        tally::TextDocument document;
        tally::CalculationDriver driver(engine, document);
        for (int i = 0; i < 100000; ++i) {
            document.appendLine(i % 3 == 0 ? u"x=x+1" : i % 3 == 1 ? u"(x+2)*3^2-4/5" : u"Sqrt(x)");
            driver.calculateCurrentLine();
        }
        benchmark::DoNotOptimize(document.text().size());
    }
}
BENCHMARK(hundredThousandLineDocument)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// One evaluation of a line through the engine alone, as the solver figures are quoted.
void evaluateLine(benchmark::State& state, const std::u16string& line) {
    tally::Engine engine;
    tally::EngineError error = tally::EngineError::None;
    for (auto _ : state) {
        tally::LineResult result = engine.evaluateLine(line);
        error = result.error;
        benchmark::DoNotOptimize(result);
    }
    if (error != tally::EngineError::None) state.SkipWithError("the line reported an error");
}

void integralOfSquare(benchmark::State& state) {
    evaluateLine(state, u"FInt(x^2, x=0, 1)");
}
BENCHMARK(integralOfSquare)->Unit(benchmark::kMicrosecond);

void derivativeOfCube(benchmark::State& state) {
    evaluateLine(state, u"FDiff(x^3, x=2)");
}
BENCHMARK(derivativeOfCube)->Unit(benchmark::kMicrosecond);

void millionLoopEvaluations(benchmark::State& state) {
    evaluateLine(state, u"Do(x^2+1, x=0, 1, 990099)");
}
BENCHMARK(millionLoopEvaluations)->Unit(benchmark::kMillisecond);

}  // namespace
