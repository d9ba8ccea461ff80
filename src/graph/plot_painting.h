#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "graph/plot_layout.h"
#include "graph/plot_look.h"
#include "graph/plot_model.h"

namespace tally {

// What drawing a plot needs from a surface (the window, an image, an SVG file). Lengths are
// in pixels; text is drawn in the look's label font.
class PlotPainter {
  public:
    virtual ~PlotPainter() = default;
    virtual double textWidth(const std::string& text) = 0;
    virtual double textHeight() = 0;
    virtual void fill(const PlotRect& rect, std::uint32_t colour) = 0;
    // Everything drawn until clearClip() is cut to the rectangle.
    virtual void clipTo(const PlotRect& rect) = 0;
    virtual void clearClip() = 0;
    virtual void line(double x1, double y1, double x2, double y2, std::uint32_t colour) = 0;
    // Polyline i runs through vertices[starts[i]] up to the next start; positions are
    // fractions that `layout` maps to pixels.
    virtual void polylines(const std::vector<PlotPosition>& vertices,
                           const std::vector<std::size_t>& starts, const PlotLayout& layout,
                           std::uint32_t colour, double width) = 0;
    virtual void dots(const std::vector<PlotPosition>& points, const PlotLayout& layout,
                      std::uint32_t colour, double diameter) = 0;
    // `top` is the top of the text's line.
    virtual void text(double left, double top, const std::string& text, std::uint32_t colour) = 0;
};

// The layout of a plot in a body of the given size, with room for its labels.
PlotLayout layoutPlot(const PlotModel& model, double width, double height, PlotPainter& painter);

// Paints the whole body: background, plot area, axes, curves, points and range labels.
void paintPlot(const PlotModel& model, const PlotLook& look, double width, double height,
               PlotPainter& painter);

// Paints only the plot area (axes, curves and points, no labels) filling the given size.
void paintPlotArea(const PlotModel& model, const PlotLook& look, double width, double height,
                   PlotPainter& painter);

}  // namespace tally
