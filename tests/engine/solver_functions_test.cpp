#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::evaluate;
using test::utf8;

struct Approximation {
    std::u16string line;
    double expected;
    double tolerance;
};

// Reference values are closed forms, not the program's own output.
TEST(SolverFunctions, AgreeWithClosedForms) {
    const double pi = std::acos(-1.0);
    const std::vector<Approximation> cases = {
        {u"FSum(x, x=1, 10)", 55, 0},
        {u"FSum(x, x=10, 1)", 0, 0},
        {u"FSum(1/x, x=1, 3, 0.5)", 1 + 1 / 1.5 + 0.5 + 1 / 2.5 + 1.0 / 3, 1e-12},
        {u"FSum(x, x=0, 2)", 3 + 1e-100, 0},
        {u"FSum(x,x=3,1,-1)", 6, 0},
        // The count of terms is worked out first, so rounding never loses the last one.
        {u"FSum(x, x=0, 1, 0.01)", 50.5, 1e-12},
        {u"FSum(x, x=0, 0.3, 0.1)", 0.6, 1e-12},
        {u"FSum(1, x=0, 1, 0.1)", 11, 0},
        {u"FInt(x^2, x=0, 1)", 1.0 / 3, 1e-14},
        {u"FInt(x^2, x=1, 0)", -1.0 / 3, 1e-14},
        {u"FInt(1/x, x=1, 2)", std::log(2.0), 1e-10},
        {u"FInt(Exp(-x^2), x=-10, 10)", std::sqrt(pi), 1e-10},
        {u"FInt(Sin(x)/x, x=0, 1)", 0.946083070367183, 1e-12},
        {u"FInt(1, x=2, 2)", 0, 0},
        {u"FDiff(x^3, x=2)", 12, 1e-3},
        {u"FDiff2(x^3, x=2)", 12, 1e-2},
        {u"FDiff3(x^3, x=2)", 6, 0.1},
        {u"FDiff(Sin(x), x=0)", 1, 1e-5},
        {u"FDiff(x^2, x=0)", 0, 1e-6},
        {u"FDiff(Exp(x), x=1)", std::exp(1.0), 1e-4},
        {u"FZero(x^2-2, x=0, 2)", std::sqrt(2.0), 1e-10},
        {u"FZero(Cos(x), x=1, 2)", pi / 2, 1e-10},
        {u"FZero(x-1, x=1, 5)", 1, 0},
        {u"FMin((x-1)^2, x=-5, 5)", 1, 1e-5},
        {u"FMax(-(x-1)^2, x=-5, 5)", 1, 1e-5},
        {u"FMin(Cos(x), x=3, 4)", pi, 1e-5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        Engine engine;
        auto e = evaluate(engine, c.line);
        EXPECT_EQ(utf8(e.syntax), "");
        EXPECT_EQ(utf8(e.error), "");
        EXPECT_NEAR(e.value, c.expected, c.tolerance);
    }
}

TEST(SolverFunctions, RefuseWhatCannotBeComputed) {
    const std::vector<std::pair<std::u16string, std::u16string_view>> cases = {
        {u"FZero(x^2+1, x=-1, 1)", errorText(EngineError::InvalidArgument)},
        // Loops that could never finish, or that would need unbounded memory.
        {u"FSum(x, x=0, 1, 0)", errorText(EngineError::InvalidArgument)},
        {u"FSum(x, x=1E20, 2E20)", errorText(EngineError::InvalidArgument)},
        {u"FSum(x, x=1, 2, 1E-30)", errorText(EngineError::InvalidArgument)},
        {u"Do(x, x=0, 1, 2000000)", errorText(EngineError::InvalidArgument)},
        {u"FPlot(x, x=0, 1, 2000000)", errorText(EngineError::InvalidArgument)},
        // Without "x=" there is no variable to vary.
        {u"FInt(x, 0, 1)", errorText(EngineError::InvalidArgument)},
        {u"FInt(x, x=0)", errorText(EngineError::TooFewArguments)},
        {u"XYPlot(t, t, t=0, 1, 2, 3)", errorText(EngineError::TooFewArguments)},
        // An interval wider than the largest double is refused rather than searched for ever.
        {u"FMin(x^2, x=-1e308, 1e308)", errorText(EngineError::InvalidArgument)},
        {u"FMax(x^2, x=-1e308, 1e308)", errorText(EngineError::InvalidArgument)},
        {u"FZero(x, x=-1e308, 1e308)", errorText(EngineError::InvalidArgument)},
        {u"FInt(x, x=-1e308, 1e308)", errorText(EngineError::InvalidArgument)},
        {u"FSum(x, x=-1e308, 1e308, 1e300)", errorText(EngineError::InvalidArgument)},
    };
    for (const auto& [line, message] : cases) {
        SCOPED_TRACE(utf8(line));
        Engine engine;
        auto e = evaluate(engine, line);
        EXPECT_EQ(utf8(e.error), utf8(message));
    }
}

TEST(SolverFunctions, FailedCallAnswersTheLastResult) {
    Engine engine;
    evaluate(engine, u"7");
    auto e = evaluate(engine, u"FZero(x^2+1, x=-1, 1)");
    EXPECT_EQ(e.value, 7);
}

TEST(SolverFunctions, BoundVariableLeavesTheUsersVariableAlone) {
    Engine engine;
    evaluate(engine, u"x=7");
    EXPECT_EQ(evaluate(engine, u"FSum(x, x=1, 3)").value, 6);
    EXPECT_EQ(evaluate(engine, u"x").value, 7);
    // The expression's value at the user's x (a division by zero here) is not a failure.
    evaluate(engine, u"x=0");
    auto e = evaluate(engine, u"FSum(1/x, x=1, 2)");
    EXPECT_EQ(utf8(e.error), "");
    EXPECT_DOUBLE_EQ(e.value, 1.5);
}

TEST(SolverFunctions, FailuresOfOtherArgumentsStillCount) {
    Engine engine;
    EXPECT_EQ(utf8(evaluate(engine, u"FSum(x, x=Ln(0), 3)").error),
              utf8(errorText(EngineError::InvalidArgument)));
    EXPECT_EQ(utf8(evaluate(engine, u"Ln(0)+FSum(x, x=1, 3)").error),
              utf8(errorText(EngineError::InvalidArgument)));
}

TEST(SolverFunctions, NestAndCallUserFunctions) {
    Engine engine;
    engine.defineUserFunction(u"sq", {u"a"}, std::u16string(1, kBoundMarker) + u"1^2");
    EXPECT_DOUBLE_EQ(evaluate(engine, u"FSum(sq(x), x=1, 3)").value, 14);
    EXPECT_NEAR(evaluate(engine, u"FInt(FSum(x*y, y=1, 2), x=0, 1)").value, 1.5, 1e-12);
}

TEST(SolverFunctions, DoEvaluatesForSideEffectsAndAnswersAns) {
    Engine engine;
    engine.defineUserFunction(
        u"bump", {u"v"},
        u"FSum(0, k=1, 1)+Do(0, k=0, 0, 0)+" + std::u16string(1, kBoundMarker) + u"1");
    evaluate(engine, u"5");
    auto e = evaluate(engine, u"Do(x, x=1, 2)");
    EXPECT_EQ(e.value, 5);
    // Two points by default: the bound variable ends on the last one.
    EXPECT_EQ(utf8(e.error), "");
}

TEST(SolverFunctions, DefinitionLineDoesNotRunTheSolver) {
    Engine engine;
    LineResult result = engine.evaluateLine(u"g(a)=FSum(x^a, x=1, 3)");
    EXPECT_TRUE(result.flags.isFunctionDefinition);
    EXPECT_EQ(result.result.value, 0);
}

struct PlotRecord : PlotSink {
    std::vector<std::u16string> titles;
    std::vector<std::array<double, 4>> ranges;
    std::vector<std::tuple<double, double, bool>> points;
    std::vector<std::pair<double, double>> running;
    int buffered = 0;

    void open(std::u16string_view title) override { titles.emplace_back(title); }
    void limits(double xMin, double xMax, double yMin, double yMax) override {
        ranges.push_back({xMin, xMax, yMin, yMax});
    }
    void plotValue(double x, double y, bool connect) override {
        points.emplace_back(x, y, connect);
    }
    void yPlot(double x, double y) override { running.emplace_back(x, y); }
    void bufPlot() override { ++buffered; }
};

TEST(PlotFunctions, CurveOfFPlot) {
    Engine engine;
    PlotRecord plot;
    engine.setPlotSink(&plot);
    evaluate(engine, u"FPlot(x^2,x=2,-2,4)");
    ASSERT_EQ(plot.titles.size(), 1u);
    EXPECT_EQ(utf8(plot.titles[0]), "x^2");
    ASSERT_EQ(plot.ranges.size(), 1u);
    EXPECT_EQ(plot.ranges[0][0], -2);
    EXPECT_EQ(plot.ranges[0][1], 2);
    // NumPoints 4 gives round(4.04) = 4 points stepping (b - a) / 3.
    ASSERT_EQ(plot.points.size(), 4u);
    EXPECT_DOUBLE_EQ(std::get<0>(plot.points[1]), -2 + 4.0 / 3);
    EXPECT_FALSE(std::get<2>(plot.points[0]));
    EXPECT_TRUE(std::get<2>(plot.points[1]));
    // The vertical range follows the values.
    EXPECT_DOUBLE_EQ(plot.ranges[0][2], 4.0 / 9);
    EXPECT_DOUBLE_EQ(plot.ranges[0][3], 4);
}

TEST(PlotFunctions, DefaultPointCountAndGivenRanges) {
    Engine engine;
    PlotRecord plot;
    engine.setPlotSink(&plot);
    evaluate(engine, u"FPlot(x, x=0, 1, 5, 5)");
    EXPECT_EQ(plot.points.size(), 101u);  // |1.01·100| rounded, the last a step beyond b
    ASSERT_EQ(plot.ranges.size(), 1u);
    EXPECT_DOUBLE_EQ(plot.ranges[0][2], 4.5);  // equal bounds widen by 10 %
    EXPECT_DOUBLE_EQ(plot.ranges[0][3], 5.5);
}

TEST(PlotFunctions, ParametricCurveAndRunningPlot) {
    Engine engine;
    PlotRecord plot;
    engine.setPlotSink(&plot);
    evaluate(engine, u"XYPlot(Cos(t), Sin(t), t=0, 2*pi, 9)");
    ASSERT_EQ(plot.titles.size(), 1u);
    EXPECT_EQ(utf8(plot.titles[0]), "{ x=Cos(t); y=Sin(t) }");
    ASSERT_EQ(plot.points.size(), 9u);
    EXPECT_NEAR(std::get<0>(plot.points[0]), 1, 1e-12);
    EXPECT_NEAR(std::get<1>(plot.points[2]), 1, 1e-12);

    evaluate(engine, u"Do(YPlot(x*10), x=1, 3, 3)");
    ASSERT_EQ(plot.running.size(), 3u);
    EXPECT_DOUBLE_EQ(plot.running[2].first, 3);
    EXPECT_DOUBLE_EQ(plot.running[2].second, 30);
    EXPECT_EQ(utf8(plot.titles.back()), "YPlot");
}

struct CountingProgress : ProgressSink {
    std::vector<int> shown;
    void showEvaluationCount(int count) override { shown.push_back(count); }
};

struct CancellingPump : EventPump {
    int calls = 0;
    int cancelAfter = 0;
    void processEvents() override { ++calls; }
    bool cancelRequested() override { return calls >= cancelAfter; }
};

TEST(SolverFunctions, ProgressEveryThousandEvaluations) {
    Engine engine;
    CountingProgress progress;
    engine.setProgressSink(&progress);
    evaluate(engine, u"FInt(Sin(1/x), x=0.001, 1)");
    ASSERT_FALSE(progress.shown.empty());
    EXPECT_EQ(progress.shown[0], 1000);
    EXPECT_EQ(progress.shown.back() % 1000, 0);
}

TEST(SolverFunctions, CancelledRunSaysSoAndLeavesTheEngineUsable) {
    Engine engine;
    CancellingPump pump;
    pump.cancelAfter = 5000;
    engine.setEventPump(&pump);
    evaluate(engine, u"3");
    auto e = evaluate(engine, u"1+Do(x, x=0, 1, 900000)");
    EXPECT_EQ(utf8(e.error), "Вычисление прервано");
    EXPECT_LT(pump.calls, 10000);
    engine.setEventPump(nullptr);
    EXPECT_EQ(evaluate(engine, u"FSum(x, x=1, 4)").value, 10);
}

}  // namespace
}  // namespace tally
