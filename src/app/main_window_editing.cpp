#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "app/document_editor.h"
#include "app/edit_commands.h"
#include "app/main_window.h"
#include "app/window_modes.h"
#include "document/calculation_driver.h"
#include "engine/engine.h"

namespace tally {

// The Edit menu between the Options menu and the catalogue's menus, "Always On &Top" at the
// head of the Options menu, the notification icon.
void MainWindow::buildEditingAndModes() {
    m_windowModes = new WindowModes(*this);
    EditCommands::Hooks hooks;
    hooks.calculationRunning = [this] { return m_engine.calculating(); };
    hooks.separators = [this] { return m_driver.options().separators(); };
    hooks.prepareToolWindow = [this](QWidget* window) { prepareToolWindow(window); };
    m_editCommands = new EditCommands(m_editor, *m_cmbDec->lineEdit(), *this, std::move(hooks));

    QMenu* edit = m_editCommands->menu();
    QAction* before = m_catalogueMenus.empty() ? nullptr : m_catalogueMenus.front()->menuAction();
    menuBar()->insertMenu(before, edit);
    if (auto* options = menuBar()->findChild<QMenu*>(QStringLiteral("mnuOptions"))) {
        QAction* first = options->actions().value(0);
        options->insertAction(first, m_windowModes->alwaysOnTopAction());
        options->insertSeparator(first);
    }
    // After these options the user goes on typing in the document.
    for (QAction* option : {m_windowModes->alwaysOnTopAction(), m_mnuResClip}) {
        connect(option, &QAction::triggered, this, [this] { m_editor.setFocus(); });
    }
    connect(m_windowModes, &WindowModes::alwaysOnTopChanged, this, &MainWindow::alwaysOnTopChanged);
    connect(m_windowModes, &WindowModes::activated, this, &MainWindow::activated);
    // Connected before anyone else hears the request, so that the closing that ends the
    // program is not taken for the close box.
    connect(this, &MainWindow::exitRequested, this, [this] { m_exiting = true; });
    connect(m_windowModes, &WindowModes::exitRequested, this, &MainWindow::requestExit);
    connect(m_windowModes, &WindowModes::hidden, this, &MainWindow::hiddenToTray);
    connect(m_windowModes, &WindowModes::restored, this, &MainWindow::restoredFromTray);
    connect(m_windowModes, &WindowModes::plotWindowRequested, this,
            &MainWindow::plotWindowRequested);
    // The plot window goes and comes back with the main window and stays above other
    // windows while it does.
    m_plot.setAlwaysOnTop(m_windowModes->alwaysOnTop());
    connect(this, &MainWindow::alwaysOnTopChanged, this,
            [this](bool on) { m_plot.setAlwaysOnTop(on); });
    connect(this, &MainWindow::hiddenToTray, this, [this] {
        if (PlotWindow* plot = m_plot.window()) plot->hide();
    });
    connect(this, &MainWindow::plotWindowRequested, this, [this] {
        if (PlotWindow* plot = m_plot.window()) {
            plot->show();
            plot->raise();
        }
    });
}

void MainWindow::setMessages(Messages* messages) {
    m_editCommands->setMessages(messages);
}

void MainWindow::resetUndoHistory() {
    m_editCommands->history().reset();
}

bool MainWindow::isAlwaysOnTop() const {
    return m_windowModes->alwaysOnTop();
}

void MainWindow::setAlwaysOnTop(bool on) {
    m_windowModes->setAlwaysOnTop(on);
}

void MainWindow::prepareToolWindow(QWidget* window) {
    m_windowModes->prepareToolWindow(window);
}

void MainWindow::hideToTray() {
    m_windowModes->hideToTray();
}

}  // namespace tally
