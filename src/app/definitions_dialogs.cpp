#include "app/definitions_dialogs.h"

#include <QAction>
#include <QApplication>

#include "app/definitions_dialog.h"
#include "app/main_window.h"
#include "app/removal_dialog.h"
#include "app/units_list_window.h"
#include "session/session.h"

namespace tally {

DefinitionsDialogs::DefinitionsDialogs(Session& session, MainWindow& window)
    : QObject(&window), m_session(session), m_window(window) {
    auto action = [this](const char* name, const QString& caption, auto open) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, open);
        return a;
    };
    auto editor = [this](DefinitionsMode mode) { return [this, mode] { openEditor(mode); }; };
    auto removal = [this](RemovalMode mode) { return [this, mode] { openRemoval(mode); }; };
    m_unitActions = {
        action("mnuAllUnits", QStringLiteral("Показать все элементарные единицы измерения..."),
               [this] { openUnitsList(); }),
        action("mnuCompoundUnits", QStringLiteral("Размерности результатов вычислений..."),
               editor(DefinitionsMode::ResultDimensions)),
    };
    m_editingActions = {
        action("mnuSetUserConst", QStringLiteral("Править константы, сохраненные пользователем..."),
               editor(DefinitionsMode::Constants)),
        action("mnuSetUserConv",
               QStringLiteral("Править размерности, объявленные пользователем..."),
               editor(DefinitionsMode::Units)),
        action("mnuSetUserFunc", QStringLiteral("Править выражения, сохраненные пользователем..."),
               editor(DefinitionsMode::Expressions)),
        action("mnuClearVars", QStringLiteral("Освободить переменные..."),
               removal(RemovalMode::Variables)),
        action("mnuRemUser", QStringLiteral("Удалить функции, объявленные пользователем..."),
               removal(RemovalMode::UserFunctions)),
        action("mnuRemSolutions", QStringLiteral("Удалить дополнительные вычисления..."),
               removal(RemovalMode::AddedCalculations)),
    };
}

DefinitionsDialogs::~DefinitionsDialogs() = default;

bool DefinitionsDialogs::busy() const {
    if (!m_session.engine().calculating()) return false;
    QApplication::beep();
    return true;
}

void DefinitionsDialogs::showChanges() {
    m_window.buildMenus(m_session.catalogue());
    m_window.refreshLists();
    m_window.showResultBox();
    emit m_window.workChanged();
}

void DefinitionsDialogs::openEditor(DefinitionsMode mode) {
    if (busy()) return;
    DefinitionsDialog dialog(DefinitionsEditor(mode, m_session.definitionsSession()),
                             m_session.messages(), &m_window);
    connect(&dialog, &DefinitionsDialog::changed, this, &DefinitionsDialogs::showChanges);
    dialog.exec();
}

void DefinitionsDialogs::openRemoval(RemovalMode mode) {
    if (busy()) return;
    RemovalDialog dialog(Removal(mode, m_session.definitionsSession()), &m_window);
    connect(&dialog, &RemovalDialog::changed, this, &DefinitionsDialogs::showChanges);
    dialog.exec();
}

void DefinitionsDialogs::openUnitsList() {
    if (busy()) return;
    if (m_unitsList == nullptr) {
        // A window of its own that stays above the main window and goes with it.
        m_unitsList = new UnitsListWindow(m_session.engine(), m_window, &m_window);
        m_unitsList->setWindowFlag(Qt::Window);
        m_window.prepareToolWindow(m_unitsList);
    }
    m_unitsList->open();
}

}  // namespace tally
