#pragma once

#include <QAbstractTableModel>
#include <QMainWindow>
#include <memory>

#include "session/units_list.h"

class QAction;
class QLineEdit;
class QTreeView;

namespace tally {

class Engine;
class MainWindow;

// The rows of a UnitsList as a view sees them: the unit's row and its value in base units.
class UnitsListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows another list (none: empty).
    void setList(UnitsList* list);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The registration-order number of the row shown at `index`.
    int unitRow(const QModelIndex& index) const;
    // Runs a change of the list's order or filter as a reset of the view.
    template <class Change>
    void change(Change change) {
        if (m_list == nullptr) return;
        beginResetModel();
        change(*m_list);
        endResetModel();
    }

  private:
    UnitsList* m_list = nullptr;
};

// The list of all units (frmUnits): every registered unit with its definition and its
// value in base units, narrowed by a filter, sorted or in registration order. A double
// click (or Enter) inserts the unit's name into the document, wrapped as the Brackets
// option says; that option also governs the unit menus.
class UnitsListWindow : public QMainWindow {
    Q_OBJECT
  public:
    UnitsListWindow(Engine& engine, MainWindow& window, QWidget* parent = nullptr);
    ~UnitsListWindow() override;

    // Fills the list anew (units defined since the last opening appear) and shows it.
    void open();

    QLineEdit* filterBox() { return m_filter; }
    QTreeView* view() { return m_view; }
    QAction* sortedAction() { return m_sorted; }
    QAction* bracketsAction() { return m_brackets; }
    // The list while the window is open.
    const UnitsList* list() const { return m_list.get(); }
    // Inserts the unit of the row shown at `index`.
    void insertRow(const QModelIndex& index);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void setSorted(bool sorted);
    void setBrackets(bool on);
    void selectUnit(int unitRow);
    void showCount();

    Engine& m_engine;
    MainWindow& m_window;
    std::unique_ptr<UnitsList> m_list;
    UnitsListModel* m_model = nullptr;
    QLineEdit* m_filter = nullptr;
    QTreeView* m_view = nullptr;
    QAction* m_sorted = nullptr;
    QAction* m_brackets = nullptr;
    bool m_openedBefore = false;
};

}  // namespace tally
