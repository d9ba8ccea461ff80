#pragma once

#include <QList>
#include <QObject>

#include "session/definitions_editor.h"
#include "session/removal.h"

class QAction;

namespace tally {

class MainWindow;
class Session;
class UnitsListWindow;

// The Options menu's commands for the user's definitions: the definitions editor in its
// four modes, the removal dialog in its three, and the list of all units. Whatever the
// dialogs change shows at once in the window's menus and lists and is saved like any other
// change.
class DefinitionsDialogs : public QObject {
    Q_OBJECT
  public:
    DefinitionsDialogs(Session& session, MainWindow& window);
    ~DefinitionsDialogs() override;

    // "Показать все элементарные единицы измерения...", "Размерности результатов
    // вычислений...".
    QList<QAction*> unitActions() const { return m_unitActions; }
    // The editor's three list modes and the three removals.
    QList<QAction*> editingActions() const { return m_editingActions; }

    // Each is refused (with a beep) while a calculation runs, since the tables it changes
    // are in use.
    void openEditor(DefinitionsMode mode);
    void openRemoval(RemovalMode mode);
    void openUnitsList();
    UnitsListWindow* unitsList() { return m_unitsList; }

  private:
    bool busy() const;
    void showChanges();

    Session& m_session;
    MainWindow& m_window;
    QList<QAction*> m_unitActions;
    QList<QAction*> m_editingActions;
    UnitsListWindow* m_unitsList = nullptr;  // made at the first opening, kept for the run
};

}  // namespace tally
