#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "app/tray_icon.h"

class QAction;
class QCloseEvent;
class QWidget;

namespace tally {

// How the main window lives beside the clock: hidden to the notification area by its close
// box (when the desktop has one) and brought back by the icon, kept above other windows on
// request, with its tool windows following it.
class WindowModes : public QObject {
    Q_OBJECT
  public:
    explicit WindowModes(QWidget& window);

    // Whether the desktop shows notification icons; the tests replace the question.
    void setTrayAvailability(std::function<bool()> available);
    bool trayAvailable() const;

    TrayIcon& trayIcon() { return m_tray; }
    // "Always On &Top" of the Options menu.
    QAction* alwaysOnTopAction() { return m_mnuAlwaysOnTop; }
    bool alwaysOnTop() const;
    void setAlwaysOnTop(bool on);

    // A tool window that closes when the main window hides and stays above other windows
    // with it. Call before the window is shown.
    void prepareToolWindow(QWidget* window);

    // The main window's close event: the close box hides the program to the notification
    // area when there is one. True when the event was taken care of so; otherwise the
    // program is to end.
    bool closeToTray(QCloseEvent* event);

  public slots:
    // Closes the tool windows and hides the main window; without a notification area to
    // come back through, the window is minimised instead.
    void hideToTray();
    // Shows the main window again, in front.
    void restore();

  signals:
    void alwaysOnTopChanged(bool on);
    // The main window hid into the notification area: subject windows close, the plot
    // window hides.
    void hidden();
    // The main window came back: the subject windows that were open show again.
    void restored();
    // The plot window, if there is one, is to be shown.
    void plotWindowRequested();
    void exitRequested();
    // The main window became the active window: subject windows arrange themselves.
    void activated();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void onIcon(TrayIcon::Click click);
    static void applyTopmost(QWidget& window, bool on);

    QWidget& m_window;
    TrayIcon m_tray;
    QAction* m_mnuAlwaysOnTop;
    std::function<bool()> m_trayAvailable;
    std::vector<QPointer<QWidget>> m_toolWindows;
};

}  // namespace tally
