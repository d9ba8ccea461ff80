// The user definitions file on disk: loading into the engine, the driver's lists and the
// menus, saving them back, and what happens when reading or writing goes wrong.

#include "session/user_definitions_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "lang/code_page.h"
#include "session/session.h"
#include "session/temp_folder.h"
#include "support/evaluate.h"
#include "units/catalogue.h"

namespace tally {
namespace {

using test::readBytes;
using test::TempFolder;
using test::utf8;
using test::writeBytes;
using Status = DefinitionsLoad::Status;

// The parts of the program the definitions file touches, built as at start-up.
struct Program {
    TextDocument document;
    AutomaticMessageWindow window;
    Session core{document, window};
    Engine& engine = core.engine();
    CalculationDriver& driver = core.driver();
    UserDefinitions& definitions = core.definitions();
    const Catalogue& catalogue = core.catalogue();

    DefinitionsSession session() {
        return {engine, core.messages(), driver, core.menus(), definitions};
    }
    double value(std::u16string_view name) {
        EntryRef entry = engine.symbols().find(name);
        return entry.valid() ? engine.symbols()[entry].value : -1;
    }
    std::string calculate(std::u16string_view line) {
        document.appendLine(line);
        driver.calculateCurrentLine();
        return utf8(document.lines().back());
    }
};

// A fresh core and its definitions file in a folder of its own.
class UserDefinitionsFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    Program program;
    DefinitionsSession session = program.session();
    UserDefinitionsFile file = UserDefinitionsFile::inFolder(folder.path());
};

// Every section, written as the program writes it (UTF-8, CR LF).
std::string completeFile() {
    std::string flags(42, '+');  // one per built-in compound unit
    flags[1] = ' ';
    flags[39] = ' ';
    const char* lines[] = {
        "$**********Synchronous solutions",
        " 1",
        "Hex",
        "Ans*1000",
        "$**********Variables",
        " 0",
        "длина=2.5",
        "x=2",
        "$**********User-defined functions",
        "f(x)=x^2+1",
        "g(a,b)=a*b",
        "$**********Keypad functions",
        "sin",
        "cos",
        "f",
        "$**********User-defined dimensions of results",
        flags.c_str(),
        "га",
        "10000*м^2",
        "+",
        "кв",
        "м^2",
        "   ",
        "$**********User-defined constants",
        "g =",
        "9.80665",
        "ускорение свободного падения",
        "$**********User-defined units of measurements",
        "furlong_x, [фурл]",
        "ми/8",
        "",
        "$**********User-defined expressions",
        "Объём шара =",
        "4/3*pi*r^3",
        "r - радиус",
    };
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

TEST_F(UserDefinitionsFileTest, LoadsEverySection) {
    writeBytes(folder / "User-def.txt", completeFile());
    DefinitionsLoad load = file.load(session);
    EXPECT_EQ(load.status, Status::Loaded);
    EXPECT_FALSE(load.windows1251);
    EXPECT_FALSE(file.backupPending());
    EXPECT_EQ(program.window.shown, std::vector<std::u16string>{});

    EXPECT_EQ(program.driver.addedCalculations(),
              (std::vector<std::u16string>{u"Hex", u"Ans*1000"}));
    EXPECT_EQ(program.driver.resultBox().selectedIndex, 1);
    // Written from the last item to the first, the variables come back in the box's order.
    EXPECT_EQ(program.driver.variables().items(),
              (std::vector<std::u16string>{u"x=2", u"длина=2.5"}));
    EXPECT_EQ(program.definitions.variablesSelection, 0);
    EXPECT_EQ(program.value(u"длина"), 2.5);
    EXPECT_EQ(program.driver.userFunctions().items(),
              (std::vector<std::u16string>{u"f(x)=x^2+1", u"g(a,b)=a*b"}));
    EXPECT_EQ(program.calculate(u"f(3)+g(2,5)"), "f(3)+g(2,5)=20");
    EXPECT_EQ(program.definitions.keypadFunctions,
              (std::vector<std::u16string>{u"sin", u"cos", u"f"}));

    const CompoundUnitTable& table = program.driver.compoundUnits();
    EXPECT_FALSE(table.builtInRows()[1].enabled);
    EXPECT_FALSE(table.builtInRows()[39].enabled);  // Дж
    EXPECT_TRUE(table.builtInRows()[0].enabled);
    ASSERT_EQ(table.userRows().size(), 2u);
    EXPECT_TRUE(table.userRows()[0].enabled);
    EXPECT_FALSE(table.userRows()[1].enabled);
    EXPECT_EQ(program.calculate(u"3[га]*2="), "3[га]*2=6[га]");

    const CatalogueMenus& menus = program.catalogue.menus();
    EXPECT_EQ(utf8(menus.constants.items.back()), "g = 9.80665 ускорение свободного падения");
    EXPECT_EQ(menus.constants.items.size(), 5u);
    EXPECT_EQ(utf8(menus.expressions.items.back()), "Объём шара = 4/3*pi*r^3 r - радиус");
    ASSERT_EQ(menus.userUnits.items.items.size(), 1u);
    EXPECT_EQ(utf8(menus.userUnits.items.items[0]), "фурл     = ми/8");
    EXPECT_EQ(program.calculate(u"8[фурл]/1[mile]"), "8[фурл]/1[mile]=1");
    EXPECT_EQ(program.definitions.units.size(), 1u);
}

TEST_F(UserDefinitionsFileTest, LoadAndSaveLeaveTheFileAsItWas) {
    const std::string original = completeFile();
    writeBytes(folder / "User-def.txt", original);
    ASSERT_EQ(file.load(session).status, Status::Loaded);
    DefinitionsSave save = file.save(session);
    EXPECT_TRUE(save.saved) << utf8(save.error);
    EXPECT_EQ(readBytes(folder / "User-def.txt"), original);
    EXPECT_FALSE(std::filesystem::exists(folder / "User-def.txt.bak"));
    EXPECT_FALSE(std::filesystem::exists(folder / "User-def.txt.tmp"));
}

TEST_F(UserDefinitionsFileTest, NewDefinitionsAreSaved) {
    UserDefinitionsFile deeper = UserDefinitionsFile::inFolder(folder.path() / "new" / "data");
    EXPECT_EQ(deeper.load(session).status, Status::NoFile);
    program.calculate(u"a=5");
    program.calculate(u"b=a*2");
    program.calculate(u"h(t)=t/2");
    program.definitions.keypadFunctions.clear();
    ASSERT_TRUE(deeper.save(session).saved);

    Program next;
    auto nextSession = next.session();
    ASSERT_EQ(deeper.load(nextSession).status, Status::Loaded);
    EXPECT_EQ(next.value(u"b"), 10);
    EXPECT_EQ(next.driver.variables().items(), program.driver.variables().items());
    EXPECT_EQ(next.calculate(u"h(8)"), "h(8)=4");
    // An emptied keypad list is not written, so the next run starts with the default one.
    EXPECT_EQ(next.definitions.keypadFunctions, defaultKeypadFunctions());
}

TEST_F(UserDefinitionsFileTest, VariablesThatDoNotEvaluateAreSkipped) {
    writeBytes(folder / "User-def.txt",
               "$**********Variables\r\n-1\r\nx = 2 * 3\r\n=5\r\ny=\r\nz=1+\r\nAns=4\r\n"
               "sin=2\r\nw=x+1\r\n");
    ASSERT_EQ(file.load(session).status, Status::Loaded);
    EXPECT_EQ(program.value(u"x"), 6);
    EXPECT_EQ(program.value(u"w"), 7);
    EXPECT_EQ(program.driver.variables().items(), (std::vector<std::u16string>{u"w=7", u"x=6"}));
    EXPECT_EQ(program.window.shown, std::vector<std::u16string>{});
}

// Lines the program could not take would vanish at the next save: the file is kept first.
TEST_F(UserDefinitionsFileTest, SkippedLinesKeepTheOriginal) {
    const std::string original =
        "$**********Variables\r\n 0\r\nx = 2\r\nbad = 1+\x01\r\n"
        "$**********User-defined functions\r\nf(x)=x^2\r\ng(=\r\n";
    writeBytes(folder / "User-def.txt", original);
    DefinitionsLoad load = file.load(session);
    EXPECT_EQ(load.status, Status::Loaded);
    EXPECT_EQ(load.skippedLines, 2);
    EXPECT_TRUE(file.backupPending());
    DefinitionsSave saved = file.save(session);
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(saved.backup.filename(), "User-def.txt.bak");
    EXPECT_EQ(readBytes(folder / "User-def.txt.bak"), original);
}

// Each line is read in its own encoding: one line written by an older program in
// Windows-1251 does not garble the UTF-8 lines around it.
TEST_F(UserDefinitionsFileTest, EncodingIsDecidedPerLine) {
    std::string bytes = "$**********Variables\r\n 0\r\n" + toUtf8(u"длина=2\r\n");
    for (char16_t c : std::u16string_view(u"ширина=3\r\n"))
        bytes.push_back(static_cast<char>(codeOf(c)));
    bytes += toUtf8(u"высота=4\r\n");
    writeBytes(folder / "User-def.txt", bytes);
    DefinitionsLoad load = file.load(session);
    EXPECT_TRUE(load.windows1251);
    EXPECT_EQ(load.skippedLines, 0);
    EXPECT_EQ(program.value(u"длина"), 2);
    EXPECT_EQ(program.value(u"ширина"), 3);
    EXPECT_EQ(program.value(u"высота"), 4);
}

TEST_F(UserDefinitionsFileTest, EarlyStopKeepsTheOriginalBeforeTheFirstRewrite) {
    const std::string original =
        "$**********User-defined constants\r\nk\r\n1.5\r\n\r\n"
        "$**********Unknown section\r\nlost\r\n"
        "$**********User-defined expressions\r\nE =\r\n2*k\r\n\r\n";
    writeBytes(folder / "User-def.txt", original);
    writeBytes(folder / "User-def.txt.bak", "an older backup");
    DefinitionsLoad load = file.load(session);
    EXPECT_EQ(load.status, Status::StoppedEarly);
    EXPECT_EQ(load.stopLine, 5);
    EXPECT_TRUE(file.backupPending());
    EXPECT_EQ(program.definitions.constants.size(), 1u);
    EXPECT_TRUE(program.definitions.expressions.empty());
    // A line that starts no section ends the reading without a message.
    EXPECT_EQ(program.window.shown, std::vector<std::u16string>{});

    DefinitionsSave save = file.save(session);
    ASSERT_TRUE(save.saved);
    EXPECT_EQ(save.backup.filename(), "User-def.txt.bak1");
    EXPECT_EQ(readBytes(folder / "User-def.txt.bak1"), original);
    EXPECT_EQ(readBytes(folder / "User-def.txt.bak"), "an older backup");
    ASSERT_EQ(program.window.shown.size(), 1u);
    EXPECT_NE(program.window.shown[0].find(u"User-def.txt.bak1"), std::u16string::npos);
    EXPECT_EQ(program.window.shown[0].find(u"Tally Запись конфигурации: "), 0u);

    // Only the first rewrite keeps a copy.
    ASSERT_TRUE(file.save(session).saved);
    EXPECT_FALSE(std::filesystem::exists(folder / "User-def.txt.bak2"));
    EXPECT_EQ(program.window.shown.size(), 1u);
}

TEST_F(UserDefinitionsFileTest, RecordCutShortIsAnError) {
    writeBytes(folder / "User-def.txt",
               "$**********User-defined units of measurements\r\nfurlong_y\r\nми/8\r\n\r\n"
               "broken_unit\r\nми\r\n");
    EXPECT_EQ(file.load(session).status, Status::StoppedEarly);
    EXPECT_EQ(
        program.window.shown,
        (std::vector<std::u16string>{u"Tally Чтение конфигурации: Ошибка в файле User-def.txt"}));
    // What was read before the fault stays in effect.
    EXPECT_TRUE(program.engine.findUnit(u"furlong_y").has_value());
    EXPECT_FALSE(program.engine.findUnit(u"broken_unit").has_value());
    ASSERT_TRUE(file.save(session).saved);
    EXPECT_TRUE(std::filesystem::exists(folder / "User-def.txt.bak"));
}

TEST_F(UserDefinitionsFileTest, FailedSaveLeavesTheOldFile) {
    const std::string original = completeFile();
    writeBytes(folder / "User-def.txt", original);
    ASSERT_EQ(file.load(session).status, Status::Loaded);
    program.calculate(u"новая=1");
    // A folder now stands where the file was: the new file cannot take its name.
    std::filesystem::remove(folder / "User-def.txt");
    std::filesystem::create_directory(folder / "User-def.txt");
    writeBytes(folder / "User-def.txt" / "kept", original);
    DefinitionsSave save = file.save(session);
    EXPECT_FALSE(save.saved);
    EXPECT_FALSE(save.error.empty());
    EXPECT_EQ(readBytes(folder / "User-def.txt" / "kept"), original);
    // Nothing of the failed attempt is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              1);
    // The caller reports the failure, with the reason and the path the error names.
    EXPECT_NE(save.error.find(u"User-def.txt"), std::u16string::npos);
    EXPECT_TRUE(program.window.shown.empty());
}

// The same definitions as an older system wrote them: Windows-1251 bytes.
TEST_F(UserDefinitionsFileTest, ReadsWindows1251AndWritesUtf8) {
    const std::u16string text =
        u"$**********Variables\r\n 0\r\nскорость=12.5\r\n"
        u"$**********User-defined constants\r\nЧисло Авогадро =\r\n6.02214076e23\r\nмоль^-1\r\n";
    std::string bytes;
    for (char16_t c : text)
        bytes.push_back(static_cast<char>(codeOf(c)));
    writeBytes(folder / "User-def.txt", bytes);
    DefinitionsLoad load = file.load(session);
    EXPECT_EQ(load.status, Status::Loaded);
    EXPECT_TRUE(load.windows1251);
    EXPECT_EQ(program.value(u"скорость"), 12.5);
    ASSERT_EQ(program.definitions.constants.size(), 1u);
    EXPECT_EQ(utf8(program.definitions.constants[0].name), "Число Авогадро =");
    ASSERT_TRUE(file.save(session).saved);
    std::string saved = readBytes(folder / "User-def.txt");
    EXPECT_NE(saved.find(toUtf8(u"Число Авогадро =\r\n6.02214076e23\r\nмоль^-1\r\n")),
              std::string::npos);
    EXPECT_NE(saved.find(toUtf8(u"скорость=12.5\r\n")), std::string::npos);
}

TEST_F(UserDefinitionsFileTest, UserUnitsMayReplaceBuiltInOnes) {
    writeBytes(folder / "User-def.txt",
               "$**********User-defined units of measurements\r\nмиля_x, [ми]\r\n1600·м\r\n"
               "округлённая миля\r\nMe\r\n1\r\n\r\n");
    ASSERT_EQ(file.load(session).status, Status::Loaded);
    // The confirmation for an existing name is answered "Продолжить": the unit is replaced.
    ASSERT_EQ(program.window.shown.size(), 2u);
    EXPECT_NE(program.window.shown[0].find(u"уже была объявлена: ми="), std::u16string::npos);
    EXPECT_EQ(utf8(program.window.shown[1]), "Tally Ошибка размерности: Имя зарезервировано: Me");
    EXPECT_EQ(program.calculate(u"1[ми]/1[м]"), "1[ми]/1[м]=1600");
    EXPECT_EQ(program.definitions.units.size(), 2u);
    EXPECT_EQ(program.catalogue.menus().userUnits.items.items.size(), 2u);
}

}  // namespace
}  // namespace tally
