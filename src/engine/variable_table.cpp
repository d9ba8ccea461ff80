#include "engine/variable_table.h"

#include <string>

#include "lang/code_page.h"

namespace tally {

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

VariableTable::VariableTable() : m_slots(1024, -1) {}

// FNV-1a over the lower-case characters, so names equal without regard to case hash alike.
// 32 bits are more than a table of int32 entry numbers can use.
std::uint32_t VariableTable::hashOf(std::u16string_view name) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (char16_t c : name) {
        hash ^= lowerUnit(c);
        hash *= 1099511628211ULL;
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 29));
}

EntryRef VariableTable::find(std::u16string_view name, Match match) const {
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hashOf(name) & mask;; i = (i + 1) & mask) {
        std::int32_t index = m_slots[i];
        if (index < 0) return {};
        std::u16string_view candidate = m_entries[static_cast<std::size_t>(index)].name;
        bool equal =
            match == Match::Exact ? candidate == name : equalsIgnoringCase(candidate, name);
        if (equal) return {index};
    }
}

EntryRef VariableTable::append(std::u16string_view name, double value, std::int32_t code) {
    return appendStatic(m_names.keep(name), hashOf(name), value, code);
}

EntryRef VariableTable::appendStatic(std::u16string_view name, std::uint32_t hash, double value,
                                     std::int32_t code) {
    if (2 * (m_entries.size() + 1) > m_slots.size()) rehash(m_slots.size() * 2);
    auto index = static_cast<std::int32_t>(m_entries.size());
    m_entries.push_back({name, value, code});
    std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i] >= 0)
        i = (i + 1) & mask;
    m_slots[i] = index;
    return {index};
}

void VariableTable::reserve(std::size_t count) {
    std::size_t slots = m_slots.size();
    while (2 * (m_entries.size() + count) > slots)
        slots *= 2;
    if (slots != m_slots.size()) rehash(slots);
}

// Entries go back in registration order, so that among names equal without regard to case
// the first registered is still met first.
void VariableTable::rehash(std::size_t slotCount) {
    m_slots.assign(slotCount, -1);
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t index = 0; index < m_entries.size(); ++index) {
        std::size_t i = hashOf(m_entries[index].name) & mask;
        while (m_slots[i] >= 0)
            i = (i + 1) & mask;
        m_slots[i] = static_cast<std::int32_t>(index);
    }
}

}  // namespace tally
