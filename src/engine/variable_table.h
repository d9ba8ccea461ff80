#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_list.h"
#include "engine/function_table.h"
#include "engine/text_store.h"

namespace tally {

// Codes of the symbol table: what a name stands for.
namespace code {
inline constexpr std::int32_t kVariable = 0;
inline constexpr std::int32_t kUserFunctionBase = 65536;
inline constexpr std::int32_t kUserFunctionLast = 131072;
inline constexpr std::int32_t kAns = -16777216;
inline constexpr std::int32_t kPi = -16777217;
inline constexpr std::int32_t kE = -16777218;

constexpr std::int32_t builtInFunction(Function function) {
    return -numberOf(function);
}
constexpr bool isBuiltInFunction(std::int32_t c) {
    return c >= -kBuiltInFunctionCount && c <= -1;
}
constexpr Function builtInFunctionOf(std::int32_t c) {
    return static_cast<Function>(-c);
}
constexpr std::int32_t userFunction(int number) {
    return kUserFunctionBase + number;
}
constexpr bool isUserFunction(std::int32_t c) {
    return c >= kUserFunctionBase && c <= kUserFunctionLast;
}
constexpr int userFunctionNumber(std::int32_t c) {
    return c - kUserFunctionBase;
}
// Unit record k (from 1) has the code kE - k.
constexpr std::int32_t unitRecord(int k) {
    return kE - k;
}
constexpr bool isUnitRecord(std::int32_t c) {
    return c <= unitRecord(1);
}
constexpr int unitRecordOf(std::int32_t c) {
    return kE - c;
}
}  // namespace code

// Characters the user cannot type that start the engine's own names.
inline constexpr char16_t kUnitMarker = 14;
inline constexpr char16_t kBoundMarker = 15;

// The hidden name of parameter i (from 1) in a stored user-function body.
std::u16string parameterName(int i);
// The hidden name of a solver's bound variable.
std::u16string boundName(std::u16string_view name);
// The name a unit is registered under.
std::u16string unitName(std::u16string_view name);

struct EntryRef {
    int index = -1;  // order of registration, from 0
    bool valid() const { return index >= 0; }
    friend bool operator==(const EntryRef&, const EntryRef&) = default;
};

struct VariableEntry {
    // The table's own copy of the name, or a text in static storage (built-in units).
    std::u16string_view name;
    double value = 0;
    std::int32_t code = 0;
};

// The one table of every name: variables, functions, reserved names, units and hidden
// names. Entries are never removed, so an EntryRef (and a reference to an entry) stays
// valid for the whole run. Names are found through a hash of the whole name without regard
// to case, so a look-up takes the same time for a million names as for ten.
class VariableTable {
  public:
    VariableTable();

    enum class Match { IgnoreCase, Exact };
    // Of several names that differ only in letter case, the first registered is found
    // without regard to case.
    EntryRef find(std::u16string_view name, Match match) const;
    // Keeps a copy of the name.
    EntryRef append(std::u16string_view name, double value, std::int32_t code);
    // Takes a name whose text outlives the table (static storage) without copying it, with
    // its hashOf computed beforehand.
    EntryRef appendStatic(std::u16string_view name, std::uint32_t hash, double value,
                          std::int32_t code);
    // Makes room for `count` more entries at once, so that appending them never rehashes.
    void reserve(std::size_t count);
    int size() const { return static_cast<int>(m_entries.size()); }

    // The hash a name is found by; static tables of names keep it with them.
    static std::uint32_t hashOf(std::u16string_view name);

    VariableEntry& operator[](EntryRef ref) {
        return m_entries[static_cast<std::size_t>(ref.index)];
    }
    const VariableEntry& operator[](EntryRef ref) const {
        return m_entries[static_cast<std::size_t>(ref.index)];
    }

  private:
    void rehash(std::size_t slotCount);

    // Blocks of entries, so that entries never move; small ones, as the allocator hands out
    // and takes back small blocks without going to the system.
    BlockList<VariableEntry, 16> m_entries;
    TextStore m_names;
    // Open addressing over entry numbers, -1 for a free slot; at most half full.
    std::vector<std::int32_t> m_slots;
};

}  // namespace tally
