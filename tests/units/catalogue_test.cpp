// The built-in catalogue: its compiled-in text, the units it registers and the menus built
// from it.

#include "units/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/function_table.h"
#include "engine/message_window.h"
#include "lang/code_page.h"
#include "support/evaluate.h"
#include "units/catalogue_text.h"
#include "units/compound_unit_table.h"

namespace tally {
namespace {

using test::utf8;

struct Built {
    Engine engine;
    AutomaticMessageWindow window;
    Messages messages{window};
    CompoundUnitTable compoundUnits;
    Catalogue catalogue{engine, messages, compoundUnits};

    const UnitCategory* category(std::u16string_view english) const {
        for (const UnitCategory& c : catalogue.menus().categories) {
            if (c.captions.english == english) return &c;
        }
        return nullptr;
    }
};

std::vector<std::string> utf8All(const std::vector<std::u16string>& texts, std::size_t count) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < std::min(count, texts.size()); ++i)
        result.push_back(utf8(texts[i]));
    return result;
}

TEST(Catalogue, CompiledTextParses) {
    CatalogueParse parse = parseCatalogue(builtInCatalogueText());
    ASSERT_TRUE(parse.ok()) << "line " << parse.errorLine << ": " << utf8(parse.error);
    for (const UnitCategory& category : parse.data.menus.categories) {
        EXPECT_FALSE(category.lines.empty()) << utf8(category.captions.english);
    }
}

TEST(Catalogue, MalformedTextNamesItsLine) {
    struct Case {
        std::string text;
        int line;
    };
    const std::string tail =
        "constants a b\nenglish C\nrussian К\nexpressions c d\nenglish E\nrussian В\n"
        "userunits e f\nenglish U\nrussian П\n";
    const Case cases[] = {
        {"line orphan\n" + tail, 1},
        {"# comment\n\ncategory only\n" + tail, 3},
        {"functions a b\nenglish F\nrussian Ф\nline Abs (x)\nspelling mistake\n" + tail, 5},
        {tail + "constants x y\n", 10},
        {"category m n c\nenglish Length\n" + tail, 11},  // no Russian caption, no lines
        {"functions a b\n", 1},                           // the required menus are missing
        {"line \xFF\n", 0},                               // not UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CatalogueParse parse = parseCatalogue(c.text);
        EXPECT_FALSE(parse.ok());
        EXPECT_EQ(parse.errorLine, c.line);
    }
    EXPECT_TRUE(parseCatalogue("category m n c\nenglish L\nrussian Д\nline x = 1\n" + tail).ok());
}

TEST(Catalogue, RegistersEveryUnitWithoutMessages) {
    Built built;
    EXPECT_EQ(utf8(built.catalogue.dataError()), "");
    // Every record registers without a message (no duplicate, no reserved name).
    EXPECT_EQ(built.window.shown, std::vector<std::u16string>{});
    const std::u16string_view registered[] = {
        u"м",        u"Эм",         u"ам",        u"km",       u"mcm",         u"эксаметр",
        u"аттометр", u"килограмм_", u"килограмм", u"кг",       u"°C",          u"degC",
        u"цельсий",  u"кгсила",     u"mmHg",      u"ЭГц",      u"моль",        u"Эмоль",
        u"Ma",       u"М",          u"м.ми",      u"Брит.гал", u"эксаЗв_бета", u"Rem_alpha"};
    for (std::u16string_view name : registered) {
        EXPECT_TRUE(built.engine.findUnit(name).has_value()) << utf8(name);
    }
    // No yotta, zetta, zepto or yocto forms; displayed-only and non-identifier names stay out.
    const std::u16string_view absent[] = {u"Ym",        u"Zm",   u"zm",      u"ym",
                                          u"йоттаметр", u"kW·h", u"кВт·ч",   u"dekaliter",
                                          u"Me",        u"км/ч", u"Скорость"};
    for (std::u16string_view name : absent) {
        EXPECT_FALSE(built.engine.findUnit(name).has_value()) << utf8(name);
    }
}

// Every name the catalogue registers stands for a unit that can be evaluated.
TEST(Catalogue, EveryRegisteredNameEvaluates) {
    Built built;
    const UnitTable& units = built.engine.units();
    ASSERT_GT(units.count(), 1);
    for (int record = 1; record <= units.count(); ++record) {
        const std::u16string name(units.record(record).name);
        LineResult result = built.engine.evaluateLine(u"1[" + name + u"]");
        EXPECT_EQ(utf8(result.syntaxMessage), "") << utf8(name);
        EXPECT_EQ(result.error, EngineError::None) << utf8(name);
    }
}

// Units whose size the SI or an international agreement fixes, in base units.
TEST(Catalogue, DefinedUnitsHaveTheirExactSize) {
    struct Case {
        std::u16string_view line;
        double value;
    };
    const Case cases[] = {
        {u"1[дюйм]", 0.0254},
        {u"1[ми]", 1609.344},
        {u"1[фунт]", 0.45359237},
        {u"1[кал]", 4.1868},
        {u"1[Ки]", 3.7e10},
        {u"1[атм]", 101325},
        {u"1[mmHg]", 133.322387415},
        {u"1[inHg]", 3386.388640341},
        {u"1[уз]", 1852.0 / 3600},
        {u"1[эВ]", 1.602176634e-19},
        {u"1[а.е.м.]", 1.66053906660e-27},
        {u"1[Fd]", 96485.33212331},
        {u"1[юн]", 1e-6 / 60},
        {u"1[ftc]", 10.763910416709722},
    };
    Built built;
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.line));
        LineResult result = built.engine.evaluateLine(c.line);
        EXPECT_EQ(result.error, EngineError::None);
        EXPECT_NEAR(result.result.value, c.value, 1e-9 * c.value);
    }
}

TEST(Catalogue, CategoryLayouts) {
    Built built;
    struct Case {
        std::u16string_view category;
        std::vector<std::string>
            firstNames;  // of the Name array (the Comb array for one-array ones)
        std::vector<std::string> firstComb;
    };
    const Case cases[] = {
        {u"Length",
         {"метр,   (м)     = 1", "-", "метр,   (m)     = м",
          "парсек,   (парс)     = 3.0856775814913673e16·м",
          "световой год,   (с.г.)     = 9460730472580800·м"},
         {"экса...  Эм = 1e18·м", "пета...  Пм = 1e15·м"}},
        {u"Frequency", {"экса...  ЭГц = 1e18·Гц"}, {"экса...  ЭГц = 1e18·Гц"}},
        {u"Amount of substance", {"экса...  Эмоль = 1e18·моль"}, {}},
        {u"Area", {"м^2", "-", "гектар,   (га)     = 100·ар"}, {"экса...  Эм^2", "пета...  Пм^2"}},
        {u"Mass",
         {"килограмм      = 1000·г", "-", "грамм,   (г)     = 0.001"},
         {"экса...  Эг = 1e18·г"}},
        {u"Velocity, acceleration", {"Скорость,   (м/с)", "                    ,   (км/ч)"}, {}},
        {u"Temperature",
         {"кельвин,   (К)     = 1", "кельвин,   (°К)     = К",
          "цельсий,   (°C)     = (Me+273.15)·К"},
         {}},
        {u"Angle (plane, solid)", {}, {"экса...  Эрад = 1e18·рад"}},
        {u"Magnetic field strength", {"ампер/метр,   (А/м)     = А/м"}, {"экса...  ЭА/м"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.category));
        const UnitCategory* category = built.category(c.category);
        ASSERT_NE(category, nullptr);
        EXPECT_EQ(utf8All(category->nameItems().items, c.firstNames.size()), c.firstNames);
        EXPECT_EQ(utf8All(category->comb.items, c.firstComb.size()), c.firstComb);
    }
}

TEST(Catalogue, PrefixedFamiliesSeparateMultiplesFromSubmultiples) {
    Built built;
    for (const UnitCategory& category : built.catalogue.menus().categories) {
        SCOPED_TRACE(utf8(category.captions.english));
        const auto& comb = category.comb.items;
        EXPECT_FALSE(category.comb.onlyPlaceholder());
        EXPECT_FALSE(category.nameItems().onlyPlaceholder());
        bool family = comb.size() >= 17 && comb[0].find(u"экса") == 0;
        if (!family) continue;
        EXPECT_EQ(utf8(comb[8]), "-");
        EXPECT_EQ(comb[9].find(u"деци"), 0u);
        EXPECT_EQ(comb[16].find(u"атто"), 0u);
    }
}

TEST(Catalogue, MenusSortedWithoutRegardToCase) {
    Built built;
    const auto& groups = built.catalogue.menus().functionGroups;
    ASSERT_FALSE(groups.empty());
    auto sorted = [](const std::vector<std::u16string>& items) {
        return std::is_sorted(items.begin(), items.end(),
                              [](const std::u16string& a, const std::u16string& b) {
                                  return lessIgnoringCase(a, b);
                              });
    };
    for (const FunctionGroup& group : groups)
        EXPECT_TRUE(sorted(group.signatures)) << utf8(group.captions.english);
    // The constants and expressions menus are sorted the same way.
    EXPECT_TRUE(sorted(built.catalogue.menus().constants.items));
    EXPECT_TRUE(sorted(built.catalogue.menus().expressions.items));
    EXPECT_EQ(utf8(built.catalogue.menus().constants.items.front()).substr(0, 3), "e =");
    EXPECT_EQ(utf8All(groups[0].signatures, 17),
              (std::vector<std::string>{
                  "Abs (x)", "Ceil (x)", "DegToRad (x)", "Exp (x)", "Floor (x)", "Fract (x)",
                  "Int (x)", "Ln (x)", "Log (x)", "LogN (x, N)", "Prime (x)", "RadToDeg (x)",
                  "Rand ([x])", "Root (x [,n])", "Round (x [,n])", "Sign (x)", "Sqrt (x)"}));
    EXPECT_EQ(utf8All(groups[4].signatures, 3),
              (std::vector<std::string>{"ArCh (x)", "ArCsch (x)", "ArCth (x)"}));
}

// Every signature in the Functions menus names a function the engine knows.
TEST(Catalogue, MenuSignaturesNameBuiltInFunctions) {
    Built built;
    for (const FunctionGroup& group : built.catalogue.menus().functionGroups) {
        for (const std::u16string& signature : group.signatures) {
            std::u16string name = signature.substr(0, signature.find_first_of(u" ("));
            bool known = std::any_of(
                functionTable().begin(), functionTable().end(),
                [&](const FunctionSpec& spec) { return equalsIgnoringCase(spec.name, name); });
            EXPECT_TRUE(known) << utf8(signature);
        }
    }
}

TEST(Catalogue, CompoundUnitsFollowedBySeparator) {
    Built built;
    const auto& rows = built.compoundUnits.rows();
    const auto builtIn = static_cast<std::size_t>(built.compoundUnits.builtInCount());
    ASSERT_GT(builtIn, 0u);
    ASSERT_EQ(rows.size(), builtIn + 1);
    EXPECT_TRUE(std::all_of(rows.begin(), rows.begin() + static_cast<long>(builtIn),
                            [](auto& r) { return r.enabled && !r.name.empty(); }));
    EXPECT_EQ(rows[builtIn].name, u"");
    EXPECT_FALSE(rows[builtIn].enabled);
    EXPECT_TRUE(built.compoundUnits.userRows().empty());
}

// Every compound unit's expansion is a unit expression the engine can evaluate.
TEST(Catalogue, EveryCompoundUnitRowEvaluates) {
    Built built;
    for (const ResultDimension& row : built.compoundUnits.builtInRows()) {
        SCOPED_TRACE(utf8(row.name) + " = " + utf8(row.definition));
        LineResult result = built.engine.evaluateLine(u"1[" + row.definition + u"]");
        EXPECT_EQ(utf8(result.syntaxMessage), "");
        EXPECT_EQ(result.error, EngineError::None);
    }
}

TEST(CompoundUnitTable, UserRowsStayAfterTheBuiltInOnes) {
    CompoundUnitTable table;
    table.addUserRow({u"га", u"10000*м^2", true});
    table.setBuiltInRows(
        {parseCompoundUnit(u" Дж =  кг·м^2/с^2 "), parseCompoundUnit(u"Н = кг·м/с^2")});
    ASSERT_EQ(table.rows().size(), 4u);
    EXPECT_EQ(utf8(table.rows()[0].definition), "кг·м^2/с^2");
    EXPECT_EQ(utf8(table.userRows()[0].name), "га");
    table.addUserRow({u"ар", u"100*м^2", false});
    EXPECT_EQ(table.userRows().size(), 2u);
    table.clearUserRows();
    EXPECT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(table.builtInRows().size(), 2u);
}

}  // namespace
}  // namespace tally
