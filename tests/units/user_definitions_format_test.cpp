// The sections of the definitions file, read and written without touching any file.

#include "units/user_definitions_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;
using Lines = std::vector<std::u16string>;
using Stop = ParsedDefinitions::Stop;

TEST(DefinitionsFormat, SectionsInAnyOrder) {
    const Lines lines = {
        u"$**********User-defined constants",
        u"g =",
        u"9.80665",
        u"",
        u"$**********Keypad functions",
        u"sin",
        u"f",
        u"$**********Variables",
        u" 1",
        u"y=3",
        u"x=2",
        u"$**********User-defined dimensions of results",
        u"+ +",
        u"га",
        u"10000*м^2",
        u"+",
        u"$**********Synchronous solutions",
        u"-1",
        u"Hex",
    };
    ParsedDefinitions parsed = parseDefinitions(lines);
    EXPECT_EQ(parsed.stop, Stop::None);
    EXPECT_EQ(parsed.order, (std::vector<DefinitionsSection>{
                                DefinitionsSection::Constants, DefinitionsSection::KeypadFunctions,
                                DefinitionsSection::Variables, DefinitionsSection::CompoundUnits,
                                DefinitionsSection::AddedCalculations}));
    const DefinitionsContent& c = parsed.content;
    EXPECT_EQ(c.constants, (std::vector<UserRecord>{{u"g =", u"9.80665", u""}}));
    EXPECT_EQ(c.keypadFunctions, (Lines{u"sin", u"f"}));
    ASSERT_TRUE(c.variables);
    EXPECT_EQ(c.variables->selectedIndex, 1);
    EXPECT_EQ(c.variables->entries, (Lines{u"y=3", u"x=2"}));
    EXPECT_EQ(c.compoundUnitFlags, std::u16string(u"+ +"));
    EXPECT_EQ(c.compoundUnits, (std::vector<UserRecord>{{u"га", u"10000*м^2", u"+"}}));
    ASSERT_TRUE(c.addedCalculations);
    EXPECT_EQ(c.addedCalculations->selectedIndex, -1);
    EXPECT_TRUE(c.userFunctions.empty());
}

TEST(DefinitionsFormat, EmptySectionsAreNotErrors) {
    const Lines lines = {u"$**********Synchronous solutions", u"$**********Variables",
                         u"$**********User-defined dimensions of results",
                         u"$**********User-defined constants"};
    ParsedDefinitions parsed = parseDefinitions(lines);
    EXPECT_EQ(parsed.stop, Stop::None);
    EXPECT_EQ(parsed.order.size(), 4u);
    ASSERT_TRUE(parsed.content.variables);
    EXPECT_TRUE(parsed.content.variables->entries.empty());
    EXPECT_FALSE(parsed.content.compoundUnitFlags);
}

TEST(DefinitionsFormat, WhereReadingStops) {
    struct Case {
        Lines lines;
        Stop stop;
        int line;
        std::size_t constantsKept;
    };
    const Case cases[] = {
        {{u"garbage"}, Stop::UnknownLine, 1, 0},
        {{u"$**********User-defined constants", u"a", u"1", u"", u"$unknown marker", u"b"},
         Stop::UnknownLine,
         5,
         1},
        // A record cut short by the end of the file; the complete one before it stays.
        {{u"$**********User-defined constants", u"a", u"1", u"", u"b", u"2"},
         Stop::Malformed,
         5,
         1},
        {{u"$**********Variables", u"first", u"x=1"}, Stop::Malformed, 2, 0},
        // Lines two and three of a record are its own even when they start with "$".
        {{u"$**********User-defined constants", u"a", u"$1", u"$ comment"}, Stop::None, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.lines[0]));
        ParsedDefinitions parsed = parseDefinitions(c.lines);
        EXPECT_EQ(parsed.stop, c.stop);
        EXPECT_EQ(parsed.stopLine, c.line);
        EXPECT_EQ(parsed.content.constants.size(), c.constantsKept);
    }
}

TEST(DefinitionsFormat, WriterOrderAndIndexLines) {
    DefinitionsContent content;
    content.variables = DefinitionsContent::List{0, {u"y=3", u"x=2"}};
    content.addedCalculations = DefinitionsContent::List{12, {u"Hex"}};
    content.keypadFunctions = {u"sin"};
    content.compoundUnitFlags = u"++ ";
    content.units = {{u"furlong_x", u"ми/8", u""}};
    const Lines expected = {
        u"$**********Synchronous solutions",
        u" 12",
        u"Hex",
        u"$**********Variables",
        u" 0",
        u"y=3",
        u"x=2",
        u"$**********Keypad functions",
        u"sin",
        u"$**********User-defined dimensions of results",
        u"++ ",
        u"$**********User-defined units of measurements",
        u"furlong_x",
        u"ми/8",
        u"",
    };
    EXPECT_EQ(formatDefinitions(content), expected);
    EXPECT_EQ(utf8(indexLine(-1)), "-1");
    EXPECT_EQ(utf8(indexLine(0)), " 0");
}

// Texts that start with "$" (a name may) or hold line breaks cannot end the reading of the
// file they are written to.
TEST(DefinitionsFormat, WrittenTextsNeverEndTheReading) {
    DefinitionsContent content;
    content.variables = DefinitionsContent::List{-1, {u"$rate=0.05"}};
    content.userFunctions = {u"$f(x)=x"};
    content.compoundUnitFlags = u"";
    content.compoundUnits = {{u"$", u"1*м", u"+"}};
    content.constants = {{u"$ курс", u"$90", u"две\r\nстроки"}};
    content.expressions = {{u"после", u"1", u""}};
    Lines lines = formatDefinitions(content);
    ParsedDefinitions parsed = parseDefinitions(lines);
    EXPECT_EQ(parsed.stop, Stop::None);
    EXPECT_EQ(parsed.content.variables->entries, (Lines{u" $rate=0.05"}));
    EXPECT_EQ(parsed.content.userFunctions, (Lines{u" $f(x)=x"}));
    EXPECT_EQ(parsed.content.constants,
              (std::vector<UserRecord>{{u" $ курс", u"$90", u"две  строки"}}));
    EXPECT_EQ(parsed.content.expressions.size(), 1u);
    // What was read once is written back unchanged.
    EXPECT_EQ(formatDefinitions(parsed.content), lines);
}

// A line break left inside a line of the file (a lone carriage return) reads as the blank it is
// written as, so that reading, writing and reading again keep the same content.
TEST(DefinitionsFormat, LineBreaksInsideALineReadAsTheyAreWritten) {
    const Lines lines = {u"$**********Keypad functions",
                         u"sin",
                         u"sf\r",
                         u"$**********User-defined constants",
                         u"c\r",
                         u"1\r2",
                         u""};
    ParsedDefinitions parsed = parseDefinitions(lines);
    EXPECT_EQ(parsed.stop, Stop::None);
    EXPECT_EQ(parsed.content.keypadFunctions, (Lines{u"sin", u"sf "}));
    EXPECT_EQ(parsed.content.constants, (std::vector<UserRecord>{{u"c ", u"1 2", u""}}));
    Lines written = formatDefinitions(parsed.content);
    EXPECT_EQ(formatDefinitions(parseDefinitions(written).content), written);
}

}  // namespace
}  // namespace tally
