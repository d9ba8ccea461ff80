// Splitting a text into lines, for files and the batch calculator's input.

#include "lang/text_lines.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace tally {
namespace {

TEST(SplitLines, LineEnds) {
    const std::pair<std::string_view, std::vector<std::string_view>> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\n", {""}},
        {"a\rb\n", {"a\rb"}},
        {"x\r", {"x"}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(splitLines(text), lines) << text;
}

}  // namespace
}  // namespace tally
