#include "app/editor_history.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/document_editor.h"
#include "app/qt_text.h"

namespace tally {

EditorHistory::EditorHistory(DocumentEditor& editor) : m_editor(editor) {
    // The editor's own undo would keep a second, unbounded history of every format change.
    m_editor.setUndoRedoEnabled(false);
    connect(m_editor.document(), &QTextDocument::contentsChange, this,
            &EditorHistory::onContentsChange);
    reset();
}

int EditorHistory::documentLength() const {
    // The document counts one paragraph end more than it shows.
    return m_editor.document()->characterCount() - 1;
}

std::u16string EditorHistory::textBetween(int from, int to) const {
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    std::u16string text = toU16(cursor.selectedText());
    for (char16_t& c : text) {
        if (c == QChar::ParagraphSeparator) c = u'\n';
    }
    return text;
}

void EditorHistory::reset() {
    m_history.reset(textBetween(0, documentLength()), m_editor.textCursor().position());
    emit changed();
}

void EditorHistory::onContentsChange(int position, int removed, int added) {
    if (m_editor.isColouring() || !m_history.recording()) return;
    const std::u16string& before = m_history.text();
    const int oldLength = static_cast<int>(before.size());
    const int newLength = documentLength();
    const int caret = m_editor.textCursor().position();
    // The document may count its final paragraph end into the change; what lies beyond the
    // text on either side is left out.
    const int removedHere = std::min(removed, oldLength - position);
    const int addedHere = std::min(added, newLength - position);
    if (position < 0 || removedHere < 0 || addedHere < 0 ||
        oldLength - removedHere + addedHere != newLength) {
        m_history.recordText(textBetween(0, newLength), caret);
        emit changed();
        return;
    }
    std::u16string inserted = textBetween(position, position + addedHere);
    // Colours and fonts changed, not the text.
    if (removedHere == addedHere &&
        before.compare(static_cast<std::size_t>(position), inserted.size(), inserted) == 0) {
        return;
    }
    m_history.recordChange(position, removedHere, inserted, caret);
    emit changed();
}

bool EditorHistory::undo() {
    std::optional<TextEdit> edit = m_history.undo();
    if (edit) apply(*edit);
    emit changed();
    return edit.has_value();
}

bool EditorHistory::redo() {
    std::optional<TextEdit> edit = m_history.redo();
    if (edit) apply(*edit);
    emit changed();
    return edit.has_value();
}

void EditorHistory::apply(const TextEdit& edit) {
    {
        PausedRecording paused(m_history);
        QTextDocument* document = m_editor.document();
        QTextCursor cursor(document);
        cursor.beginEditBlock();
        cursor.setPosition(edit.position);
        cursor.setPosition(edit.position + edit.removed, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_editor.setTextCursor(cursor);
        m_editor.insertText(edit.inserted);
        cursor.endEditBlock();
        cursor.setPosition(edit.caret);
        m_editor.setTextCursor(cursor);
        // The restored lines are coloured again.
        QTextBlock last = document->findBlock(edit.caret);
        for (QTextBlock block = document->findBlock(edit.position); block.isValid();
             block = block.next()) {
            m_editor.colourBlock(block);
            if (block == last) break;
        }
        m_editor.ensureCursorVisible();
    }
    // The history and the document tell the same text; if they ever did not, the history
    // starts again from the document rather than undo into a text it no longer matches.
    if (static_cast<int>(m_history.text().size()) != documentLength()) reset();
}

}  // namespace tally
