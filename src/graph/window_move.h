#pragma once

#include <QPoint>
#include <optional>

class QMouseEvent;
class QWidget;

namespace tally {

// Moving the plot window by a press on one of its parts: the window system moves it where
// it can; otherwise the window follows the mouse until the button is let go.
class WindowMove {
  public:
    void begin(QWidget& part, const QMouseEvent& press);
    // Whether the move took the mouse movement.
    bool follow(QWidget& part, const QMouseEvent& move);
    void end() { m_offset.reset(); }

  private:
    std::optional<QPoint> m_offset;
};

}  // namespace tally
