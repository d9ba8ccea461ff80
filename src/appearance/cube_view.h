#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "appearance/colour_cube.h"

namespace tally {

// The colour cube drawn in perspective, cells painted from the farthest to the nearest.
// Left click chooses a cell, right click zooms into it; the cube can turn on its own.
class CubeView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kTurnIntervalMilliseconds = 40;

    explicit CubeView(QWidget* parent = nullptr);

    ColourCube& cube() { return m_cube; }
    const ColourCube& cube() const { return m_cube; }
    bool rotating() const { return m_turn.isActive(); }
    void setRotating(bool on);
    // The cell painted at `point`, -1 for none.
    int cellAt(const QPoint& point) const;
    // The centre of a shown cell as painted now (for tests and keyboard-less checks).
    QPoint centreOf(int index) const;
    // The cube changed (zoom, back): recomputed and painted again.
    void refresh();

    QSize sizeHint() const override { return {300, 300}; }

  signals:
    void hovered(int index);
    void chosen(int index);
    void zoomRequested(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void turn();

    ColourCube m_cube;
    double m_yaw = 0.6;
    double m_pitch = 0.45;
    std::vector<DrawnCell> m_drawn;
    QTimer m_turn;
};

}  // namespace tally
