#pragma once

#include <deque>

#include "engine/dimension.h"

namespace tally {

// One level of the operand stack: a quantity, and for the bound variable of a solver call
// the symbol-table entry it stands for.
struct OperandLevel {
    double value = 0;
    int reference = -1;  // the EntryRef index of the bound variable, or -1
    DimensionVector dimension;

    bool isReference() const { return reference >= 0; }
};

class OperandStack {
  public:
    int height() const { return static_cast<int>(m_levels.size()); }
    bool empty() const { return m_levels.empty(); }
    OperandLevel& top() { return m_levels.back(); }
    const OperandLevel& top() const { return m_levels.back(); }
    // 0-based from the bottom.
    OperandLevel& at(int index) { return m_levels[static_cast<std::size_t>(index)]; }

    void push(OperandLevel level) { m_levels.push_back(std::move(level)); }
    // A new level on top, made in place.
    OperandLevel& pushNew() { return m_levels.emplace_back(); }
    void pop() {
        if (!m_levels.empty()) m_levels.pop_back();
    }
    void popTo(int height) {
        if (height < 0) height = 0;
        if (height < this->height()) m_levels.resize(static_cast<std::size_t>(height));
    }
    void clear() { m_levels.clear(); }

  private:
    // A deque grows without copying what it holds, so a call of millions of arguments
    // never needs twice their room.
    std::deque<OperandLevel> m_levels;
};

}  // namespace tally
