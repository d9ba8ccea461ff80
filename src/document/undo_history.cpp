#include "document/undo_history.h"

#include <algorithm>

namespace tally {

namespace {

int lengthOf(const std::u16string& text) {
    return static_cast<int>(text.size());
}

// Whether `shorter` is `longer` without the `count` characters at `position`.
bool differsBySpan(std::u16string_view longer, std::u16string_view shorter, int position,
                   int count) {
    if (position < 0 || count < 0 || position + count > static_cast<int>(longer.size()) ||
        longer.size() - static_cast<std::size_t>(count) != shorter.size()) {
        return false;
    }
    auto p = static_cast<std::size_t>(position);
    return longer.substr(0, p) == shorter.substr(0, p) &&
           longer.substr(p + static_cast<std::size_t>(count)) == shorter.substr(p);
}

// The edit read from the texts alone: what lies between their common beginning and end.
TextEdit differenceOf(std::u16string_view from, std::u16string_view to) {
    std::size_t shorter = std::min(from.size(), to.size());
    std::size_t prefix = 0;
    while (prefix < shorter && from[prefix] == to[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix &&
           from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix]) {
        ++suffix;
    }
    TextEdit edit;
    edit.position = static_cast<int>(prefix);
    edit.removed = static_cast<int>(from.size() - prefix - suffix);
    edit.inserted = std::u16string(to.substr(prefix, to.size() - prefix - suffix));
    edit.caret = edit.position + static_cast<int>(edit.inserted.size());
    return edit;
}

}  // namespace

TextEdit editBetween(const UndoElement& from, const UndoElement& to) {
    const bool inserting = to.text.size() > from.text.size();
    const UndoElement& longer = inserting ? to : from;
    const UndoElement& shorter = inserting ? from : to;
    const int count = lengthOf(longer.text) - lengthOf(shorter.text);
    const int position = longer.selStart - count;
    if (count > 0 && differsBySpan(longer.text, shorter.text, position, count)) {
        TextEdit edit;
        edit.position = position;
        if (inserting) {
            edit.inserted =
                to.text.substr(static_cast<std::size_t>(position), static_cast<std::size_t>(count));
        } else {
            edit.removed = count;
        }
        edit.caret = position + static_cast<int>(edit.inserted.size());
        return edit;
    }
    return differenceOf(from.text, to.text);
}

void UndoHistory::reset(std::u16string text, int caret) {
    m_undo.clear();
    m_redo.clear();
    int length = lengthOf(text);
    m_undo.push_back(UndoElement{std::move(text), caret, length});
}

void UndoHistory::append(UndoElement element) {
    while (m_undo.size() > kUndoLimit)
        m_undo.pop_front();
    m_redo.clear();
    m_undo.push_back(std::move(element));
}

void UndoHistory::recordChange(int position, int removed, std::u16string_view inserted, int caret) {
    if (!m_recording) return;
    const std::u16string& current = text();
    auto start = static_cast<std::size_t>(std::clamp(position, 0, lengthOf(current)));
    auto count = std::min(static_cast<std::size_t>(std::max(removed, 0)), current.size() - start);
    std::u16string changed;
    changed.reserve(current.size() - count + inserted.size());
    changed.append(current, 0, start);
    changed.append(inserted);
    changed.append(current, start + count);
    recordText(std::move(changed), caret);
}

void UndoHistory::recordText(std::u16string text, int caret) {
    if (!m_recording) return;
    int length = lengthOf(text);
    append(UndoElement{std::move(text), caret, length});
}

std::optional<TextEdit> UndoHistory::undo() {
    if (!canUndo()) return std::nullopt;
    UndoElement newest = std::move(m_undo.back());
    m_undo.pop_back();
    TextEdit edit = editBetween(newest, m_undo.back());
    m_redo.push_back(std::move(newest));
    return edit;
}

std::optional<TextEdit> UndoHistory::redo() {
    if (!canRedo()) return std::nullopt;
    UndoElement next = std::move(m_redo.back());
    m_redo.pop_back();
    TextEdit edit = editBetween(m_undo.back(), next);
    m_undo.push_back(std::move(next));
    return edit;
}

}  // namespace tally
