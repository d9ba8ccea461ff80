#include "appearance/cube_view.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace tally {

namespace {

// A turn of about 2 degrees per tick: a full turn in about seven seconds.
constexpr double kTurnPerTick = 0.035;
// A neutral grey that no cell of the full-range cube has, so that every cell stands out.
const QColor kBackground(150, 150, 154);

}  // namespace

CubeView::CubeView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(200, 200);
    m_turn.setInterval(kTurnIntervalMilliseconds);
    connect(&m_turn, &QTimer::timeout, this, &CubeView::turn);
}

void CubeView::setRotating(bool on) {
    if (on) {
        m_turn.start();
    } else {
        m_turn.stop();
    }
}

void CubeView::refresh() {
    m_drawn = drawCube(m_cube, m_yaw, m_pitch, QRectF(rect()));
    update();
    // The cell under a resting mouse changes as the cube turns or zooms.
    if (underMouse()) {
        int index = cellAt(mapFromGlobal(QCursor::pos()));
        if (index >= 0) emit hovered(index);
    }
}

void CubeView::turn() {
    m_yaw += kTurnPerTick;
    refresh();
}

int CubeView::cellAt(const QPoint& point) const {
    return tally::cellAt(m_drawn, QPointF(point) + QPointF(0.5, 0.5));
}

QPoint CubeView::centreOf(int index) const {
    for (const DrawnCell& cell : m_drawn) {
        if (cell.index == index) return cell.outline.boundingRect().center().toPoint();
    }
    return {-1, -1};
}

void CubeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setPen(QColor(0, 0, 0, 110));
    for (const DrawnCell& cell : m_drawn) {
        painter.setBrush(toQColor(m_cube.cell(cell.index).colour));
        painter.drawPolygon(cell.outline);
    }
}

void CubeView::resizeEvent(QResizeEvent*) {
    refresh();
}

void CubeView::mouseMoveEvent(QMouseEvent* event) {
    int index = cellAt(event->position().toPoint());
    if (index >= 0) emit hovered(index);
}

void CubeView::mouseReleaseEvent(QMouseEvent* event) {
    int index = cellAt(event->position().toPoint());
    if (index < 0) return;
    if (event->button() == Qt::LeftButton) emit chosen(index);
    if (event->button() == Qt::RightButton) emit zoomRequested(index);
}

}  // namespace tally
