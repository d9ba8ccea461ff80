#pragma once

#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <optional>

class QAction;
class QMenu;

namespace tally {

// The notification-area icon (TrayIcon over the system's tray): a tooltip of at most 63
// characters, the clicks reported by code, and the menu with "Восстановить" and "Выход".
class TrayIcon : public QObject {
    Q_OBJECT
  public:
    static constexpr int kToolTipLimit = 63;

    // The codes of OnIcon.
    enum Click {
        LeftButtonDown = 1,
        LeftButtonUp = 2,
        LeftDoubleClick = 3,
        RightButtonDown = 4,
        RightButtonUp = 5
    };

    // The click code of a notification-area activation, if it has one.
    static std::optional<Click> clickOf(QSystemTrayIcon::ActivationReason reason);
    // The tooltip as the notification area shows it: cut to its first 63 characters.
    static QString cutToolTip(const QString& text);

    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    void setToolTipText(const QString& text);
    QString toolTipText() const { return m_icon.toolTip(); }
    void setIcon(const QIcon& icon) { m_icon.setIcon(icon); }
    QMenu* menu() { return m_pmnuTray.get(); }
    QAction* restoreAction() { return m_mnuTrayRestore; }
    QAction* exitAction() { return m_mnuExit; }

    // Puts the icon into the notification area, or takes it away.
    void add() { m_icon.show(); }
    void remove() { m_icon.hide(); }
    bool isShown() const { return m_icon.isVisible(); }

  signals:
    void onIcon(tally::TrayIcon::Click click);
    void restoreRequested();
    void exitRequested();

  private:
    // The menu outlives the icon that refers to it.
    std::unique_ptr<QMenu> m_pmnuTray;
    QSystemTrayIcon m_icon;
    QAction* m_mnuTrayRestore;
    QAction* m_mnuExit;
};

}  // namespace tally
