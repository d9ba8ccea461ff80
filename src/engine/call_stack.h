#pragma once

#include <cmath>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/engine_error.h"

namespace tally {

// Where an argument's text lies in the text being read: the arguments of a call are views
// into it, not copies, so a line of millions of arguments takes little more than itself.
struct ArgumentSpan {
    std::int32_t start = 0;
    std::int32_t length = 0;
};

// One call whose argument list is being read. A function of any number of arguments keeps
// their values in the frame (a list of millions takes eight bytes each) and only its first
// argument's level on the operand stack, for the dimension of the result; other calls keep
// each argument's level.
struct CallFrame {
    std::u16string_view source;  // the text the argument list is read from
    // The texts, kept for the calls that read them (solvers, user functions).
    std::vector<ArgumentSpan> argumentSpans;
    bool keepsTexts = true;
    bool compact = false;
    std::vector<int> argumentEnds;  // operand-stack height after each argument
    std::deque<double> values;      // a compact frame's values; NaN for an omitted one
    int argumentCount = 0;
    int argumentStart = 0;  // 1-based position where the next argument's text starts
    int baseHeight = 0;     // operand-stack height when the list opened
    bool pendingEmpty = false;
    EngineError errorAtStart = EngineError::None;  // the line's error when the list opened
    bool readingExpression = false;                // a solver's expression argument is being read

    std::u16string_view argumentText(int i) const {
        if (!keepsTexts) return {};
        const ArgumentSpan& span = argumentSpans[static_cast<std::size_t>(i - 1)];
        return source.substr(static_cast<std::size_t>(span.start),
                             static_cast<std::size_t>(span.length));
    }
    // The operand-stack height at which argument i (1-based) begins.
    int argumentBegin(int i) const { return i == 1 ? baseHeight : argumentEnds[i - 2]; }
    bool isEmpty(int i) const {
        if (compact) return std::isnan(values[static_cast<std::size_t>(i - 1)]);
        return argumentBegin(i) == argumentEnds[i - 1];
    }
};

// The codes of the calls in progress and their argument frames. Frames are reused so
// that a call allocates nothing once the stack has grown.
class CallStack {
  public:
    void clear() {
        m_kinds.clear();
        m_frameCount = 0;
    }
    void pushKind(std::int32_t code) { m_kinds.push_back(code); }
    void popKind() {
        if (!m_kinds.empty()) m_kinds.pop_back();
    }
    bool hasKind() const { return !m_kinds.empty(); }
    std::int32_t kind() const { return m_kinds.back(); }

    CallFrame& pushFrame(int position, int height) {
        if (m_frameCount == static_cast<int>(m_frames.size())) m_frames.emplace_back();
        CallFrame& f = m_frames[static_cast<std::size_t>(m_frameCount++)];
        f.source = {};
        f.argumentSpans.clear();
        f.keepsTexts = true;
        f.compact = false;
        f.values.clear();
        f.argumentEnds.clear();
        f.argumentCount = 0;
        f.argumentStart = position;
        f.baseHeight = height;
        f.pendingEmpty = false;
        f.errorAtStart = EngineError::None;
        f.readingExpression = false;
        return f;
    }
    void popFrame() {
        if (m_frameCount > 0) --m_frameCount;
    }
    bool hasFrame() const { return m_frameCount > 0; }
    int frameDepth() const { return m_frameCount; }
    int kindDepth() const { return static_cast<int>(m_kinds.size()); }
    // Drops whatever a parse that stopped half-way left open.
    void truncate(int kinds, int frames) {
        if (kinds < kindDepth()) m_kinds.resize(static_cast<std::size_t>(kinds));
        if (frames < m_frameCount) m_frameCount = frames;
    }
    CallFrame& frame() { return m_frames[static_cast<std::size_t>(m_frameCount - 1)]; }

  private:
    std::vector<std::int32_t> m_kinds;
    std::vector<CallFrame> m_frames;
    int m_frameCount = 0;
};

}  // namespace tally
