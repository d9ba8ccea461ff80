#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace tally {

// Texts a table owns, kept in blocks that never move: a view of a kept text stays valid as
// long as the store lives. Nothing is given back before then, which suits tables whose
// entries are never removed.
class TextStore {
  public:
    std::u16string_view keep(std::u16string_view text) {
        if (text.empty()) return {};
        if (text.size() > kBlockSize - m_used) {
            // A long text gets a block of its own; the current block stays in use.
            std::size_t size = std::max(text.size(), kBlockSize);
            auto block = std::make_unique<char16_t[]>(size);
            char16_t* start = block.get();
            if (text.size() >= kBlockSize / 2) {
                m_blocks.insert(m_blocks.begin(), std::move(block));
            } else {
                m_blocks.push_back(std::move(block));
                m_used = text.size();
            }
            std::copy(text.begin(), text.end(), start);
            return {start, text.size()};
        }
        char16_t* start = m_blocks.back().get() + m_used;
        std::copy(text.begin(), text.end(), start);
        m_used += text.size();
        return {start, text.size()};
    }

  private:
    static constexpr std::size_t kBlockSize = 4096;

    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    std::size_t m_used = kBlockSize;  // units used in the last block
};

}  // namespace tally
