// The keypad's rules without a window: the letters of the two layouts, where each key
// stands, and the function list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/code_page.h"
#include "session/keypad_arrangement.h"
#include "session/keypad_function_list.h"
#include "session/keypad_keys.h"

namespace tally {
namespace {

KeypadLetters lettersIn(KeypadLanguage language, bool capitals) {
    KeypadLetters letters;
    if (language == KeypadLanguage::Russian) letters.switchLanguage();
    if (!capitals) letters.switchCase();
    return letters;
}

// The Russian keyboard over the Latin letters A..Z.
TEST(KeypadLetters, RussianLettersLieOnTheKeysOfARussianKeyboard) {
    const std::u16string russian = u"ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ";
    for (int index = kFirstLetterKey; index <= kLastLetterKey; ++index) {
        EXPECT_EQ(unitOf(russianLetterCode(index)), russian[static_cast<std::size_t>(index - 1)])
            << index;
    }
    for (int index : {-1, 0, 27, 33, 34, 100})
        EXPECT_EQ(russianLetterCode(index), 0) << index;
}

TEST(KeypadLetters, TagsFollowLayoutAndCase) {
    struct Row {
        int index;
        std::u16string latinCapital, latinSmall, russianCapital, russianSmall;
    };
    const std::vector<Row> rows = {
        {0, u"Lcase", u"Ucase", u"Lcase", u"Ucase"},
        {1, u"A", u"a", u"Ф", u"ф"},
        {17, u"Q", u"q", u"Й", u"й"},
        {26, u"Z", u"z", u"Я", u"я"},
        {41, u"\\", u"\\", u"Ж", u"ж"},
        {42, u":", u":", u"Э", u"э"},
        {46, u"%", u"%", u"Б", u"б"},
        {48, u"!", u"!", u"Ю", u"ю"},
        {51, u"[ ]", u"[ ]", u"Х", u"х"},
        {55, u"|", u"|", u"Ъ", u"ъ"},
        {27, u" ", u" ", u" ", u" "},
        {53, u"pi", u"pi", u"pi", u"pi"},
        {kLetterKeyCount, u"", u"", u"", u""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(lettersIn(KeypadLanguage::Latin, true).tag(row.index), row.latinCapital);
        EXPECT_EQ(lettersIn(KeypadLanguage::Latin, false).tag(row.index), row.latinSmall);
        EXPECT_EQ(lettersIn(KeypadLanguage::Russian, true).tag(row.index), row.russianCapital);
        EXPECT_EQ(lettersIn(KeypadLanguage::Russian, false).tag(row.index), row.russianSmall);
    }
}

TEST(KeypadLetters, TooltipsTellWhatTheRightButtonDoes) {
    struct Row {
        KeyRef key;
        std::u16string latin, russian;
    };
    const std::vector<Row> rows = {
        {{KeyArray::Letter, kCaseKey}, u"Рус", u"Lat"},
        {{KeyArray::Letter, kPlusKey}, u"", u" | | "},
        {{KeyArray::Letter, kBracketsKey}, u"", u" [ ] "},
        {{KeyArray::Letter, 17}, u"", u""},
        {{KeyArray::Letter, 41}, u"", u""},
        {{KeyArray::Letter, 30}, u"Правая кнопка: °", u"Правая кнопка: °"},
        {{KeyArray::Letter, kSpaceKey}, u"", u""},
        {{KeyArray::Oper, kExeKey},
         u"Правая кнопка: на следующую строку",
         u"Правая кнопка: на следующую строку"},
        {{KeyArray::Oper, kHexKey}, u"", u""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(keyTooltip(row.key, lettersIn(KeypadLanguage::Latin, true)), row.latin)
            << row.key.index;
        EXPECT_EQ(keyTooltip(row.key, lettersIn(KeypadLanguage::Russian, false)), row.russian)
            << row.key.index;
    }
}

// Every key keeps its place whatever it shows, and no two keys share one.
TEST(KeypadArrangement, EachKeyKeepsItsPlaceInEveryLayoutCaseAndStyle) {
    std::vector<std::pair<std::string, KeySlot>> taken;
    auto take = [&](const std::string& name, std::optional<KeySlot> slot) {
        if (!slot) return;
        EXPECT_GE(slot->left, 0) << name;
        EXPECT_LE(slot->left + slot->width, kKeypadWidth) << name;
        for (const auto& [other, otherSlot] : taken) {
            bool overlap = otherSlot.row == slot->row &&
                           slot->left < otherSlot.left + otherSlot.width &&
                           otherSlot.left < slot->left + slot->width;
            EXPECT_FALSE(overlap) << name << " overlaps " << other;
        }
        taken.emplace_back(name, *slot);
    };
    for (int index = 0; index < kLetterKeyCount; ++index) {
        const std::optional<KeySlot> first =
            slotOfTag(lettersIn(KeypadLanguage::Latin, true).tag(index));
        for (auto language : {KeypadLanguage::Latin, KeypadLanguage::Russian}) {
            for (bool capitals : {true, false}) {
                EXPECT_EQ(slotOfTag(lettersIn(language, capitals).tag(index)), first) << index;
            }
        }
        // Only the key without an action has no place.
        EXPECT_EQ(first.has_value(), index != 56) << index;
        take("Letter" + std::to_string(index), first);
    }
    for (int index = 0; index < kOperKeyCount; ++index) {
        const std::optional<KeySlot> compact = slotOfTag(operCaption(index, KeyStyle::Compact));
        EXPECT_EQ(slotOfTag(operCaption(index, KeyStyle::Normal)), compact) << index;
        EXPECT_EQ(compact.has_value(), index != 1 && index != 8) << index;
        if (compact) {
            EXPECT_EQ(compact->row, kKeypadRows - 1) << index;
        }
        take("Oper" + std::to_string(index), compact);
    }
    take("FuncList", kFunctionListSlot);
}

TEST(KeypadArrangement, TagsAreComparedWithoutCaseAndBlanks) {
    struct Row {
        std::u16string a, b;
    };
    const std::vector<Row> same = {
        {u"[ ]", u"[]"}, {u"q", u"Q"},   {u"й", u"Й"},   {u"Ucase", u"LCASE"},
        {u"an", u"ans"}, {u"ex", u"do"}, {u"he", u"#x"}, {u"P I", u"pi"},
    };
    for (const Row& row : same) {
        ASSERT_TRUE(slotOfTag(row.a)) << std::string(row.a.begin(), row.a.end());
        EXPECT_EQ(slotOfTag(row.a), slotOfTag(row.b));
    }
    // Look-alike Latin and Cyrillic letters are different keys.
    EXPECT_NE(slotOfTag(u"p"), slotOfTag(u"р"));
    EXPECT_NE(slotOfTag(u"e"), slotOfTag(u"е"));
    EXPECT_FALSE(slotOfTag(u"Last"));
    EXPECT_FALSE(slotOfTag(u""));
    EXPECT_EQ(slotOfTag(u" ")->row, kKeypadRows - 1);
}

TEST(KeypadFunctionList, MenusToggleFunctionsByName) {
    std::vector<std::u16string> names = {u"cos", u"ln", u"sin"};
    KeypadFunctionList list(names);
    list.toggle(u"Sin (x)");
    list.toggle(u"LogN (x, N)");
    list.toggle(u"f(a,b)=a-b");
    EXPECT_EQ(names, (std::vector<std::u16string>{u"cos", u"ln", u"LogN", u"f"}));
    EXPECT_TRUE(list.contains(u"LOGN"));
    list.toggle(u"  LOGN  (x, N)");
    list.toggle(u"(no name)");
    EXPECT_EQ(names, (std::vector<std::u16string>{u"cos", u"ln", u"f"}));
    EXPECT_FALSE(list.add(u"COS"));
    EXPECT_TRUE(list.add(u"tg"));
    EXPECT_EQ(names.back(), u"tg");
}

TEST(KeypadFunctionList, TurningKeysBringTheOtherEntriesToTheFront) {
    struct Row {
        std::vector<std::u16string> names, lastToFront, firstToEnd;
    };
    const std::vector<Row> rows = {
        {{}, {}, {}},
        {{u"sin"}, {u"sin"}, {u"sin"}},
        {{u"a", u"b", u"c"}, {u"c", u"a", u"b"}, {u"b", u"c", u"a"}},
    };
    for (const Row& row : rows) {
        std::vector<std::u16string> names = row.names;
        KeypadFunctionList list(names);
        list.lastToFront();
        EXPECT_EQ(names, row.lastToFront);
        names = row.names;
        list.firstToEnd();
        EXPECT_EQ(names, row.firstToEnd);
    }
}

TEST(KeypadFunctionList, ColumnsShrinkToTheEntries) {
    struct Row {
        int chosen;
        std::size_t entries;
        int shown;
    };
    const std::vector<Row> rows = {
        {4, 6, 4}, {8, 6, 6}, {2, 0, 1}, {3, 1, 1}, {0, 3, 1}, {9, 20, 8},
    };
    for (const Row& row : rows) {
        std::vector<std::u16string> names(row.entries, u"f");
        EXPECT_EQ(KeypadFunctionList(names).shownColumns(row.chosen), row.shown)
            << row.chosen << " columns, " << row.entries << " entries";
    }
}

}  // namespace
}  // namespace tally
