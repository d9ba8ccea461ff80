#include "graph/plot_canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "graph/plot_label.h"
#include "graph/qt_plot_painter.h"

namespace tally {

PlotCanvas::PlotCanvas(const PlotModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 120);
}

void PlotCanvas::setLook(const PlotLook& look) {
    m_look = look;
    update();
}

QRectF PlotCanvas::plotArea() const {
    const PlotRect& area = m_layout.area;
    return {area.left, area.top, area.width, area.height};
}

std::optional<QPointF> PlotCanvas::valuesAt(QPointF position) const {
    if (!m_model.rangesFixed() || !plotArea().contains(position)) return std::nullopt;
    PlotPosition at = m_layout.positionAt(position.x(), position.y());
    return QPointF(m_model.xAt(at.x), m_model.yAt(at.y));
}

void PlotCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QtPlotPainter plotPainter(painter, m_look);
    // The labels change with the ranges and the size with the window: the layout follows,
    // and the mouse is read against what was painted.
    m_layout = layoutPlot(m_model, width(), height(), plotPainter);
    paintPlot(m_model, m_look, width(), height(), plotPainter);
}

void PlotCanvas::mousePressEvent(QMouseEvent* event) {
    bool onArea = plotArea().contains(event->position());
    if (onArea && event->button() != Qt::LeftButton) return;
    m_windowMove.begin(*this, *event);
}

void PlotCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (m_windowMove.follow(*this, *event)) return;
    std::optional<QPointF> values = valuesAt(event->position());
    if (!values) {
        emit pointedValues(QString());
        return;
    }
    // A pixel spans a little of each range; within half of it of 0 the value reads as 0.
    const PlotRect& ranges = m_layout.ranges;
    std::string x =
        formatPlotValue(values->x(), (m_model.xMax() - m_model.xMin()) / ranges.width / 2);
    std::string y =
        formatPlotValue(values->y(), (m_model.yMax() - m_model.yMin()) / ranges.height / 2);
    emit pointedValues(QStringLiteral("x = %1    y = %2")
                           .arg(QString::fromStdString(x), QString::fromStdString(y)));
}

void PlotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    m_windowMove.end();
    if (event->button() == Qt::RightButton && plotArea().contains(event->position())) {
        emit menuRequested(event->globalPosition().toPoint());
    }
}

void PlotCanvas::leaveEvent(QEvent*) {
    emit pointedValues(QString());
}

}  // namespace tally
