#include "graph/plot_painting.h"

#include <algorithm>

namespace tally {

PlotLayout layoutPlot(const PlotModel& model, double width, double height, PlotPainter& painter) {
    PlotLabels labels = model.labels();
    double labelWidth = std::max(painter.textWidth(labels.yMin), painter.textWidth(labels.yMax));
    return PlotLayout::of(width, height, labelWidth, painter.textHeight());
}

namespace {

void paintArea(const PlotModel& model, const PlotLook& look, const PlotLayout& layout,
               PlotPainter& painter) {
    const PlotRect& area = layout.area;
    painter.fill(area, look.areaBackground);
    painter.clipTo(area);
    if (std::optional<double> x = model.verticalAxis()) {
        double at = layout.xOf({*x, 0});
        painter.line(at, area.top, at, area.top + area.height, look.axisColour);
    }
    if (std::optional<double> y = model.horizontalAxis()) {
        double at = layout.yOf({0, *y});
        painter.line(area.left, at, area.left + area.width, at, look.axisColour);
    }
    painter.polylines(model.vertices(), model.polylineStarts(), layout, look.curveColour,
                      look.curveWidth);
    painter.dots(model.points(), layout, look.curveColour, look.pointDiameter);
    painter.clearClip();
}

}  // namespace

void paintPlotArea(const PlotModel& model, const PlotLook& look, double width, double height,
                   PlotPainter& painter) {
    paintArea(model, look, PlotLayout::around({0, 0, width, height}), painter);
}

void paintPlot(const PlotModel& model, const PlotLook& look, double width, double height,
               PlotPainter& painter) {
    PlotLayout layout = layoutPlot(model, width, height, painter);
    painter.fill({0, 0, width, height}, look.windowBackground);
    paintArea(model, look, layout, painter);
    if (!model.rangesFixed()) return;
    const PlotRect& area = layout.area;
    // The range labels at the corners: the horizontal range under the area's ends, the
    // vertical range left of its top and bottom.
    PlotLabels labels = model.labels();
    double below = area.top + area.height;
    double right = area.left + area.width;
    double lineHeight = painter.textHeight();
    painter.text(area.left, below, labels.xMin, look.labelColour);
    painter.text(right - painter.textWidth(labels.xMax), below, labels.xMax, look.labelColour);
    painter.text(area.left - painter.textWidth(labels.yMax) - PlotLayout::kLabelGap, area.top,
                 labels.yMax, look.labelColour);
    painter.text(area.left - painter.textWidth(labels.yMin) - PlotLayout::kLabelGap,
                 below - lineHeight, labels.yMin, look.labelColour);
}

}  // namespace tally
