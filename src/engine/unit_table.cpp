#include "engine/unit_table.h"

#include "engine/symbol_table.h"

namespace tally {

int UnitTable::add(std::u16string_view name, std::u16string_view definition) {
    return addStatic(m_texts.keep(name), m_texts.keep(definition));
}

int UnitTable::addStatic(std::u16string_view name, std::u16string_view definition) {
    ++m_generation;
    m_records.push_back({definition, name, std::nullopt, std::nullopt});
    return count();
}

void UnitTable::replace(int number, std::u16string_view name, std::u16string_view definition) {
    ++m_generation;
    record(number) = {m_texts.keep(definition), m_texts.keep(name), std::nullopt, std::nullopt};
}

int UnitTable::baseUnitIndex(std::u16string_view symbol) const {
    for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
        if (m_baseUnits[i].symbol == symbol) return static_cast<int>(i + 1);
    }
    return 0;
}

int UnitTable::openBaseUnit(std::u16string symbol, EntryRef entry, double scale) {
    m_baseUnits.push_back({std::move(symbol), scale});
    m_baseUnitEntries.push_back(entry);
    return static_cast<int>(m_baseUnits.size());
}

void UnitTable::refreshScales(const SymbolTable& symbols) {
    // Base units gain their table entries when units are registered; look them up again
    // only then.
    if (m_recordsAtLastScan != m_records.size()) {
        for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
            if (m_baseUnitEntries[i].valid()) continue;
            m_baseUnitEntries[i] = symbols.findExact(unitName(m_baseUnits[i].symbol));
        }
        m_recordsAtLastScan = m_records.size();
    }
    // Scales change only when a unit's entry does, which only registering a unit does.
    if (m_generationAtLastRefresh == m_generation) return;
    m_generationAtLastRefresh = m_generation;
    for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
        if (m_baseUnitEntries[i].valid())
            m_baseUnits[i].scale = symbols[m_baseUnitEntries[i]].value;
    }
}

}  // namespace tally
