#pragma once

#include <QDialog>

#include "session/removal.h"

class QListWidget;
class QPushButton;

namespace tally {

// The removal dialog (frmRemove): the user's functions, variables or added calculations in
// a list; the action button removes the selected ones through the removal model.
class RemovalDialog : public QDialog {
    Q_OBJECT
  public:
    explicit RemovalDialog(Removal removal, QWidget* parent = nullptr);

    QListWidget* list() { return m_list; }
    QPushButton* actionButton() { return m_action; }

  signals:
    // Entries were removed: the window's lists, menus and the saved file are due.
    void changed();

  private:
    void fillList();
    void removeSelected();

    Removal m_removal;
    QListWidget* m_list = nullptr;
    QPushButton* m_action = nullptr;
};

}  // namespace tally
