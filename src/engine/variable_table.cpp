#include "engine/variable_table.h"

#include <string>

#include "lang/code_page.h"

namespace tally {

namespace {

// The ANSI code of a character in lower case; characters outside the code page count as
// "?", as an ANSI conversion would make them.
std::int64_t ansiLower(char16_t unit) {
    int c = codeOf(unit);
    if (c == kOutsideCodePage) c = '?';
    return lowerCode(c);
}

}  // namespace

std::u16string parameterName(int i) {
    std::string digits = std::to_string(i);
    std::u16string name(1, kBoundMarker);
    name.append(digits.begin(), digits.end());
    return name;
}

std::u16string boundName(std::u16string_view name) {
    std::u16string hidden(1, kBoundMarker);
    hidden += name;
    return hidden;
}

std::u16string unitName(std::u16string_view name) {
    std::u16string marked(1, kUnitMarker);
    marked += name;
    return marked;
}

VariableTable::VariableTable() : m_buckets(kBucketCount) {}

int VariableTable::bucketOf(std::u16string_view name) {
    if (name.empty()) return 0;
    std::int64_t first = ansiLower(name.front());
    std::int64_t last = ansiLower(name.back());
    std::int64_t length = static_cast<std::int64_t>(name.size());
    return static_cast<int>((first * 256 + length * 65536 + last) % kBucketCount);
}

EntryRef VariableTable::find(std::u16string_view name, Match match) const {
    int b = bucketOf(name);
    const auto& bucket = m_buckets[static_cast<std::size_t>(b)];
    for (std::size_t s = 0; s < bucket.size(); ++s) {
        const std::u16string& candidate = bucket[s].name;
        bool equal =
            match == Match::Exact ? candidate == name : equalsIgnoringCase(candidate, name);
        if (equal) return {b, static_cast<int>(s)};
    }
    return {};
}

EntryRef VariableTable::append(std::u16string_view name, double value, std::int32_t code) {
    int b = bucketOf(name);
    auto& bucket = m_buckets[static_cast<std::size_t>(b)];
    bucket.push_back({std::u16string(name), value, code});
    return {b, static_cast<int>(bucket.size() - 1)};
}

}  // namespace tally
