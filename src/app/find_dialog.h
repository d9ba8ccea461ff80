#pragma once

#include <QDialog>

#include "document/text_search.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tally {

// The find and replace dialog (frmFind): modeless, owned by the main window. It edits the
// shared search state; the searching and replacing in the document are its owner's.
class FindDialog : public QDialog {
    Q_OBJECT
  public:
    FindDialog(SearchState& state, QWidget* parent);

    // Shows the dialog for finding `text`, with the replacement field hidden.
    void openFor(const QString& text);
    // The replace button's first press: shows the replacement field.
    void revealReplace();
    bool replaceHidden() const { return m_replaceHidden; }

    QString findText() const;
    QString replaceText() const;
    QLineEdit* findField() { return m_txtFind; }
    QLineEdit* replaceField() { return m_txtReplace; }
    QPushButton* findButton() { return m_cmdFind; }
    QPushButton* replaceButton() { return m_cmdReplace; }

  signals:
    void findNextRequested();
    void replaceRequested();

  protected:
    // However the dialog goes away, the search text and the case option are kept.
    void hideEvent(QHideEvent* event) override;

  private:
    void storeState();

    SearchState& m_state;
    bool m_replaceHidden = true;
    QLineEdit* m_txtFind = nullptr;
    QLabel* m_lblReplace = nullptr;
    QLineEdit* m_txtReplace = nullptr;
    QCheckBox* m_chkMatchCase = nullptr;
    QRadioButton* m_optBackward = nullptr;
    QRadioButton* m_optForward = nullptr;
    QPushButton* m_cmdFind = nullptr;
    QPushButton* m_cmdReplace = nullptr;
};

}  // namespace tally
