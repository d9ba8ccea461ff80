#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace tally {

// Lets a window without a frame be dragged by its body: a left-button drag that starts on
// the window, or on a child that leaves the press to it, moves the window. Presses on
// widgets that use them (buttons, the editor, menu titles) are left alone. Installed on the
// window, and on any child whose empty parts should drag too (a menu bar).
class WindowDrag : public QObject {
  public:
    explicit WindowDrag(QWidget* window);

    void setEnabled(bool on) { m_enabled = on; }
    // Also drag from `child`, where it has nothing under the mouse.
    void watch(QWidget* child);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool startsDrag(QObject* watched, const QPoint& local) const;

    QWidget* m_window;
    bool m_enabled = false;
    bool m_pressed = false;
    bool m_moving = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};

}  // namespace tally
