#pragma once

#include "graph/plot_model.h"

namespace tally {

struct PlotRect {
    double left = 0, top = 0, width = 0, height = 0;
};

// How the window body is divided: the plot area with room for the range labels to its left
// and below it. Lengths are in pixels.
struct PlotLayout {
    static constexpr double kDefaultBodyWidth = 560;
    static constexpr double kDefaultBodyHeight = 420;
    // Between a vertical-range label and the plot area.
    static constexpr double kLabelGap = 3;
    static constexpr double kMargin = 8;
    // The ranges' ends lie this far inside the plot area, so that a curve touching them is
    // drawn whole rather than cut in half by the area's edge.
    static constexpr double kInset = 3;

    PlotRect area;
    PlotRect ranges;  // where the ranges' ends map to: the area less the inset

    // `labelWidth`: the wider of the two vertical-range labels.
    static PlotLayout of(double bodyWidth, double bodyHeight, double labelWidth,
                         double labelHeight);
    // The plot area alone.
    static PlotLayout around(const PlotRect& area);

    double xOf(PlotPosition at) const { return ranges.left + at.x * ranges.width; }
    double yOf(PlotPosition at) const { return ranges.top + at.y * ranges.height; }
    // The place of a pixel as a fraction of the ranges.
    PlotPosition positionAt(double x, double y) const {
        return {(x - ranges.left) / ranges.width, (y - ranges.top) / ranges.height};
    }
};

}  // namespace tally
