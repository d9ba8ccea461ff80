#pragma once

#include <cstdint>
#include <unordered_map>

#include "engine/dimension.h"
#include "engine/variable_table.h"

namespace tally {

// What evaluating a unit's definition gave, and what repeating it takes: a line with units
// then reads each definition once. Only evaluations that changed nothing else are kept
// (no error, no call, no sign, no conversion, no new name or base unit).
struct CachedUnitValue {
    double value = 0;
    DimensionVector dimension;
    EntryRef lastName;        // the entry of the last name it looked up
    bool clearsNote = false;  // it applied an operator, which clears a result note
    int nesting = 0;          // how many nested evaluations deep it went
    int brackets = 0;         // how many brackets it held open at once
};

// The cached values of unit records; they stand while no unit is registered or redefined
// and the engine keeps or ignores dimensions as it did when they were worked out.
class UnitValueCache {
  public:
    const CachedUnitValue* find(int record, std::uint64_t generation, bool useDimensions) {
        if (generation != m_generation || useDimensions != m_useDimensions) {
            m_values.clear();
            m_generation = generation;
            m_useDimensions = useDimensions;
            return nullptr;
        }
        auto found = m_values.find(record);
        return found == m_values.end() ? nullptr : &found->second;
    }
    void keep(int record, std::uint64_t generation, bool useDimensions, CachedUnitValue value) {
        if (generation != m_generation || useDimensions != m_useDimensions) return;
        m_values.insert_or_assign(record, std::move(value));
    }

  private:
    std::unordered_map<int, CachedUnitValue> m_values;
    std::uint64_t m_generation = UINT64_MAX;
    bool m_useDimensions = false;
};

}  // namespace tally
