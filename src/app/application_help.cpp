#include <QDir>

#include "app/about_dialog.h"
#include "app/application.h"
#include "app/help_window.h"
#include "app/main_window.h"

namespace tally {

void Application::showHelp() {
    if (!m_help) {
        auto* help = new HelpWindow(m_window.get());
        QString error;
        if (!help->load(QDir(m_programDataFolder).filePath(QStringLiteral("help")), error)) {
            delete help;
            m_session->messages().notify(u" Tally Не удается прочитать файл справки",
                                         error.toStdU16String());
            return;
        }
        m_help = help;
        // The first time it opens over the middle of the main window.
        QRect area = m_window->frameGeometry();
        m_help->move(area.center() - QPoint(m_help->width() / 2, m_help->height() / 2));
    }
    m_window->prepareToolWindow(m_help);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

HelpWindow* Application::helpWindow() const {
    return m_help;
}

void Application::showAbout() {
    AboutDialog about(m_dataFolder, m_programDataFolder, m_window.get());
    connect(&about, &AboutDialog::helpRequested, this, &Application::showHelp);
    about.exec();
}

}  // namespace tally
