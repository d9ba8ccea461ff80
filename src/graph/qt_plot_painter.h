#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPolygonF>

#include "graph/plot_painting.h"

class QPainter;
class QPaintDevice;

namespace tally {

QFont labelFontOf(const PlotLook& look);

// Draws a plot with a QPainter (antialiased), for the window, images and SVG files.
class QtPlotPainter : public PlotPainter {
  public:
    QtPlotPainter(QPainter& painter, const PlotLook& look);

    double textWidth(const std::string& text) override;
    double textHeight() override;
    void fill(const PlotRect& rect, std::uint32_t colour) override;
    void clipTo(const PlotRect& rect) override;
    void clearClip() override;
    void line(double x1, double y1, double x2, double y2, std::uint32_t colour) override;
    void polylines(const std::vector<PlotPosition>& vertices,
                   const std::vector<std::size_t>& starts, const PlotLayout& layout,
                   std::uint32_t colour, double width) override;
    void dots(const std::vector<PlotPosition>& points, const PlotLayout& layout,
              std::uint32_t colour, double diameter) override;
    void text(double left, double top, const std::string& text, std::uint32_t colour) override;

  private:
    QPainter& m_painter;
    QFontMetricsF m_metrics;
    QPolygonF m_polyline;
};

// What to render: the whole window body with its labels, or the plot area alone.
enum class PlotPart { Body, Area };

// Paints the plot onto any device of the given size (pixels, logical).
void renderPlot(QPaintDevice& device, const PlotModel& model, const PlotLook& look, QSizeF size,
                PlotPart part);

}  // namespace tally
