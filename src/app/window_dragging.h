#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace tally {

// Moves a window when its body is dragged, as if by its caption, so that a window drawn
// without a caption can still be moved. Only presses that no control takes for itself reach
// the body, and the move starts once the mouse has travelled the drag distance, so clicks
// on labels still work.
class WindowDragging : public QObject {
  public:
    // Lets `window` be dragged by itself and by `body` (its central widget, say).
    static void enable(QWidget& window, QWidget* body = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit WindowDragging(QWidget& window);

    QWidget& m_window;
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_pressedAt;
    QPoint m_offset;
};

}  // namespace tally
