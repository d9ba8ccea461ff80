// The definitions editor without its window: what the list shows in each mode, what adding,
// replacing and deleting do to the tables, the menus and the engine, the separator rule and
// the translation of a designation into base units.

#include "session/definitions_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "session/menu_insertion.h"
#include "session/session.h"
#include "session/temp_folder.h"
#include "session/test_program.h"
#include "support/evaluate.h"
#include "units/catalogue_menus.h"

namespace tally {
namespace {

using test::utf8;
using Mode = DefinitionsMode;

// Answers confirmations as told and keeps what it was shown.
class ScriptedMessages : public MessageWindow {
  public:
    bool proceed = true;
    std::vector<std::u16string> shown;
    Reply show(std::u16string_view title, std::u16string_view text, bool) override {
        shown.push_back(std::u16string(title) + u": " + std::u16string(text));
        return {proceed, false};
    }
};

struct Program : test::TestProgram<ScriptedMessages> {
    Engine& engine = core.engine();
    CatalogueMenus& menus = core.menus();

    DefinitionsEditor editor(Mode mode) {
        return DefinitionsEditor(mode, core.definitionsSession());
    }
};

std::vector<std::string> utf8Rows(const DefinitionsEditor& editor) {
    std::vector<std::string> rows;
    for (const std::u16string& row : editor.rows())
        rows.push_back(utf8(row));
    return rows;
}

TEST(DefinitionsEditor, RowsOfEachListMode) {
    struct Case {
        Mode mode;
        DefinitionFields fields;
        std::string row;
    };
    const Case cases[] = {
        {Mode::Constants,
         {u"g", u"9.80665", u"ускорение свободного падения"},
         "g 9.80665 ускорение свободного падения"},
        {Mode::Units, {u"furlong_x", u"ми/8", u"фарлонг"}, "furlong_x = ми/8 фарлонг"},
        {Mode::Expressions, {u"Объём шара", u"(4/3*pi*r^3)", u""}, "Объём шара (4/3*pi*r^3) "},
        {Mode::Constants, {u"  c  ", u" 299792458 ", u" м/с "}, "c 299792458 м/с"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        Program program;
        DefinitionsEditor editor = program.editor(c.mode);
        ASSERT_EQ(editor.add(c.fields), 0);
        EXPECT_EQ(utf8Rows(editor), std::vector<std::string>{c.row});
    }
}

TEST(DefinitionsEditor, ResultDimensionRowsShowBuiltInSeparatorAndUserRows) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::ResultDimensions);
    const int builtIn = program.core.driver().compoundUnits().builtInCount();
    const auto separator = static_cast<std::size_t>(builtIn);
    ASSERT_GT(builtIn, 0);
    ASSERT_EQ(editor.add({u"ккал/ч", u"1.163·кг·м^2/с^3", u"", false}), builtIn + 1);
    std::vector<std::string> rows = utf8Rows(editor);
    ASSERT_EQ(rows.size(), separator + 2);
    EXPECT_EQ(rows[0].substr(0, 2), "+ ");
    EXPECT_NE(rows[0].find("   =   "), std::string::npos);
    EXPECT_EQ(rows[separator], "");
    EXPECT_EQ(rows[separator + 1], "    ккал/ч   =   1.163·кг·м^2/с^3");
    EXPECT_FALSE(editor.isRecord(builtIn));
    EXPECT_EQ(editor.fields(builtIn), DefinitionFields{});
    EXPECT_FALSE(editor.replace(builtIn, {u"x", u"м", u"", true}));
    EXPECT_FALSE(editor.remove(builtIn));
}

TEST(DefinitionsEditor, BuiltInResultDimensionsChangeOnlyTheirMarker) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::ResultDimensions);
    DefinitionFields joule = editor.fields(0);
    ASSERT_FALSE(joule.text1.empty());
    EXPECT_FALSE(editor.textsEditable(0));
    EXPECT_FALSE(editor.canDelete(0));

    DefinitionFields changed = joule;
    changed.text1 = u"новое";
    changed.inUse = false;
    EXPECT_EQ(editor.replace(0, changed), 0);
    DefinitionFields now = editor.fields(0);
    EXPECT_EQ(utf8(now.text1), utf8(joule.text1));
    EXPECT_FALSE(now.inUse);
    EXPECT_EQ(utf8Rows(editor)[0].substr(0, 3), "   ");
    EXPECT_FALSE(editor.remove(0));
    EXPECT_EQ(editor.rowCount(), program.core.driver().compoundUnits().builtInCount() + 1);
}

// A row not in use no longer names results; a user row in use does, before built-in ones.
TEST(DefinitionsEditor, ResultDimensionsGovernHowResultsArePrinted) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::ResultDimensions);
    EXPECT_EQ(utf8(program.calculate(u"2[Н]*3[м]")), "2[Н]*3[м]=6[Дж]");
    int row = -1;
    for (int i = 0; i < editor.rowCount(); ++i) {
        if (editor.fields(i).text1 == u"Дж") row = i;
    }
    ASSERT_GE(row, 0);
    DefinitionFields joule = editor.fields(row);
    joule.inUse = false;
    ASSERT_TRUE(editor.replace(row, joule));
    // The next row of the same expansion names it now.
    EXPECT_EQ(utf8(program.calculate(u"2[Н]*3[м]")), "2[Н]*3[м]=6[Н·м]");

    std::optional<int> mine = editor.add({u"Нм", u"кг·м^2/с^2", u"", true});
    ASSERT_TRUE(mine);
    EXPECT_EQ(utf8(program.calculate(u"2[Н]*3[м]")), "2[Н]*3[м]=6[Нм]");
    ASSERT_TRUE(editor.remove(*mine));
    EXPECT_EQ(utf8(program.calculate(u"2[Н]*3[м]")), "2[Н]*3[м]=6[Н·м]");
}

TEST(DefinitionsEditor, SeparatorsAreNormalisedOnlyForACommaLocaleWithConversionOn) {
    struct Case {
        bool decimalPointIsDot;
        bool convert;
        std::u16string_view typed;
        std::string stored;
    };
    const Case cases[] = {
        {false, true, u"1,5", "1.5"},
        {false, true, u"f(a;b)", "f(a,b)"},
        {false, true, u"Max(1,5;2,5)", "Max(1.5,2.5)"},
        {false, false, u"1,5", "1,5"},
        {true, true, u"f(a;b)", "f(a;b)"},
        {true, false, u"Max(1,2)", "Max(1,2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.typed));
        CalculationOptions options;
        options.decimalPointIsDot = c.decimalPointIsDot;
        options.convertSeparators = c.convert;
        EXPECT_EQ(utf8(normaliseSeparators(c.typed, options)), c.stored);
    }
}

TEST(DefinitionsEditor, ValuesAreStoredNormalisedButNamesAsTyped) {
    Program program;
    program.core.driver().options().decimalPointIsDot = false;
    program.core.driver().options().convertSeparators = true;
    DefinitionsEditor editor = program.editor(Mode::Constants);
    ASSERT_TRUE(editor.add({u"a,b", u"1,5", u"x;y"}));
    const UserRecord& record = program.core.definitions().constants.at(0);
    EXPECT_EQ(utf8(record.name), "a,b");
    EXPECT_EQ(utf8(record.value), "1.5");
    EXPECT_EQ(utf8(record.comment), "x;y");
}

// Constants and expressions: one menu item per record, after the built-in items, kept in
// step by every change; the item inserts the record's value.
TEST(DefinitionsEditor, ConstantsAndExpressionsKeepTheirMenusInStep) {
    for (Mode mode : {Mode::Constants, Mode::Expressions}) {
        SCOPED_TRACE(static_cast<int>(mode));
        Program program;
        DefinitionsEditor editor = program.editor(mode);
        TextMenu& menu =
            mode == Mode::Constants ? program.menus.constants : program.menus.expressions;
        auto insertion = mode == Mode::Constants ? constantInsertion : expressionInsertion;
        std::size_t builtIn = menu.items.size();

        ASSERT_EQ(editor.add({u"первое =", u"11", u"к"}), 0);
        ASSERT_EQ(editor.add({u"второе =", u"(2*x)", u""}), 1);
        ASSERT_EQ(menu.items.size(), builtIn + 2);
        EXPECT_EQ(utf8(menu.items[builtIn + 1]), "второе = (2*x) ");
        EXPECT_EQ(utf8(insertion(menu.items[builtIn + 1])), "(2*x)");

        ASSERT_EQ(editor.replace(0, {u"первое =", u"12", u"к"}), 0);
        EXPECT_EQ(utf8(menu.items[builtIn]), "первое = 12 к");
        EXPECT_EQ(utf8(insertion(menu.items[builtIn])), "12");

        ASSERT_TRUE(editor.remove(0));
        ASSERT_EQ(menu.items.size(), builtIn + 1);
        EXPECT_EQ(utf8(menu.items[builtIn]), "второе = (2*x) ");
        EXPECT_EQ(utf8(editor.fields(0).text2), "(2*x)");
    }
}

TEST(DefinitionsEditor, AnAddedUnitIsUsableAtOnceAndListedInTheMenu) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::Units);
    MenuArray& menu = program.menus.userUnits.items;
    ASSERT_TRUE(menu.onlyPlaceholder());

    ASSERT_EQ(editor.add({u"furlong_x", u"ми/8", u""}), 0);
    EXPECT_EQ(utf8(program.calculate(u"1[furlong_x]")), "1[furlong_x]=201.168[м]");
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(utf8(menu.items[0]), "furlong_x     = ми/8");
    EXPECT_EQ(utf8(unitInsertion(menu.items[0])), "furlong_x");

    ASSERT_EQ(editor.add({u"(шаг), [шг]", u"0.75·м", u"средний шаг"}), 1);
    EXPECT_EQ(utf8(menu.items[1]), "шаг,   (шг)     = 0.75·м");
    EXPECT_EQ(utf8(program.calculate(u"4[шг]")), "4[шг]=3[м]");
    EXPECT_TRUE(program.messages.shown.empty());
}

TEST(DefinitionsEditor, ReplacingAUnitRedefinesItAndItsMenuItem) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::Units);
    ASSERT_TRUE(editor.add({u"пядь", u"0.18·м", u""}));
    ASSERT_TRUE(editor.add({u"локоть", u"0.45·м", u""}));

    // The new definition replaces the unit the record itself registered: that asks.
    ASSERT_EQ(editor.replace(0, {u"пядь", u"0.19·м", u"малая"}), 0);
    EXPECT_EQ(program.messages.shown.size(), 1u);
    EXPECT_EQ(utf8(program.calculate(u"10[пядь]")), "10[пядь]=1.9[м]");
    const MenuArray& menu = program.menus.userUnits.items;
    ASSERT_EQ(menu.items.size(), 2u);
    EXPECT_EQ(utf8(menu.items[0]), "пядь     = 0.19·м");
    EXPECT_EQ(utf8(menu.items[1]), "локоть     = 0.45·м");
    EXPECT_EQ(utf8(editor.rows()[0]), "пядь = 0.19·м малая");
}

// Deleting takes the record out of the file and the menu; the unit stays known for the
// rest of the run, since registered units are never taken back.
TEST(DefinitionsEditor, DeletingAUnitKeepsItKnownUntilTheEnd) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::Units);
    ASSERT_TRUE(editor.add({u"вершок", u"4.445·см", u""}));
    ASSERT_TRUE(editor.remove(0));
    EXPECT_EQ(editor.rowCount(), 0);
    EXPECT_TRUE(program.core.definitions().units.empty());
    EXPECT_TRUE(program.menus.userUnits.items.onlyPlaceholder());
    EXPECT_EQ(utf8(program.calculate(u"1[вершок]")), "1[вершок]=0.04445[м]");
    EXPECT_FALSE(editor.remove(0));
}

// A unit whose name exists asks before it replaces; declined, the record is still stored
// and listed but offers no menu item, since its name still means the old unit.
TEST(DefinitionsEditor, RedefiningAnExistingUnitAsksFirst) {
    for (bool proceed : {true, false}) {
        SCOPED_TRACE(proceed);
        Program program;
        program.messages.proceed = proceed;
        DefinitionsEditor editor = program.editor(Mode::Units);
        ASSERT_EQ(editor.add({u"миля", u"1609·м", u""}), 0);
        ASSERT_EQ(program.messages.shown.size(), 1u);
        EXPECT_NE(program.messages.shown[0].find(u"уже была объявлена: миля="),
                  std::u16string::npos);
        EXPECT_EQ(editor.rowCount(), 1);
        EXPECT_EQ(program.menus.userUnits.items.onlyPlaceholder(), !proceed);
        EXPECT_EQ(utf8(program.calculate(u"1[миля]")),
                  proceed ? "1[миля]=1609[м]" : "1[миля]=1609.344[м]");
    }
}

TEST(DefinitionsEditor, ReservedUnitNameIsReportedButTheRecordKept) {
    Program program;
    DefinitionsEditor editor = program.editor(Mode::Units);
    ASSERT_TRUE(editor.add({u"Me", u"2·м", u""}));
    ASSERT_EQ(program.messages.shown.size(), 1u);
    EXPECT_EQ(utf8(program.messages.shown[0]), "Tally Ошибка размерности: Имя зарезервировано: Me");
    EXPECT_EQ(editor.rowCount(), 1);
}

TEST(DefinitionsEditor, ChangesWithoutANameAreRefused) {
    for (Mode mode : {Mode::Constants, Mode::Units, Mode::Expressions, Mode::ResultDimensions}) {
        SCOPED_TRACE(static_cast<int>(mode));
        Program program;
        DefinitionsEditor editor = program.editor(mode);
        int rows = editor.rowCount();
        EXPECT_FALSE(editor.add({u"   ", u"1", u""}));
        EXPECT_EQ(editor.rowCount(), rows);
        ASSERT_TRUE(editor.add({u"имя", u"1", u""}));
        EXPECT_FALSE(editor.replace(rows, {u"", u"2", u""}));
        EXPECT_EQ(utf8(editor.fields(rows).text2), "1");
        EXPECT_FALSE(editor.replace(rows + 1, {u"другое", u"2", u""}));
        EXPECT_FALSE(editor.replace(-1, {u"другое", u"2", u""}));
    }
}

TEST(DefinitionsEditor, TranslateGivesOneOfTheDesignationInBaseUnits) {
    struct Case {
        std::u16string_view designation;
        std::optional<std::string> expansion;
    };
    const Case cases[] = {
        {u"Дж", "кг·м^2/с^2"},
        {u" Па ", "кг/(м·с^2)"},
        {u"км/ч", "0.277777777777778·м/с"},
        {u"кВт·ч", "3600000·кг·м^2/с^2"},
        {u"мм", "0.001·м"},
        {u"xyz_unknown", std::nullopt},
        {u"м+", std::nullopt},
        {u"м]*0+1[с", std::nullopt},
        {u"", std::nullopt},
    };
    Program program;
    program.engine.setUseDimensions(false);
    DefinitionsEditor editor = program.editor(Mode::ResultDimensions);
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.designation));
        std::optional<std::u16string> expansion = editor.translate(c.designation);
        ASSERT_EQ(expansion.has_value(), c.expansion.has_value());
        if (expansion) {
            EXPECT_EQ(utf8(*expansion), *c.expansion);
        }
    }
    // Translating leaves the calculation options and Ans alone.
    EXPECT_FALSE(program.engine.settings().useDimensions);
    EXPECT_EQ(program.engine.ans(), 0);
}

// What the editor stores is what the definitions file keeps: a fresh program that reads
// the file back shows the same rows in every mode.
TEST(DefinitionsEditor, EditsSurviveTheDefinitionsFile) {
    test::TempFolder folder;
    UserDefinitionsFile file(folder / "User-def.txt");
    std::vector<std::vector<std::u16string>> before;
    {
        Program program;
        program.editor(Mode::Constants).add({u"g", u"9.81", u"м/с^2"});
        program.editor(Mode::Units).add({u"пядь", u"0.18·м", u"старая"});
        program.editor(Mode::Expressions).add({u"Куб", u"(a^3)", u""});
        DefinitionsEditor dimensions = program.editor(Mode::ResultDimensions);
        dimensions.replace(2, {u"", u"", u"", false});
        dimensions.add({u"Нм", u"кг·м^2/с^2", u"", true});
        for (Mode mode : {Mode::Constants, Mode::Units, Mode::Expressions, Mode::ResultDimensions})
            before.push_back(program.editor(mode).rows());
        ASSERT_TRUE(program.core.saveDefinitions(file).saved);
    }
    Program reread;
    ASSERT_EQ(reread.core.loadDefinitions(file).status, DefinitionsLoad::Status::Loaded);
    std::size_t i = 0;
    for (Mode mode : {Mode::Constants, Mode::Units, Mode::Expressions, Mode::ResultDimensions}) {
        EXPECT_EQ(reread.editor(mode).rows(), before[i++]);
    }
    EXPECT_EQ(utf8(reread.calculate(u"2[пядь]")), "2[пядь]=0.36[м]");
}

}  // namespace
}  // namespace tally
