#pragma once

#include <QDialog>

#include "session/definitions_editor.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tally {

class Messages;

// The definitions editor (frmUser, "Правка"): the user's constants, units, expressions or
// result dimensions in a list, three boxes to edit a record and the buttons that add,
// replace and delete. It only shows the editor model; every change goes through it.
class DefinitionsDialog : public QDialog {
    Q_OBJECT
  public:
    DefinitionsDialog(DefinitionsEditor editor, Messages& messages, QWidget* parent = nullptr);

    QListWidget* list() { return m_list; }
    QLineEdit* text(int index);
    QCheckBox* inUse() { return m_inUse; }

  signals:
    // A record was added, replaced or deleted: menus and the saved file are due.
    void changed();

  private:
    void fillList(int selectRow);
    void showSelection();
    void updateButtons();
    DefinitionFields typedFields() const;
    int selectedRow() const;

    void add();
    void replace();
    void remove();
    void translate();

    DefinitionsEditor m_editor;
    Messages& m_messages;
    QGroupBox* m_frame = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_labels[3] = {};
    QLineEdit* m_texts[3] = {};
    QCheckBox* m_inUse = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_translate = nullptr;
};

}  // namespace tally
