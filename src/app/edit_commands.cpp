#include "app/edit_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <map>
#include <string>

#include "app/document_editor.h"
#include "app/find_dialog.h"
#include "app/qt_text.h"

namespace tally {

namespace {

// The selection as plain text with "\n" between its lines.
QString selectedPlainText(const QTextCursor& cursor) {
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void addShortcut(QAction& action, const QKeySequence& key) {
    QList<QKeySequence> keys = action.shortcuts();
    if (!keys.contains(key)) keys.append(key);
    action.setShortcuts(keys);
}

}  // namespace

EditCommands::EditCommands(DocumentEditor& editor, QLineEdit& decimalField, QWidget& window,
                           Hooks hooks)
    : QObject(&window),
      m_editor(editor),
      m_decimalField(decimalField),
      m_window(window),
      m_hooks(std::move(hooks)),
      m_history(editor),
      m_printer(editor, &window) {
    buildActions();
    m_editor.installEventFilter(this);
    m_editor.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_editor, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        m_popup->popup(m_editor.viewport()->mapToGlobal(position));
    });
    connect(&m_history, &EditorHistory::changed, this, &EditCommands::updateUndoActions);
    updateUndoActions();
}

void EditCommands::buildActions() {
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence::StandardKey key;
        // The document editor has its own handling of the key, which the command replaces.
        bool editorKey;
        void (EditCommands::*command)();
    };
    static const Item items[] = {
        {"mnuEditUndo", "Отменить", QKeySequence::Undo, true, &EditCommands::undo},
        {"mnuEditRedo", "Восстановить", QKeySequence::Redo, true, &EditCommands::redo},
        {"mnuEditCut", "Вырезать", QKeySequence::Cut, true, &EditCommands::cut},
        {"mnuEditCopy", "Копировать", QKeySequence::Copy, true, &EditCommands::copy},
        {"mnuEditPaste", "Вставить", QKeySequence::Paste, true, &EditCommands::paste},
        // Delete has no key: the Delete key keeps deleting the character after the caret.
        {"mnuEditDelete", "Удалить", QKeySequence::UnknownKey, false,
         &EditCommands::deleteSelection},
        {"mnuEditSelectAll", "Выделить все", QKeySequence::SelectAll, true,
         &EditCommands::selectAll},
        {"mnuEditFind", "Найти", QKeySequence::Find, false, &EditCommands::find},
        {"mnuEditFindNext", "Найти далее", QKeySequence::FindNext, false, &EditCommands::findNext},
        {"mnuEditReplace", "Заменить", QKeySequence::Replace, false, &EditCommands::replace},
        {"mnuEditPrint", "Печать", QKeySequence::Print, false, &EditCommands::print},
    };
    std::map<std::string, QAction*> actions;
    for (const Item& item : items) {
        auto* action = new QAction(QString::fromUtf8(item.caption), this);
        action->setObjectName(QString::fromLatin1(item.name));
        if (item.key != QKeySequence::UnknownKey) action->setShortcuts(item.key);
        // Keys that some desktops leave without a binding get the common ones.
        if (item.key == QKeySequence::Redo)
            addShortcut(*action, QKeySequence(Qt::CTRL | Qt::Key_Y));
        if (item.key == QKeySequence::Replace)
            addShortcut(*action, QKeySequence(Qt::CTRL | Qt::Key_H));
        connect(action, &QAction::triggered, this, item.command);
        actions[item.name] = action;
        if (item.editorKey) m_editorKeys.emplace_back(action, item.key);
    }
    m_mnuEditUndo = actions["mnuEditUndo"];
    m_mnuEditRedo = actions["mnuEditRedo"];

    m_menu = new QMenu(QStringLiteral("Правка"), &m_window);
    m_menu->setObjectName(QStringLiteral("mnuEdit"));
    m_popup = new QMenu(&m_window);
    m_popup->setObjectName(QStringLiteral("pmnuEdit"));
    static const char* const order[] = {"mnuEditUndo",    "mnuEditRedo", nullptr,
                                        "mnuEditCut",     "mnuEditCopy", "mnuEditPaste",
                                        "mnuEditDelete",  nullptr,       "mnuEditSelectAll",
                                        nullptr,          "mnuEditFind", "mnuEditFindNext",
                                        "mnuEditReplace", nullptr,       "mnuEditPrint"};
    for (QMenu* menu : {m_menu, m_popup}) {
        for (const char* name : order) {
            if (name) {
                menu->addAction(actions[name]);
            } else {
                menu->addSeparator();
            }
        }
    }
}

bool EditCommands::editorIdle() const {
    return m_idle && !(m_hooks.calculationRunning && m_hooks.calculationRunning());
}

void EditCommands::updateUndoActions() {
    m_mnuEditUndo->setEnabled(m_history.history().canUndo());
    m_mnuEditRedo->setEnabled(m_history.history().canRedo());
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_editor && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        for (const auto& [action, standardKey] : m_editorKeys) {
            if (key->matches(standardKey)) {
                action->trigger();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void EditCommands::copy() {
    if (!editorIdle()) return;
    QTextCursor cursor = m_editor.textCursor();
    // Copying nothing leaves the clipboard as it was.
    if (!cursor.hasSelection()) return;
    SeparatorConversion separators =
        m_hooks.separators ? m_hooks.separators() : SeparatorConversion{};
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(
        toQString(toClipboardNotation(toU16(selectedPlainText(cursor)), separators)));
}

void EditCommands::cut() {
    if (!editorIdle() || !m_editor.textCursor().hasSelection()) return;
    copy();
    replaceSelection(QString());
}

void EditCommands::paste() {
    if (!editorIdle()) return;
    QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) return;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    SeparatorConversion separators =
        m_hooks.separators ? m_hooks.separators() : SeparatorConversion{};
    replaceSelection(toQString(fromClipboardNotation(toU16(text), separators)));
}

void EditCommands::deleteSelection() {
    if (!editorIdle() || !m_editor.textCursor().hasSelection()) return;
    replaceSelection(QString());
}

void EditCommands::selectAll() {
    m_editor.selectAll();
}

void EditCommands::replaceSelection(const QString& text) {
    QTextCursor cursor = m_editor.textCursor();
    const int start = cursor.selectionStart();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    m_editor.setTextCursor(cursor);
    m_editor.insertText(toU16(text));
    cursor.endEditBlock();
    // Every line the text now spans is coloured, not only the one the caret ends on.
    QTextDocument* document = m_editor.document();
    QTextBlock last = m_editor.textCursor().block();
    for (QTextBlock block = document->findBlock(start); block.isValid(); block = block.next()) {
        m_editor.colourBlock(block);
        if (block == last) break;
    }
    m_editor.ensureCursorVisible();
}

FindDialog& EditCommands::ensureFindDialog() {
    if (!m_findDialog) {
        m_findDialog = new FindDialog(m_search, &m_window);
        connect(m_findDialog, &FindDialog::findNextRequested, this, [this] {
            if (editorIdle()) runSearchStep();
        });
        connect(m_findDialog, &FindDialog::replaceRequested, this, &EditCommands::replaceStep);
    }
    return *m_findDialog;
}

void EditCommands::find() {
    if (!editorIdle()) return;
    FindDialog& dialog = ensureFindDialog();
    QTextCursor cursor = m_editor.textCursor();
    QString selected = selectedPlainText(cursor);
    // A selection of several lines cannot be a search text of one line.
    QString text = cursor.hasSelection() && !selected.contains(u'\n')
                       ? selected
                       : toQString(m_search.findText);
    if (m_hooks.prepareToolWindow) m_hooks.prepareToolWindow(&dialog);
    dialog.openFor(text);
}

void EditCommands::findNext() {
    if (!editorIdle()) return;
    if (m_findDialog && m_findDialog->isVisible()) {
        m_search.findText = toU16(m_findDialog->findText());
    }
    if (m_search.findText.empty()) {
        find();
        return;
    }
    runSearchStep();
}

void EditCommands::replace() {
    if (!editorIdle()) return;
    find();
    m_findDialog->revealReplace();
}

void EditCommands::runSearchStep() {
    m_idle = false;
    QTextCursor cursor = m_editor.textCursor();
    const int caret = cursor.selectionStart();
    std::optional<SearchMatch> match =
        searchStep(m_search, m_history.text(), caret, cursor.selectionEnd() - caret);
    if (match) {
        cursor.setPosition(match->start);
        cursor.setPosition(match->start + match->length, QTextCursor::KeepAnchor);
        m_editor.setTextCursor(cursor);
        m_editor.ensureCursorVisible();
    } else {
        m_decimalField.setText(toQString(kSearchWrapQuestion));
    }
    m_idle = true;
}

void EditCommands::replaceStep() {
    if (!editorIdle() || !m_findDialog) return;
    m_idle = false;
    const QString findText = m_findDialog->findText();
    const QString replacement = m_findDialog->replaceText();
    QTextCursor cursor = m_editor.textCursor();
    // Only an occurrence of the search text is replaced, never another selection.
    if (cursor.hasSelection() && cursor.selectedText() != replacement &&
        isSearchMatch(toU16(cursor.selectedText()), toU16(findText), m_search.matchCase)) {
        const int start = cursor.selectionStart();
        replaceSelection(replacement);
        // Searching backwards goes on before the replacement, not into it.
        if (m_search.direction == SearchDirection::Backward) {
            QTextCursor before = m_editor.textCursor();
            before.setPosition(start);
            m_editor.setTextCursor(before);
        }
    }
    m_search.findText = toU16(findText);
    runSearchStep();
}

void EditCommands::undo() {
    if (editorIdle()) m_history.undo();
}

void EditCommands::redo() {
    if (editorIdle()) m_history.redo();
}

void EditCommands::print() {
    m_printer.print();
}

}  // namespace tally
