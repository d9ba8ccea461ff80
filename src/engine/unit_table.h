#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/dimension.h"
#include "engine/text_store.h"
#include "engine/variable_table.h"

namespace tally {

class SymbolTable;

// A unit record: its definition text and its name, owned by the table or in static storage
// (built-in units). A replaced record keeps its old texts alive, so views of them taken
// while a definition is evaluated stay valid.
struct UnitRecord {
    std::u16string_view definition;
    std::u16string_view name;
    // Whether the unit opens a base unit of its own (a name defined by a plain number),
    // worked out on first use.
    std::optional<bool> opensBaseUnit;
    // Whether the definition holds the value placeholder "Me" (a scale such as degrees
    // Celsius), worked out on first use.
    std::optional<bool> isScale;
};

// The unit records, numbered from 1 and reached from the symbol table through their codes,
// and the base units every dimension is counted over.
class UnitTable {
  public:
    UnitTable() : m_baseUnits(initialBaseUnits()), m_baseUnitEntries(m_baseUnits.size()) {}

    int count() const { return static_cast<int>(m_records.size()); }
    const UnitRecord& record(int number) const {
        return m_records[static_cast<std::size_t>(number - 1)];
    }
    UnitRecord& record(int number) { return m_records[static_cast<std::size_t>(number - 1)]; }
    // Returns the new record's number. The texts are copied.
    int add(std::u16string_view name, std::u16string_view definition);
    // The same for texts that outlive the table (static storage), kept without a copy.
    int addStatic(std::u16string_view name, std::u16string_view definition);
    void reserve(std::size_t count) { m_records.reserve(m_records.size() + count); }
    void replace(int number, std::u16string_view name, std::u16string_view definition);

    const std::vector<BaseUnit>& baseUnits() const { return m_baseUnits; }
    // The 1-based index of the base unit of that symbol, or 0.
    int baseUnitIndex(std::u16string_view symbol) const;
    // A unit defined by a plain number becomes a base unit of its own; its scale is the
    // value of its entry, `scale` now. Returns its 1-based index.
    int openBaseUnit(std::u16string symbol, EntryRef entry, double scale);
    // Reads the scales of the base units again from their units' entries when a unit was
    // registered or redefined since the last time.
    void refreshScales(const SymbolTable& symbols);
    // Changes whenever a unit is registered or redefined.
    std::uint64_t generation() const { return m_generation; }

  private:
    std::vector<UnitRecord> m_records;
    TextStore m_texts;
    std::vector<BaseUnit> m_baseUnits;
    std::vector<EntryRef> m_baseUnitEntries;
    std::size_t m_recordsAtLastScan = 0;
    std::uint64_t m_generation = 0;
    std::uint64_t m_generationAtLastRefresh = UINT64_MAX;
};

}  // namespace tally
