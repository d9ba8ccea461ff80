#include "graph/qt_plot_painter.h"

#include <QPainter>
#include <cmath>

namespace tally {

namespace {

QColor colourOf(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QRectF rectOf(const PlotRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

// Vertices closer than this to the last one drawn (in pixels) add nothing visible; dense
// curves of many thousands of points paint much faster without them.
constexpr double kSmallestStep = 0.25;

}  // namespace

QFont labelFontOf(const PlotLook& look) {
    QFont font(QString::fromStdString(look.labelFontFamily));
    font.setPointSizeF(look.labelFontPoints);
    font.setBold(look.labelFontBold);
    return font;
}

QtPlotPainter::QtPlotPainter(QPainter& painter, const PlotLook& look)
    : m_painter(painter), m_metrics(labelFontOf(look), painter.device()) {
    m_painter.setFont(labelFontOf(look));
}

double QtPlotPainter::textWidth(const std::string& text) {
    return m_metrics.horizontalAdvance(QString::fromStdString(text));
}

double QtPlotPainter::textHeight() {
    return m_metrics.height();
}

void QtPlotPainter::fill(const PlotRect& rect, std::uint32_t colour) {
    m_painter.fillRect(rectOf(rect), colourOf(colour));
}

void QtPlotPainter::clipTo(const PlotRect& rect) {
    m_painter.save();
    m_painter.setClipRect(rectOf(rect));
}

void QtPlotPainter::clearClip() {
    m_painter.restore();
}

void QtPlotPainter::line(double x1, double y1, double x2, double y2, std::uint32_t colour) {
    // A one-pixel axis on a pixel's centre stays sharp.
    m_painter.setPen(QPen(colourOf(colour), 1));
    m_painter.drawLine(QPointF(std::floor(x1) + 0.5, std::floor(y1) + 0.5),
                       QPointF(std::floor(x2) + 0.5, std::floor(y2) + 0.5));
}

void QtPlotPainter::polylines(const std::vector<PlotPosition>& vertices,
                              const std::vector<std::size_t>& starts, const PlotLayout& layout,
                              std::uint32_t colour, double width) {
    m_painter.setPen(QPen(colourOf(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        std::size_t end = i + 1 < starts.size() ? starts[i + 1] : vertices.size();
        m_polyline.clear();
        for (std::size_t v = starts[i]; v < end; ++v) {
            QPointF at(layout.xOf(vertices[v]), layout.yOf(vertices[v]));
            if (!m_polyline.isEmpty() && v + 1 < end) {
                QPointF step = at - m_polyline.back();
                if (std::fabs(step.x()) < kSmallestStep && std::fabs(step.y()) < kSmallestStep)
                    continue;
            }
            m_polyline.append(at);
        }
        m_painter.drawPolyline(m_polyline);
    }
}

void QtPlotPainter::dots(const std::vector<PlotPosition>& points, const PlotLayout& layout,
                         std::uint32_t colour, double diameter) {
    m_painter.setPen(QPen(colourOf(colour), diameter, Qt::SolidLine, Qt::RoundCap));
    // Many points of a long running plot fall on the same spot: each spot of half a pixel
    // is drawn once, and spots that cannot reach the plot area not at all.
    const PlotRect& area = layout.area;
    double margin = diameter;
    auto columns = static_cast<std::size_t>(std::ceil((area.width + 2 * margin) * 2)) + 1;
    auto rows = static_cast<std::size_t>(std::ceil((area.height + 2 * margin) * 2)) + 1;
    std::vector<bool> taken(columns * rows);
    m_polyline.clear();
    for (const PlotPosition& point : points) {
        QPointF at(layout.xOf(point), layout.yOf(point));
        double column = std::round((at.x() - area.left + margin) * 2);
        double row = std::round((at.y() - area.top + margin) * 2);
        if (column < 0 || row < 0 || column >= static_cast<double>(columns) ||
            row >= static_cast<double>(rows)) {
            continue;
        }
        std::size_t spot =
            static_cast<std::size_t>(row) * columns + static_cast<std::size_t>(column);
        if (taken[spot]) continue;
        taken[spot] = true;
        m_polyline.append(at);
    }
    m_painter.drawPoints(m_polyline);
}

void QtPlotPainter::text(double left, double top, const std::string& text, std::uint32_t colour) {
    m_painter.setPen(colourOf(colour));
    m_painter.drawText(QPointF(left, top + m_metrics.ascent()), QString::fromStdString(text));
}

void renderPlot(QPaintDevice& device, const PlotModel& model, const PlotLook& look, QSizeF size,
                PlotPart part) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    QtPlotPainter plotPainter(painter, look);
    if (part == PlotPart::Body) {
        paintPlot(model, look, size.width(), size.height(), plotPainter);
    } else {
        paintPlotArea(model, look, size.width(), size.height(), plotPainter);
    }
}

}  // namespace tally
