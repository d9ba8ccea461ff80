#include "appearance/window_drag.h"

#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tally {

WindowDrag::WindowDrag(QWidget* window) : QObject(window), m_window(window) {
    window->installEventFilter(this);
}

void WindowDrag::watch(QWidget* child) {
    child->installEventFilter(this);
}

bool WindowDrag::startsDrag(QObject* watched, const QPoint& local) const {
    if (auto* menuBar = qobject_cast<QMenuBar*>(watched))
        return menuBar->actionAt(local) == nullptr;
    return true;
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (!m_enabled) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton ||
                !startsDrag(watched, mouse->position().toPoint())) {
                return false;
            }
            m_pressed = true;
            m_moving = false;
            m_pressGlobal = mouse->globalPosition().toPoint();
            m_windowAtPress = m_window->pos();
            return false;
        }
        case QEvent::MouseMove: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (!m_pressed || !(mouse->buttons() & Qt::LeftButton)) return false;
            QPoint moved = mouse->globalPosition().toPoint() - m_pressGlobal;
            if (!m_moving) {
                if (moved.manhattanLength() < QApplication::startDragDistance()) return false;
                m_moving = true;
                // The window manager moves the window where it can; otherwise it follows the
                // mouse here.
                QWindow* handle = m_window->windowHandle();
                if (handle && handle->startSystemMove()) {
                    m_pressed = false;
                    return true;
                }
                // The release then comes to the window, not to a key the drag began on.
                m_window->grabMouse();
            }
            m_window->move(m_windowAtPress + moved);
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (m_moving) {
                m_window->releaseMouse();
                m_pressed = false;
                m_moving = false;
                return true;
            }
            m_pressed = false;
            return false;
        default:
            return false;
    }
}

}  // namespace tally
