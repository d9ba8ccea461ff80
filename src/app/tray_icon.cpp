#include "app/tray_icon.h"

#include <QAction>
#include <QMenu>

namespace tally {

std::optional<TrayIcon::Click> TrayIcon::clickOf(QSystemTrayIcon::ActivationReason reason) {
    // The system reports whole clicks, so the button-down codes never arise.
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return LeftButtonUp;
        case QSystemTrayIcon::DoubleClick:
            return LeftDoubleClick;
        case QSystemTrayIcon::Context:
            return RightButtonUp;
        case QSystemTrayIcon::MiddleClick:
        case QSystemTrayIcon::Unknown:
            break;
    }
    return std::nullopt;
}

QString TrayIcon::cutToolTip(const QString& text) {
    return text.left(kToolTipLimit);
}

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent),
      m_pmnuTray(std::make_unique<QMenu>()),
      m_mnuTrayRestore(m_pmnuTray->addAction(QStringLiteral("Восстановить"))),
      m_mnuExit(m_pmnuTray->addAction(QStringLiteral("Выход"))) {
    m_pmnuTray->setObjectName(QStringLiteral("pmnuTray"));
    m_mnuTrayRestore->setObjectName(QStringLiteral("mnuTrayRestore"));
    m_mnuExit->setObjectName(QStringLiteral("mnuExit"));
    // The menu belongs to the icon; the system pops it up on the right button.
    m_icon.setContextMenu(m_pmnuTray.get());
    connect(m_mnuTrayRestore, &QAction::triggered, this, &TrayIcon::restoreRequested);
    connect(m_mnuExit, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(&m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (std::optional<Click> click = clickOf(reason)) emit onIcon(*click);
            });
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setToolTipText(const QString& text) {
    m_icon.setToolTip(cutToolTip(text));
}

}  // namespace tally
