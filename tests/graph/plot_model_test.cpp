// The plot as data: range labels, the ranges of the first plot, points and segments with
// the vertical range check, running plots collected until the line ends, and the SVG the
// batch calculator writes.
#include "graph/plot_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "graph/plot_label.h"
#include "graph/svg_plot_writer.h"

namespace tally {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(PlotLabel, TwoDecimalsFromATenthToNineHundredNinetyNineElseAnExponent) {
    struct Case {
        double value;
        const char* label;
    };
    const Case cases[] = {
        {1234, "1.23E3"},   {12.5, "12.5"},
        {0.05, "5E-2"},     {0, "0"},
        {-0.0, "0"},        {5, "5"},
        {100, "100"},       {999, "999"},
        {998.996, "999"},   {999.004, "9.99E2"},
        {999.5, "1E3"},     {0.1, "0.1"},
        {0.25, "0.25"},     {0.0999, "9.99E-2"},
        {0.09999, "1E-1"},  {0.995, "1"},
        {12.345, "12.35"},  {-3.14159, "-3.14"},
        {-1234, "-1.23E3"}, {2.5e10, "2.5E10"},
        {1e-100, "1E-100"}, {6.28318530717959, "6.28"},
        {kNaN, "NaN"},      {-kInf, "-Inf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatPlotLabel(c.value), c.label) << c.value;
    }
}

TEST(PlotLabel, ValuesBelowTheirResolutionPrintAsZero) {
    EXPECT_EQ(formatPlotValue(1e-100, 1e-12), "0");
    EXPECT_EQ(formatPlotValue(-4e-3, 5e-3), "0");
    EXPECT_EQ(formatPlotValue(1e-5, 1e-6), "1E-5");
    EXPECT_EQ(formatPlotValue(0.05, 1e-9), "5E-2");
}

TEST(PlotModel, ANewWindowHasFreeRangesAtTheExtremes) {
    PlotModel plot;
    EXPECT_FALSE(plot.rangesFixed());
    EXPECT_EQ(std::bit_cast<std::uint64_t>(plot.xMin()), 0x7FEFFFFFFFFFFFE2u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(plot.xMax()), 0xFFEFFFFFFFFFFFE2u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(plot.yMin()), 0x7FEFFFFFFFFFFFE2u);
    EXPECT_EQ(plot.labels().xMin, "");
    EXPECT_FALSE(plot.verticalAxis() || plot.horizontalAxis());
    // Points before any ranges are ignored.
    plot.plotValue(1, 1, false);
    plot.plotValue(2, 2, true);
    EXPECT_TRUE(plot.points().empty() && plot.vertices().empty());
}

TEST(PlotModel, TheFirstRangesStayUntilTheWindowIsReset) {
    PlotModel plot;
    plot.limits(0, 5, -1, 1);
    plot.limits(-10, 10, -10, 10);
    EXPECT_EQ(plot.xMin(), 0);
    EXPECT_EQ(plot.yMax(), 1);
    EXPECT_EQ(plot.labels().xMax, "5");
    EXPECT_EQ(plot.labels().yMin, "-1");
    plot.plotValue(1, 0, false);
    plot.reset();
    EXPECT_FALSE(plot.rangesFixed());
    EXPECT_TRUE(plot.points().empty());
    plot.limits(-10, 10, -10, 10);
    EXPECT_EQ(plot.xMin(), -10);
}

TEST(PlotModel, RangesThatCannotBeDrawnFixNothing) {
    const double unusable[][4] = {
        {1, 1, 0, 1},        {2, 1, 0, 1},    {0, 1, 3, 3},
        {0, kNaN, 0, 1},     {0, kInf, 0, 1}, {-1.7e308, 1.7e308, 0, 1},
        {0, 1, -kInf, kInf},
    };
    for (const auto& r : unusable) {
        PlotModel plot;
        plot.limits(r[0], r[1], r[2], r[3]);
        EXPECT_FALSE(plot.rangesFixed()) << r[0] << " " << r[1] << " " << r[2] << " " << r[3];
        plot.limits(0, 1, 0, 1);
        EXPECT_TRUE(plot.rangesFixed());
    }
}

TEST(PlotModel, AxesOnlyWhereZeroLiesStrictlyInsideARange) {
    struct Case {
        double xMin, xMax, yMin, yMax;
        std::optional<double> vertical, horizontal;
    };
    const Case cases[] = {
        {-1, 1, -1, 1, 0.5, 0.5},
        {0, 5, 0, 5, std::nullopt, std::nullopt},
        {-5, 0, -5, 0, std::nullopt, std::nullopt},
        {-1, 3, -1, 3, 0.25, 0.75},
        {-3, 1, 2, 4, 0.75, std::nullopt},
    };
    for (const Case& c : cases) {
        PlotModel plot;
        plot.limits(c.xMin, c.xMax, c.yMin, c.yMax);
        EXPECT_EQ(plot.verticalAxis(), c.vertical) << c.xMin << ".." << c.xMax;
        EXPECT_EQ(plot.horizontalAxis(), c.horizontal) << c.yMin << ".." << c.yMax;
    }
}

TEST(PlotModel, OnlyValuesInTheVerticalRangeAreDrawnButEveryValueMovesOn) {
    PlotModel plot;
    plot.limits(0, 10, 0, 10);
    plot.plotValue(1, 1, false);   // a point
    plot.plotValue(2, 20, true);   // above the range: not drawn
    plot.plotValue(3, 3, true);    // resumes from the point above the range
    plot.plotValue(4, 4, true);    // continues the same polyline
    plot.plotValue(5, -1, false);  // a point below the range: not drawn
    ASSERT_EQ(plot.points().size(), 1u);
    EXPECT_EQ(plot.points()[0], (PlotPosition{0.1, 0.9}));
    ASSERT_EQ(plot.polylineStarts().size(), 1u);
    const std::vector<PlotPosition> expected = {{0.2, -1}, {0.3, 0.7}, {0.4, 0.6}};
    ASSERT_EQ(plot.vertices().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(plot.vertices()[i].x, expected[i].x, 1e-12);
        EXPECT_NEAR(plot.vertices()[i].y, expected[i].y, 1e-12);
    }
}

TEST(PlotModel, ASegmentRightAfterTheRangesStartsAtTheTopLeftCorner) {
    PlotModel plot;
    plot.limits(0, 1, 0, 1);
    plot.plotValue(1, 0, true);
    ASSERT_EQ(plot.vertices().size(), 2u);
    EXPECT_EQ(plot.vertices()[0], (PlotPosition{0, 0}));
    EXPECT_EQ(plot.vertices()[1], (PlotPosition{1, 1}));
}

TEST(PlotModel, FarAndNonNumericValuesAreKeptFromThePainters) {
    PlotModel plot;
    plot.limits(0, 1, 0, 1);
    plot.plotValue(0.5, 0.5, false);
    plot.plotValue(1e300, 0.5, true);  // far right: cut where the drawing box ends
    ASSERT_EQ(plot.vertices().size(), 2u);
    EXPECT_NEAR(plot.vertices()[1].x, 2, 1e-12);
    EXPECT_EQ(plot.vertices()[1].y, 0.5);
    plot.plotValue(kNaN, 0.5, true);  // nothing to draw to
    plot.plotValue(0.5, 0.5, true);   // nor from
    plot.plotValue(-1e300, 0.5, false);
    plot.plotValue(kInf, 0.5, false);
    EXPECT_EQ(plot.vertices().size(), 2u);
    EXPECT_TRUE(plot.points().empty());  // the first point went into the polyline
    plot.plotValue(0.25, 0.25, true);    // nothing to draw from: the last value was infinite
    EXPECT_EQ(plot.vertices().size(), 2u);
    plot.plotValue(0.75, 0.75, true);  // a new polyline from the last number sent
    EXPECT_EQ(plot.polylineStarts().size(), 2u);
}

TEST(PlotModel, TheTitleLosesItsMarkersAndStaysWithTheRangesItFixed) {
    PlotModel plot;
    plot.open(
        u"f(\x0F"
        u"1)");
    EXPECT_EQ(plot.title(), u"f(1)");
    plot.open(u"YPlot");
    EXPECT_EQ(plot.title(), u"YPlot");
    plot.limits(0, 1, 0, 1);
    plot.open(u"Sin(x)");
    EXPECT_EQ(plot.title(), u"YPlot");
}

TEST(RunningPlot, CollectedPointsAreDrawnAtTheEndOfTheLineWithRangesThatSpanThem) {
    PlotModel plot;
    plot.yPlot(1, 5);
    plot.yPlot(2, -5);
    plot.yPlot(3, 0);
    EXPECT_TRUE(plot.plotBuffered());
    EXPECT_TRUE(plot.points().empty());
    plot.bufPlot();
    EXPECT_FALSE(plot.plotBuffered());
    EXPECT_EQ(plot.collectedCount(), 0u);
    EXPECT_EQ(plot.xMin(), 1);
    EXPECT_EQ(plot.xMax(), 3);
    EXPECT_EQ(plot.yMin(), -5);
    EXPECT_EQ(plot.yMax(), 5);
    EXPECT_EQ(plot.points().size(), 3u);
    EXPECT_TRUE(plot.vertices().empty());
    // With the ranges fixed a running plot draws at once.
    plot.yPlot(2, 1);
    EXPECT_EQ(plot.points().size(), 4u);
    EXPECT_FALSE(plot.plotBuffered());
}

TEST(RunningPlot, PointsAtOneAbscissaGetAWidenedHorizontalRange) {
    struct Case {
        double x;
        double xMin, xMax;
    };
    const Case cases[] = {{2, 2, 2.2}, {0, 0, 1}, {-2, -2.2, -2}};
    for (const Case& c : cases) {
        PlotModel plot;
        plot.yPlot(c.x, 1);
        plot.yPlot(c.x, 2);
        plot.bufPlot();
        ASSERT_TRUE(plot.rangesFixed()) << c.x;
        EXPECT_DOUBLE_EQ(plot.xMin(), c.xMin);
        EXPECT_DOUBLE_EQ(plot.xMax(), c.xMax);
        EXPECT_EQ(plot.points().size(), 2u);
    }
}

TEST(RunningPlot, OneYGivesNoScaleAndIsDroppedWithItsRanges) {
    PlotModel plot;
    plot.yPlot(3, 7);
    plot.yPlot(4, 7);
    plot.bufPlot();
    EXPECT_FALSE(plot.rangesFixed());
    EXPECT_EQ(plot.collectedCount(), 0u);
    EXPECT_TRUE(plot.points().empty());
    // The next running plot starts afresh.
    plot.yPlot(10, 1);
    plot.yPlot(11, 2);
    plot.bufPlot();
    EXPECT_EQ(plot.xMin(), 10);
    EXPECT_EQ(plot.yMax(), 2);
}

TEST(RunningPlot, TheEndOfALineWithoutCollectedPointsChangesNothing) {
    PlotModel plot;
    plot.bufPlot();
    EXPECT_FALSE(plot.rangesFixed());
    EXPECT_EQ(plot.xMin(), PlotModel::kFreeRange);
    plot.yPlot(kNaN, 1);
    plot.yPlot(1, kInf);
    EXPECT_FALSE(plot.plotBuffered());
}

TEST(RunningPlot, ACurveThatFixesTheRangesMeanwhileEmptiesTheCollection) {
    PlotModel plot;
    plot.yPlot(1, 1);
    plot.yPlot(2, 2);
    plot.limits(-1, 1, -1, 1);
    plot.bufPlot();
    EXPECT_EQ(plot.collectedCount(), 0u);
    EXPECT_TRUE(plot.points().empty());
    EXPECT_EQ(plot.xMax(), 1);
}

// Lines calculated by the document driver, drawing into a plot model.
class PlotLines : public ::testing::Test {
  protected:
    void SetUp() override { engine.setPlotSink(&plot); }
    void calculate(std::u16string_view line) {
        document.appendLine(line);
        driver.calculateCurrentLine();
    }
    Engine engine;
    TextDocument document;
    CalculationDriver driver{engine, document};
    PlotModel plot;
};

TEST_F(PlotLines, TwoCurvesInOneLineShareTheRangesOfTheFirst) {
    // x from 0 to 1 in three points (0.5 apart); the second curve climbs out of the
    // range 0..1 at its last point.
    calculate(u"FPlot(x, x=0, 1, 3)+FPlot(2*x, x=0, 1, 3)");
    EXPECT_EQ(plot.title(), u"x");
    EXPECT_EQ(plot.yMax(), 1);
    ASSERT_EQ(plot.polylineStarts().size(), 2u);
    // The first curve: three vertices; the second: its first point starts it and only the
    // segment to y = 1 is drawn, y = 2 lies above the range.
    EXPECT_EQ(plot.polylineStarts()[1], 3u);
    EXPECT_EQ(plot.vertices().size(), 5u);
    EXPECT_NEAR(plot.vertices().back().y, 0, 1e-12);
    EXPECT_TRUE(plot.points().empty());  // each curve's first point starts its polyline
}

TEST_F(PlotLines, ARunningPlotIsDrawnWhenItsLineEnds) {
    calculate(u"Do(YPlot(x^2), x=-2, 2, 5)");
    EXPECT_TRUE(plot.rangesFixed());
    EXPECT_EQ(plot.title(), u"YPlot");
    EXPECT_EQ(plot.points().size(), 5u);
    EXPECT_EQ(plot.labels().xMin, "-2");
    EXPECT_EQ(plot.labels().yMin, "0");  // 1E-100 at x = 0 reads as 0
    EXPECT_EQ(plot.labels().yMax, "4");
}

TEST_F(PlotLines, TheSvgHoldsTheCurveAndTheLabels) {
    calculate(u"FPlot(Sin(x), x=0, 2*pi)");
    std::string svg = plotSvg(plot, PlotLook{}, 560, 420);
    std::smatch polyline;
    ASSERT_TRUE(std::regex_search(svg, polyline, std::regex("<polyline points=\"([^\"]*)\"")));
    std::string points = polyline[1];
    EXPECT_EQ(std::count(points.begin(), points.end(), ','), 101);
    EXPECT_NE(svg.find("<title>Sin(x)</title>"), std::string::npos);
    EXPECT_NE(svg.find(">6.28</text>"), std::string::npos);
    EXPECT_NE(svg.find(">-1</text>"), std::string::npos);
    EXPECT_EQ(svg.find("<circle"), std::string::npos);  // the first point is the curve's
    EXPECT_EQ(svg.rfind("</svg>\n"), svg.size() - 7);
}

TEST(PlotSvg, TextIsEscapedAndAPlotWithoutRangesHasNoLabels) {
    PlotModel plot;
    plot.open(u"a<b&c>\"d\"\x01");
    std::string svg = plotSvg(plot, PlotLook{}, 100, 80);
    EXPECT_NE(svg.find("<title>a&lt;b&amp;c&gt;&quot;d&quot;</title>"), std::string::npos);
    EXPECT_EQ(svg.find("<text"), std::string::npos);
    EXPECT_EQ(svg.find("<polyline"), std::string::npos);
}

}  // namespace
}  // namespace tally
