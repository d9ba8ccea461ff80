// The tables generated at build time stand for registering the catalogue's text: the same
// names in the same order with the same values, the same unit records, menus and compound
// units. A registration that would show messages takes the text, as before.

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/message_window.h"
#include "support/evaluate.h"
#include "units/catalogue.h"
#include "units/catalogue_tables.h"
#include "units/catalogue_text.h"
#include "units/compound_unit_table.h"

namespace tally {
namespace {

using test::utf8;

struct Program {
    Engine engine;
    AutomaticMessageWindow window;
    Messages messages{window};
    CompoundUnitTable compoundUnits;
};

struct FromTables : Program {
    Catalogue catalogue{engine, messages, compoundUnits};
};

struct FromText : Program {
    Catalogue catalogue{builtInCatalogueText(), engine, messages, compoundUnits};
};

void expectSameCaptions(const MenuCaptions& a, const MenuCaptions& b) {
    EXPECT_EQ(utf8(a.menu), utf8(b.menu));
    EXPECT_EQ(utf8(a.english), utf8(b.english));
    EXPECT_EQ(utf8(a.russian), utf8(b.russian));
}

void expectSameMenus(const CatalogueMenus& a, const CatalogueMenus& b) {
    ASSERT_EQ(a.functionGroups.size(), b.functionGroups.size());
    for (std::size_t i = 0; i < a.functionGroups.size(); ++i) {
        SCOPED_TRACE(utf8(a.functionGroups[i].captions.menu));
        expectSameCaptions(a.functionGroups[i].captions, b.functionGroups[i].captions);
        EXPECT_EQ(a.functionGroups[i].keypadMenu, b.functionGroups[i].keypadMenu);
        EXPECT_EQ(a.functionGroups[i].signatures, b.functionGroups[i].signatures);
    }
    for (auto [x, y] :
         {std::pair{&a.constants, &b.constants}, std::pair{&a.expressions, &b.expressions}}) {
        SCOPED_TRACE(utf8(x->captions.menu));
        expectSameCaptions(x->captions, y->captions);
        EXPECT_EQ(x->itemArray, y->itemArray);
        EXPECT_EQ(x->items, y->items);
    }
    ASSERT_EQ(a.categories.size(), b.categories.size());
    for (std::size_t i = 0; i < a.categories.size(); ++i) {
        const UnitCategory& x = a.categories[i];
        const UnitCategory& y = b.categories[i];
        SCOPED_TRACE(utf8(x.captions.menu));
        expectSameCaptions(x.captions, y.captions);
        EXPECT_EQ(x.nameArray, y.nameArray);
        EXPECT_EQ(x.combArray, y.combArray);
        EXPECT_EQ(x.lines, y.lines);
        EXPECT_EQ(x.names.items, y.names.items);
        EXPECT_EQ(x.comb.items, y.comb.items);
    }
    expectSameCaptions(a.userUnits.captions, b.userUnits.captions);
    EXPECT_EQ(a.userUnits.itemArray, b.userUnits.itemArray);
    EXPECT_EQ(a.userUnits.items.items, b.userUnits.items.items);
    EXPECT_EQ(a.builtInConstantCount, b.builtInConstantCount);
    EXPECT_EQ(a.builtInExpressionCount, b.builtInExpressionCount);
}

TEST(CatalogueTables, StandForRegisteringTheText) {
    ASSERT_TRUE(builtInCatalogueTables().registersCleanly);
    FromText text;
    FromTables tables;
    ASSERT_EQ(utf8(text.catalogue.dataError()), "");
    EXPECT_EQ(text.window.shown, std::vector<std::u16string>{});
    EXPECT_EQ(tables.window.shown, std::vector<std::u16string>{});

    const SymbolTable& expected = text.engine.symbols();
    const SymbolTable& actual = tables.engine.symbols();
    ASSERT_EQ(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const VariableEntry& e = expected[EntryRef{i}];
        const VariableEntry& a = actual[EntryRef{i}];
        ASSERT_EQ(utf8(a.name), utf8(e.name)) << "entry " << i;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.value), std::bit_cast<std::uint64_t>(e.value))
            << utf8(e.name);
        EXPECT_EQ(a.code, e.code) << utf8(e.name);
        // The names are found through the hashes the tables brought along.
        EXPECT_EQ(actual.findExact(a.name), text.engine.symbols().findExact(e.name))
            << utf8(e.name);
        EXPECT_EQ(actual.find(a.name), text.engine.symbols().find(e.name)) << utf8(e.name);
    }

    const UnitTable& expectedUnits = text.engine.units();
    const UnitTable& actualUnits = tables.engine.units();
    ASSERT_EQ(actualUnits.count(), expectedUnits.count());
    for (int record = 1; record <= expectedUnits.count(); ++record) {
        EXPECT_EQ(utf8(actualUnits.record(record).name), utf8(expectedUnits.record(record).name));
        EXPECT_EQ(utf8(actualUnits.record(record).definition),
                  utf8(expectedUnits.record(record).definition));
    }

    expectSameMenus(tables.catalogue.menus(), text.catalogue.menus());

    const auto& expectedRows = text.compoundUnits.rows();
    const auto& actualRows = tables.compoundUnits.rows();
    ASSERT_EQ(actualRows.size(), expectedRows.size());
    EXPECT_EQ(tables.compoundUnits.builtInCount(), text.compoundUnits.builtInCount());
    for (std::size_t i = 0; i < expectedRows.size(); ++i) {
        EXPECT_EQ(utf8(actualRows[i].name), utf8(expectedRows[i].name));
        EXPECT_EQ(utf8(actualRows[i].definition), utf8(expectedRows[i].definition));
        EXPECT_EQ(actualRows[i].enabled, expectedRows[i].enabled);
    }
}

// The user's units, constants and expressions go into the menus of a catalogue from the
// tables as into any other.
TEST(CatalogueTables, MenusTakeTheUsersItems) {
    FromTables tables;
    CatalogueMenus& menus = tables.catalogue.menus();
    menus.constants.items.push_back(u"g = 9.80665");
    menus.userUnits.items.add(u"фурл");
    EXPECT_EQ(tables.catalogue.menus().constants.items.back(), u"g = 9.80665");
    EXPECT_EQ(tables.catalogue.menus().userUnits.items.items, std::vector<std::u16string>{u"фурл"});
    EXPECT_EQ(menus.builtInConstantCount + 1, menus.constants.items.size());
}

// An engine that already holds units is not the fresh one the tables were made with: the
// catalogue is registered from its text and shows what that registration shows.
TEST(CatalogueTables, AnEngineWithUnitsRegistersTheText) {
    struct Case {
        const char* name;
        std::u16string_view unit;
    };
    const Case cases[] = {{"a unit the catalogue defines too", u"км"},
                          {"a unit of the user's own", u"фурлонг"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program fromText;
        fromText.engine.defineUnit(c.unit, u"5");
        Catalogue expected(builtInCatalogueText(), fromText.engine, fromText.messages,
                           fromText.compoundUnits);
        Program fromTables;
        fromTables.engine.defineUnit(c.unit, u"5");
        Catalogue actual(fromTables.engine, fromTables.messages, fromTables.compoundUnits);
        EXPECT_EQ(fromTables.window.shown, fromText.window.shown);
        EXPECT_EQ(fromTables.engine.units().count(), fromText.engine.units().count());
        expectSameMenus(actual.menus(), expected.menus());
        EXPECT_EQ(test::evaluate(fromTables.engine, u"1[км]").value,
                  test::evaluate(fromText.engine, u"1[км]").value);
    }
}

}  // namespace
}  // namespace tally
