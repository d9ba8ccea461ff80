#pragma once

#include <QDialog>

class QFileSystemModel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeView;

namespace tally {

// The choice of a subject file (frmPath, "Предметная область"): folders and subject files
// to pick from, the path, the menus' font size, the display as cascading windows or as
// menus, and "Новая" (read the file instead of the current subjects), "Добавить" (add it
// to them) and "Закрыть".
class SubjectPathDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Choice { None, New, Add };

    SubjectPathDialog(const QString& path, int fontSize, bool cascade, QWidget* parent = nullptr);

    QString path() const;
    int fontSize() const;
    bool cascade() const;
    // The button that closed the dialog.
    Choice choice() const { return m_choice; }

    QLineEdit* pathBox() { return m_path; }
    QPushButton* newButton() { return m_new; }
    QPushButton* addButton() { return m_add; }

  private:
    void showFolder(const QString& folder);
    void updateButtons();
    void finish(Choice choice);

    QFileSystemModel* m_folders = nullptr;
    QFileSystemModel* m_files = nullptr;
    QTreeView* m_folderView = nullptr;
    QListView* m_fileView = nullptr;
    QLineEdit* m_path = nullptr;
    QSpinBox* m_fontSize = nullptr;
    QRadioButton* m_cascade = nullptr;
    QRadioButton* m_menu = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_add = nullptr;
    Choice m_choice = Choice::None;
};

}  // namespace tally
