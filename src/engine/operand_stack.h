#pragma once

#include <cstddef>
#include <memory>
#include <vector>

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

// The operands of the expressions being read. Levels live in blocks that never move, so a
// reference to a level holds while others are pushed, and a level left by one line is
// reused by the next instead of being made again.
class OperandStack {
  public:
    int height() const { return m_height; }
    bool empty() const { return m_height == 0; }
    OperandLevel& top() { return at(m_height - 1); }
    const OperandLevel& top() const { return at(m_height - 1); }
    // 0-based from the bottom.
    OperandLevel& at(int index) {
        auto i = static_cast<std::size_t>(index);
        return m_blocks[i / kBlockSize][i % kBlockSize];
    }
    const OperandLevel& at(int index) const {
        auto i = static_cast<std::size_t>(index);
        return m_blocks[i / kBlockSize][i % kBlockSize];
    }

    void push(OperandLevel level) { pushNew() = std::move(level); }
    // A new level on top: the number 0 without a dimension.
    OperandLevel& pushNew() {
        if (static_cast<std::size_t>(m_height) == m_blocks.size() * kBlockSize) addBlock();
        OperandLevel& level = at(m_height++);
        level.value = 0;
        level.reference = -1;
        level.dimension.clear();
        return level;
    }
    void pop() {
        if (m_height > 0) --m_height;
    }
    void popTo(int height) {
        if (height < 0) height = 0;
        if (height < m_height) m_height = height;
    }
    // Empties the stack; the room of a few blocks is kept for the next line, the rest given
    // back, so that one huge expression does not hold its room to the end.
    void clear() {
        m_height = 0;
        if (m_blocks.size() > kBlocksKept) m_blocks.resize(kBlocksKept);
    }

  private:
    // Out of line: the common push stays small.
    [[gnu::noinline]] void addBlock() {
        m_blocks.push_back(std::make_unique<OperandLevel[]>(kBlockSize));
    }

    static constexpr std::size_t kBlockSize = 64;
    static constexpr std::size_t kBlocksKept = 4;

    std::vector<std::unique_ptr<OperandLevel[]>> m_blocks;
    int m_height = 0;
};

}  // namespace tally
