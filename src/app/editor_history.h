#pragma once

#include <QObject>
#include <string>

#include "document/undo_history.h"

namespace tally {

class DocumentEditor;

// Keeps the snapshot history in step with the document editor: every change of its text
// becomes a snapshot (format changes do not), and undo and redo put the text back and colour
// the restored lines again. The newest snapshot doubles as the document's text for searching.
class EditorHistory : public QObject {
    Q_OBJECT
  public:
    explicit EditorHistory(DocumentEditor& editor);

    // The document text as it stands, lines separated by "\n".
    const std::u16string& text() const { return m_history.text(); }
    const UndoHistory& history() const { return m_history; }

    // Starts again from the document as it stands (after a document was loaded).
    void reset();
    bool undo();
    bool redo();

  signals:
    // What can be undone or redone may have changed.
    void changed();

  private:
    void onContentsChange(int position, int removed, int added);
    void apply(const TextEdit& edit);
    // The document's characters from `from` to `to`, with "\n" between lines.
    std::u16string textBetween(int from, int to) const;
    int documentLength() const;

    DocumentEditor& m_editor;
    UndoHistory m_history;
};

}  // namespace tally
