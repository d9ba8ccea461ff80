#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

#include "graph/plot_layout.h"
#include "graph/plot_look.h"
#include "graph/plot_model.h"
#include "graph/window_move.h"

namespace tally {

// The body of the plot window: the plot area with its axes, curves and points, and the
// range labels around it, painted from the model every time, so that covering, hiding and
// resizing never lose any of it (a resize rescales the drawing). Pressing a mouse button
// on the body, or the left button on the plot area, moves the window; releasing the right
// button on the plot area asks for the menu.
class PlotCanvas : public QWidget {
    Q_OBJECT
  public:
    PlotCanvas(const PlotModel& model, QWidget* parent = nullptr);

    void setLook(const PlotLook& look);
    const PlotLook& look() const { return m_look; }
    // The plot area in widget pixels, as last painted (empty before).
    QRectF plotArea() const;
    // The values of x and y at a widget position over the plot area (fixed ranges only).
    std::optional<QPointF> valuesAt(QPointF position) const;

  signals:
    void menuRequested(QPoint globalPosition);
    // The values under the mouse, or an empty text when it is not over a plot.
    void pointedValues(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    const PlotModel& m_model;
    PlotLook m_look;
    PlotLayout m_layout;
    // Where the window was grabbed, when the platform leaves moving it to us.
    WindowMove m_windowMove;
};

}  // namespace tally
