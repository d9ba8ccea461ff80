#include "app/window_dragging.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tally {

WindowDragging::WindowDragging(QWidget& window) : QObject(&window), m_window(window) {}

void WindowDragging::enable(QWidget& window, QWidget* body) {
    auto* dragging = new WindowDragging(window);
    window.installEventFilter(dragging);
    if (body) body->installEventFilter(dragging);
}

bool WindowDragging::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) break;
            m_pressed = true;
            m_dragging = false;
            m_pressedAt = mouse->globalPosition().toPoint();
            m_offset = m_pressedAt - m_window.frameGeometry().topLeft();
            break;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!m_pressed || !(mouse->buttons() & Qt::LeftButton)) break;
            QPoint at = mouse->globalPosition().toPoint();
            if (!m_dragging) {
                if ((at - m_pressedAt).manhattanLength() < QApplication::startDragDistance()) break;
                m_dragging = true;
                // The window manager moves the window itself where it can.
                if (QWindow* handle = m_window.windowHandle();
                    handle && handle->startSystemMove()) {
                    m_pressed = false;
                    m_dragging = false;
                    return true;
                }
                // Until the button is released no control sees the mouse, so that the
                // label a drag started on does not take its release for a click.
                qApp->installEventFilter(this);
            }
            m_window.move(at - m_offset);
            return true;
        }
        case QEvent::MouseButtonRelease:
            m_pressed = false;
            if (m_dragging) {
                m_dragging = false;
                qApp->removeEventFilter(this);
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tally
