#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

#include "app/document_printer.h"
#include "app/editor_history.h"
#include "app/find_dialog.h"
#include "document/separator_conversion.h"
#include "document/text_search.h"

class QAction;
class QLineEdit;
class QMenu;
class QWidget;

namespace tally {

class DocumentEditor;
class Messages;

// The Edit menu of the document and its pop-up copy: clipboard commands with the separator
// conversion, delete and select all, find and replace, undo and redo, printing. Commands
// that change the document or the selection wait while the editor is busy (a calculation
// runs, or a search or replacement is under way).
class EditCommands : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<bool()> calculationRunning;
        std::function<SeparatorConversion()> separators;
        // Called before a tool window of these commands (the find dialog) is shown.
        std::function<void(QWidget*)> prepareToolWindow;
    };

    EditCommands(DocumentEditor& editor, QLineEdit& decimalField, QWidget& window, Hooks hooks);

    QMenu* menu() { return m_menu; }
    QMenu* popupMenu() { return m_popup; }
    EditorHistory& history() { return m_history; }
    SearchState& search() { return m_search; }
    FindDialog* findDialog() { return m_findDialog; }
    DocumentPrinter& printer() { return m_printer; }
    void setMessages(Messages* messages) { m_printer.setMessages(messages); }

    bool editorIdle() const;

  public slots:
    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void selectAll();
    void find();
    void findNext();
    void replace();
    void undo();
    void redo();
    void print();

  protected:
    // Keys of the clipboard and undo commands typed in the document come here rather than to
    // the editor's own handling.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildActions();
    void updateUndoActions();
    FindDialog& ensureFindDialog();
    void runSearchStep();
    void replaceStep();
    // Replaces the selection by `text` as one change and colours the lines it now spans.
    void replaceSelection(const QString& text);

    DocumentEditor& m_editor;
    QLineEdit& m_decimalField;
    QWidget& m_window;
    Hooks m_hooks;
    EditorHistory m_history;
    DocumentPrinter m_printer;
    SearchState m_search;
    QPointer<FindDialog> m_findDialog;
    bool m_idle = true;

    QMenu* m_menu = nullptr;
    QMenu* m_popup = nullptr;
    QAction* m_mnuEditUndo = nullptr;
    QAction* m_mnuEditRedo = nullptr;
    std::vector<std::pair<QAction*, QKeySequence::StandardKey>> m_editorKeys;
};

}  // namespace tally
