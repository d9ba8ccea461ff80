// The list of every registered unit without its window: rows, the two orders, the filter
// and the value of each unit in base units.

#include "session/units_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "lang/code_page.h"
#include "session/session.h"
#include "session/test_program.h"
#include "support/evaluate.h"
#include "units/unit_definitions.h"

namespace tally {
namespace {

using test::utf8;

using Program = test::TestProgram<>;

Program& program() {
    static Program shared;
    return shared;
}

std::vector<std::string> shownRows(const UnitsList& list) {
    std::vector<std::string> rows;
    for (int row : list.shown())
        rows.push_back(utf8(list.row(row)));
    return rows;
}

bool contains(const std::vector<std::string>& rows, const std::string& row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

TEST(UnitsList, OneRowPerUnitRecordStartingWithPi) {
    UnitsList list(program().core.engine());
    const UnitTable& units = program().core.engine().units();
    ASSERT_EQ(list.unitCount(), units.count());
    EXPECT_GT(list.unitCount(), 4000);
    EXPECT_EQ(utf8(list.row(0)), "pi=3.141592653589793");
    EXPECT_EQ(utf8(list.caption()),
              "Список всех единиц измерения (всего " + std::to_string(units.count()) + ")");
    // Every row is name "=" definition without blanks, and its name finds its unit.
    for (int row = 0; row < list.unitCount(); ++row) {
        const std::u16string& text = list.row(row);
        ASSERT_EQ(text.find(u' '), std::u16string::npos) << utf8(text);
        std::u16string name = unitNameOfRow(text);
        ASSERT_FALSE(name.empty()) << utf8(text);
        if (row > 0) {
            ASSERT_EQ(program().core.engine().findUnit(name)->record, row + 1);
        }
    }
    std::vector<std::string> rows = shownRows(list);
    EXPECT_TRUE(contains(rows, "км=1e3·м"));
    EXPECT_TRUE(contains(rows, "°С=(Me+273.15)·К"));
}

TEST(UnitsList, SortedWithoutRegardToCaseOrInRegistrationOrder) {
    UnitsList list(program().core.engine());
    ASSERT_TRUE(list.sorted());
    std::vector<std::string> sorted = shownRows(list);
    ASSERT_EQ(static_cast<int>(sorted.size()), list.unitCount());
    for (std::size_t i = 1; i < list.shown().size(); ++i) {
        ASSERT_FALSE(lessIgnoringCase(list.row(list.shown()[i]), list.row(list.shown()[i - 1])))
            << sorted[i - 1] << " before " << sorted[i];
    }
    list.setSorted(false);
    for (int i = 0; i < list.unitCount(); ++i) {
        ASSERT_EQ(list.shown()[static_cast<std::size_t>(i)], i);
    }
    int metre = list.shownIndexOf(1);
    EXPECT_EQ(metre, 1);
    EXPECT_EQ(list.shownIndexOf(-5), -1);
}

TEST(UnitsList, TheFilterNarrowsByNameDefinitionOrDimension) {
    UnitsList list(program().core.engine());
    struct Case {
        std::u16string_view filter;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {u"ПАРСЕК", {"парсек=3.0856775814913673e16·м", "килопарсек=1e3·парсек"}, {"км=1e3·м"}},
        {u"273.15", {"°С=(Me+273.15)·К"}, {"м=1"}},
        {u"кг/(м·с^2)", {"Па=Н/м^2", "атм=101325·Па", "бар=1e5·Па"}, {"Дж=Н·м"}},
        {u"", {"м=1", "Па=Н/м^2"}, {}},
        {u"нет-такой-единицы", {}, {"м=1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.filter));
        list.setFilter(c.filter);
        std::vector<std::string> rows = shownRows(list);
        for (const std::string& row : c.present)
            EXPECT_TRUE(contains(rows, row)) << row;
        for (const std::string& row : c.absent)
            EXPECT_FALSE(contains(rows, row)) << row;
    }
    list.setFilter(u"");
    EXPECT_EQ(static_cast<int>(list.shown().size()), list.unitCount());
    // The filter keeps the chosen order.
    list.setFilter(u"метр");
    list.setSorted(false);
    EXPECT_TRUE(std::is_sorted(list.shown().begin(), list.shown().end()));
}

TEST(UnitsList, EachUnitCarriesItsValueInBaseUnits) {
    UnitsList list(program().core.engine());
    struct Case {
        std::u16string_view name;
        std::string dimension;
    };
    const Case cases[] = {
        {u"м", "м"},   {u"км", "1000·м"},  {u"Па", "кг/(м·с^2)"}, {u"Дж", "кг·м^2/с^2"},
        {u"кг", "кг"}, {u"г", "0.001·кг"}, {u"ч", "3600·с"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.name));
        std::optional<RegisteredUnit> unit = program().core.engine().findUnit(c.name);
        ASSERT_TRUE(unit);
        EXPECT_EQ(utf8(list.dimension(unit->record - 1)), c.dimension);
    }
}

TEST(UnitsList, TheNameARowInserts) {
    struct Case {
        std::u16string_view row;
        std::string name;
    };
    const Case cases[] = {
        {u"km=1e3·m", "km"}, {u"pi=3.14159265358979", "pi"}, {u"a=b=c", "a"},
        {u"=5", ""},         {u"без равенства", ""},         {u"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.row));
        EXPECT_EQ(utf8(unitNameOfRow(c.row)), c.name);
    }
}

// Units defined after the list was made show up when a new list is made.
TEST(UnitsList, ANewListShowsUnitsDefinedSince) {
    Program fresh;
    UnitsList before(fresh.core.engine());
    UnitDefiner definer(fresh.core.engine(), fresh.core.messages());
    ASSERT_TRUE(definer.defineUnits(u"пядь = 0.18·м"));
    UnitsList after(fresh.core.engine());
    EXPECT_EQ(after.unitCount(), before.unitCount() + 1);
    EXPECT_EQ(utf8(after.row(after.unitCount() - 1)), "пядь=0.18·м");
    EXPECT_EQ(utf8(after.dimension(after.unitCount() - 1)), "0.18·м");
}

}  // namespace
}  // namespace tally
