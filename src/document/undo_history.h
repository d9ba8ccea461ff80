#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace tally {

// The editor text at one moment, with the caret as it stood then.
struct UndoElement {
    std::u16string text;
    int selStart = 0;
    int textLen = 0;
};

// The edit that takes the editor from one snapshot to another: `removed` characters at
// `position` give way to `inserted`, and the caret goes to `caret`.
struct TextEdit {
    int position = 0;
    int removed = 0;
    std::u16string inserted;
    int caret = 0;
};

// The edit that turns `from` into `to`. Neighbouring snapshots differ by one insertion or
// deletion that ends at the caret of the longer one; when the texts say otherwise (the
// caret had moved, or a selection was typed over) the edit is read from the texts
// themselves, so that undoing never damages the document.
TextEdit editBetween(const UndoElement& from, const UndoElement& to);

// Snapshot undo and redo: every change of the document text appends a snapshot; undo and
// redo step through them. The newest snapshot always holds the text as it stands.
class UndoHistory {
  public:
    // Changes that can be undone; one snapshot more is kept as the text before the oldest.
    static constexpr std::size_t kUndoLimit = 20;

    UndoHistory() { reset(u"", 0); }

    // Starts again from the text as it stands: nothing to undo or redo.
    void reset(std::u16string text, int caret);
    // A change of the text: `removed` characters at `position` were replaced by `inserted`,
    // and the caret stands at `caret`. Ignored while not recording.
    void recordChange(int position, int removed, std::u16string_view inserted, int caret);
    // A change known only by the text it left.
    void recordText(std::u16string text, int caret);

    // The text of the newest snapshot: the document as it stands while changes are recorded.
    const std::u16string& text() const { return m_undo.back().text; }

    bool recording() const { return m_recording; }
    void setRecording(bool on) { m_recording = on; }
    bool canUndo() const { return m_recording && m_undo.size() >= 2; }
    bool canRedo() const { return m_recording && !m_redo.empty(); }
    std::size_t undoCount() const { return m_undo.size() - 1; }
    std::size_t redoCount() const { return m_redo.size(); }

    // The edit that undoes (or redoes) the newest change, which moves to the other list; the
    // caller applies it with recording off. Nothing when there is nothing to do.
    std::optional<TextEdit> undo();
    std::optional<TextEdit> redo();

  private:
    void append(UndoElement element);

    std::deque<UndoElement> m_undo;
    std::deque<UndoElement> m_redo;
    bool m_recording = true;
};

// Switches recording off while an undo or redo changes the document.
class PausedRecording {
  public:
    explicit PausedRecording(UndoHistory& history) : m_history(history) {
        m_history.setRecording(false);
    }
    ~PausedRecording() { m_history.setRecording(true); }
    PausedRecording(const PausedRecording&) = delete;
    PausedRecording& operator=(const PausedRecording&) = delete;

  private:
    UndoHistory& m_history;
};

}  // namespace tally
