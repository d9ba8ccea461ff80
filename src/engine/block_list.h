#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace tally {

// A list that grows a block at a time. Its elements never move, so references to them stay
// valid however long it grows, and an element is reached by one division into blocks.
template <class T, std::size_t kBlockSize>
class BlockList {
    static_assert((kBlockSize & (kBlockSize - 1)) == 0, "blocks are a power of two long");

  public:
    std::size_t size() const { return m_size; }
    T& operator[](std::size_t i) { return m_blocks[i / kBlockSize][i % kBlockSize]; }
    const T& operator[](std::size_t i) const { return m_blocks[i / kBlockSize][i % kBlockSize]; }

    T& push_back(T value) {
        if (m_size == m_blocks.size() * kBlockSize) addBlock();
        T& element = (*this)[m_size++];
        element = std::move(value);
        return element;
    }

  private:
    void addBlock() { m_blocks.push_back(std::make_unique<T[]>(kBlockSize)); }

    std::vector<std::unique_ptr<T[]>> m_blocks;
    std::size_t m_size = 0;
};

}  // namespace tally
