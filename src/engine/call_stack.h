#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_error.h"

namespace tally {

// One call whose argument list is being read.
struct CallFrame {
    std::vector<std::u16string> argumentTexts;
    std::vector<int> argumentEnds;  // operand-stack height after each argument
    int argumentCount = 0;
    int argumentStart = 0;  // 1-based position where the next argument's text starts
    int baseHeight = 0;     // operand-stack height when the list opened
    bool pendingEmpty = false;
    EngineError errorAtStart = EngineError::None;  // the line's error when the list opened
    bool readingExpression = false;                // a solver's expression argument is being read

    // The operand-stack height at which argument i (1-based) begins.
    int argumentBegin(int i) const { return i == 1 ? baseHeight : argumentEnds[i - 2]; }
    bool isEmpty(int i) const { return argumentBegin(i) == argumentEnds[i - 1]; }
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
        f.argumentTexts.clear();
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
