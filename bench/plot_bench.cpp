// The plot window on the offscreen platform: a curve of 100,000 points from the calculation
// of its line until the window has painted it, and repainting such a plot at 1400x900.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLabel>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "graph/plot_canvas.h"
#include "graph/plot_window.h"
#include "graph/plot_window_sink.h"
#include "graph/qt_plot_painter.h"

namespace {

// n = |1.01·N| rounded: N = 99010 gives 100,000 points.
constexpr char16_t kHundredThousandPoints[] = u"FPlot(Sin(x)*Exp(-x/5), x=0, 20, 99010)";

struct PlottingDocument {
    tally::Engine engine;
    tally::TextDocument document;
    tally::CalculationDriver driver{engine, document};
    tally::PlotWindowSink sink{nullptr};

    PlottingDocument() { engine.setPlotSink(&sink); }
    void calculate(std::u16string_view line) {
        document.appendLine(line);
        driver.calculateCurrentLine();
    }
    tally::PlotWindow& window() { return *sink.window(); }
};

void fPlotOfHundredThousandPointsUntilPainted(benchmark::State& state) {
    PlottingDocument plotting;
    for (auto _ : state) {
        plotting.calculate(kHundredThousandPoints);
        plotting.window().canvas().repaint();
        state.PauseTiming();
        if (plotting.window().model().vertices().size() != 100000) {
            state.SkipWithError("the curve does not have 100,000 points");
        }
        // The next plot opens a fresh window with free ranges.
        plotting.window().close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(fPlotOfHundredThousandPointsUntilPainted)->Unit(benchmark::kMillisecond);

void repaintAt1400x900(benchmark::State& state, std::u16string_view line) {
    PlottingDocument plotting;
    plotting.calculate(line);
    tally::PlotCanvas& canvas = plotting.window().canvas();
    plotting.window().resize(1400, 900 + plotting.window().statusLine().height());
    QCoreApplication::processEvents();
    if (canvas.size() != QSize(1400, 900)) state.SkipWithError("the body is not 1400x900");
    for (auto _ : state)
        canvas.repaint();
}
BENCHMARK_CAPTURE(repaintAt1400x900, curveOfHundredThousandPoints, kHundredThousandPoints)
    ->Unit(benchmark::kMillisecond);
// A running plot draws separate points rather than a curve.
BENCHMARK_CAPTURE(repaintAt1400x900, hundredThousandSeparatePoints,
                  u"Do(YPlot(Sin(x)*Exp(-x/5)), x=0, 20, 99010)")
    ->Unit(benchmark::kMillisecond);

// The same painting into an image, as copying and saving do.
void renderHundredThousandPointsToImage(benchmark::State& state) {
    PlottingDocument plotting;
    plotting.calculate(kHundredThousandPoints);
    QImage image(1400, 900, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        tally::renderPlot(image, plotting.window().model(), tally::PlotLook{}, image.size(),
                          tally::PlotPart::Body);
    }
}
BENCHMARK(renderHundredThousandPointsToImage)->Unit(benchmark::kMillisecond);

}  // namespace
