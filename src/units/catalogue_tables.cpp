#include "units/catalogue_tables.h"

#include <bit>

#include "engine/engine.h"

namespace tally {

namespace {

MenuCaptions captionsOf(const CatalogueTables& tables, const TableCaptions& captions) {
    return {std::u16string(tables.text(captions.menu)),
            std::u16string(tables.text(captions.english)),
            std::u16string(tables.text(captions.russian))};
}

std::vector<std::u16string> textsOf(const CatalogueTables& tables, TableRange range) {
    std::vector<std::u16string> texts;
    texts.reserve(range.count);
    for (const TableText& text : tables.texts.subspan(range.first, range.count)) {
        texts.emplace_back(tables.text(text));
    }
    return texts;
}

TextMenu textMenuOf(const CatalogueTables& tables, const TableTextMenu& menu) {
    return {captionsOf(tables, menu.captions), std::u16string(tables.text(menu.itemArray)),
            textsOf(tables, menu.items)};
}

}  // namespace

bool tablesFit(const CatalogueTables& tables, const Engine& engine) {
    return tables.registersCleanly && engine.symbols().size() == tables.freshSymbolCount &&
           engine.units().count() == tables.freshUnitCount;
}

void installUnits(const CatalogueTables& tables, Engine& engine) {
    engine.reserveUnits(tables.units.size());
    for (const TableUnit& unit : tables.units) {
        std::u16string_view texts = tables.pool.substr(unit.offset);
        engine.defineStaticUnit({texts.substr(0, unit.nameLength), unit.nameHash,
                                 texts.substr(unit.nameLength, unit.definitionLength),
                                 std::bit_cast<double>(tables.values[unit.value])});
    }
}

CatalogueMenus menusOf(const CatalogueTables& tables) {
    CatalogueMenus menus;
    menus.functionGroups.reserve(tables.functionGroups.size());
    for (const TableFunctionGroup& group : tables.functionGroups) {
        menus.functionGroups.push_back({captionsOf(tables, group.captions),
                                        std::u16string(tables.text(group.keypadMenu)),
                                        textsOf(tables, group.signatures)});
    }
    menus.constants = textMenuOf(tables, tables.constants);
    menus.expressions = textMenuOf(tables, tables.expressions);
    menus.categories.reserve(tables.categories.size());
    for (const TableUnitCategory& table : tables.categories) {
        UnitCategory& category = menus.categories.emplace_back();
        category.captions = captionsOf(tables, table.captions);
        category.nameArray = tables.text(table.nameArray);
        category.combArray = tables.text(table.combArray);
        category.lines = textsOf(tables, table.lines);
        category.names.items = textsOf(tables, table.names);
        category.comb.items = textsOf(tables, table.comb);
    }
    TextMenu userUnits = textMenuOf(tables, tables.userUnits);
    menus.userUnits = {userUnits.captions, userUnits.itemArray, {std::move(userUnits.items)}};
    menus.builtInConstantCount = tables.builtInConstantCount;
    menus.builtInExpressionCount = tables.builtInExpressionCount;
    return menus;
}

std::vector<ResultDimension> compoundRowsOf(const CatalogueTables& tables) {
    std::vector<ResultDimension> rows;
    rows.reserve(tables.compoundUnits.size());
    for (const TableCompoundUnit& row : tables.compoundUnits) {
        rows.push_back({std::u16string(tables.text(row.name)),
                        std::u16string(tables.text(row.definition)), row.enabled});
    }
    return rows;
}

}  // namespace tally
