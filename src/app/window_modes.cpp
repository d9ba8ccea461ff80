#include "app/window_modes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QWidget>

#include "graph/window_flags.h"

namespace tally {

WindowModes::WindowModes(QWidget& window)
    : QObject(&window),
      m_window(window),
      m_mnuAlwaysOnTop(new QAction(QStringLiteral("Всегда сверху всех окон"), this)),
      m_trayAvailable(&QSystemTrayIcon::isSystemTrayAvailable) {
    m_mnuAlwaysOnTop->setObjectName(QStringLiteral("mnuAlwaysOnTop"));
    m_mnuAlwaysOnTop->setCheckable(true);
    connect(m_mnuAlwaysOnTop, &QAction::triggered, this, &WindowModes::setAlwaysOnTop);

    m_tray.setIcon(QApplication::windowIcon());
    m_tray.setToolTipText(QStringLiteral("Tally Калькулятор"));
    connect(&m_tray, &TrayIcon::onIcon, this, &WindowModes::onIcon);
    connect(&m_tray, &TrayIcon::restoreRequested, this, [this] {
        restore();
        emit plotWindowRequested();
    });
    connect(&m_tray, &TrayIcon::exitRequested, this, &WindowModes::exitRequested);
    // A failed notification-area call is of no consequence: the icon is simply not there.
    if (trayAvailable()) m_tray.add();
    m_window.installEventFilter(this);
}

void WindowModes::setTrayAvailability(std::function<bool()> available) {
    m_trayAvailable = std::move(available);
    if (trayAvailable()) m_tray.add();
}

bool WindowModes::trayAvailable() const {
    return m_trayAvailable && m_trayAvailable();
}

bool WindowModes::alwaysOnTop() const {
    return m_mnuAlwaysOnTop->isChecked();
}

void WindowModes::applyTopmost(QWidget& window, bool on) {
    changeWindowFlag(window, Qt::WindowStaysOnTopHint, on);
}

void WindowModes::setAlwaysOnTop(bool on) {
    m_mnuAlwaysOnTop->setChecked(on);
    applyTopmost(m_window, on);
    for (const QPointer<QWidget>& tool : m_toolWindows) {
        if (tool && tool->isVisible()) applyTopmost(*tool, on);
    }
    emit alwaysOnTopChanged(on);
}

void WindowModes::prepareToolWindow(QWidget* window) {
    if (!window) return;
    bool known = false;
    for (const QPointer<QWidget>& tool : m_toolWindows)
        known = known || tool == window;
    if (!known) m_toolWindows.emplace_back(window);
    applyTopmost(*window, alwaysOnTop());
}

void WindowModes::hideToTray() {
    if (!trayAvailable()) {
        m_window.showMinimized();
        return;
    }
    emit hidden();
    for (const QPointer<QWidget>& tool : m_toolWindows) {
        if (tool) tool->close();
    }
    m_window.hide();
}

void WindowModes::restore() {
    if (m_window.isMinimized()) m_window.showNormal();
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
    emit restored();
}

bool WindowModes::closeToTray(QCloseEvent* event) {
    // A session that ends takes the program with it; only the close box hides it.
    if (qApp->isSavingSession() || !trayAvailable()) return false;
    event->ignore();
    hideToTray();
    return true;
}

void WindowModes::onIcon(TrayIcon::Click click) {
    switch (click) {
        case TrayIcon::LeftButtonUp:
            if (m_window.isHidden()) restore();
            break;
        case TrayIcon::LeftDoubleClick:
            emit plotWindowRequested();
            break;
        case TrayIcon::LeftButtonDown:
        case TrayIcon::RightButtonDown:
        case TrayIcon::RightButtonUp:
            // The system pops the icon's menu up by itself.
            break;
    }
}

bool WindowModes::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WindowActivate) emit activated();
    return QObject::eventFilter(watched, event);
}

}  // namespace tally
