#pragma once

#include <string_view>
#include <vector>

namespace tally {

// Calls `visit` with each line of a text: "\n" ends a line, a "\r" before it is dropped,
// and a final line without a line end counts. The views point into the text.
template <class Char, class Visit>
void forEachLine(std::basic_string_view<Char> text, Visit&& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(Char('\n'), start);
        std::size_t next = end == std::basic_string_view<Char>::npos ? text.size() : end + 1;
        if (end == std::basic_string_view<Char>::npos) end = text.size();
        std::basic_string_view<Char> line = text.substr(start, end - start);
        if (!line.empty() && line.back() == Char('\r')) line.remove_suffix(1);
        visit(line);
        start = next;
    }
}

// The lines of a text, as forEachLine finds them.
template <class Char>
std::vector<std::basic_string_view<Char>> splitLines(std::basic_string_view<Char> text) {
    std::vector<std::basic_string_view<Char>> lines;
    forEachLine(text, [&](std::basic_string_view<Char> line) { lines.push_back(line); });
    return lines;
}

}  // namespace tally
