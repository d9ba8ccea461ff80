#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "units/catalogue_menus.h"
#include "units/compound_unit_table.h"

namespace tally {

class Engine;

// The built-in catalogue as it stands once registered, generated at build time by
// registering catalogue.txt into a fresh engine. Texts are spans of one pool, given by
// offsets so that the tables need no relocation when the program is loaded.
struct TableText {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

// Consecutive entries of the tables' text list.
struct TableRange {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

struct TableCaptions {
    TableText menu;
    TableText english;
    TableText russian;
};

struct TableFunctionGroup {
    TableCaptions captions;
    TableText keypadMenu;
    TableRange signatures;
};

struct TableTextMenu {
    TableCaptions captions;
    TableText itemArray;
    TableRange items;
};

struct TableUnitCategory {
    TableCaptions captions;
    TableText nameArray;
    TableText combArray;
    TableRange lines;
    TableRange names;
    TableRange comb;
};

// A registered unit: the name its symbol-table entry has (unit marker + name) and right
// after it in the pool its definition text, the hash the name is found by, and the value of
// its entry, as an index into the tables' values (given as the bits of the doubles).
struct TableUnit {
    std::uint32_t offset = 0;
    std::uint16_t nameLength = 0;
    std::uint16_t definitionLength = 0;
    std::uint32_t nameHash = 0;
    std::uint16_t value = 0;
};

struct TableCompoundUnit {
    TableText name;
    TableText definition;
    bool enabled = true;
};

struct CatalogueTables {
    // False when registering the text showed a message or failed: the program then
    // registers the text at start-up as before, so that it reports the same way.
    bool registersCleanly = false;
    // The size of the fresh engine's tables the units were registered into.
    int freshSymbolCount = 0;
    int freshUnitCount = 0;
    std::u16string_view pool;
    std::span<const TableText> texts;
    std::span<const TableUnit> units;
    std::span<const std::uint64_t> values;
    std::span<const TableFunctionGroup> functionGroups;
    TableTextMenu constants;
    TableTextMenu expressions;
    std::span<const TableUnitCategory> categories;
    TableTextMenu userUnits;
    std::size_t builtInConstantCount = 0;
    std::size_t builtInExpressionCount = 0;
    std::span<const TableCompoundUnit> compoundUnits;

    std::u16string_view text(TableText t) const { return pool.substr(t.offset, t.length); }
};

// The tables generated from the catalogue compiled into the program.
const CatalogueTables& builtInCatalogueTables();

// Whether the engine is as fresh as the one the tables were generated with.
bool tablesFit(const CatalogueTables& tables, const Engine& engine);
// Registers the tables' units in order, their texts kept in static storage.
void installUnits(const CatalogueTables& tables, Engine& engine);
// The insertion menus and the built-in compound-unit rows the tables hold.
CatalogueMenus menusOf(const CatalogueTables& tables);
std::vector<ResultDimension> compoundRowsOf(const CatalogueTables& tables);

}  // namespace tally
