// Reading subject outline files into menus: levels, submenus, the skipped-level stop, adding
// a second file, measuring, and what an item inserts.

#include "session/subject_outline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/temp_folder.h"
#include "support/evaluate.h"

namespace tally {
namespace {

using test::utf8;
using Mode = SubjectTree::Mode;
using Status = SubjectRead::Status;

// Seven units per character, fourteen high.
class CharacterMetrics : public MenuTextMetrics {
  public:
    int textWidth(std::u16string_view text) const override {
        return static_cast<int>(text.size()) * 7;
    }
    int textHeight() const override { return 14; }
};

// The tree as text: each menu as "number(parent): item, item>child, ...".
std::vector<std::string> shape(const SubjectTree& tree) {
    std::vector<std::string> menus;
    for (int number = 1; number <= tree.menuCount(); ++number) {
        const SubjectMenu& menu = tree.menu(number);
        std::string text = std::to_string(number);
        text += '(';
        text += std::to_string(menu.parent);
        text += "):";
        for (int i = 0; i < menu.count(); ++i) {
            text += ' ';
            text += utf8(menu.items[static_cast<std::size_t>(i)]);
            if (!menu.hasChild(i)) continue;
            text += '>';
            text += std::to_string(menu.child[static_cast<std::size_t>(i)]);
        }
        menus.push_back(text);
    }
    return menus;
}

TEST(SubjectTree, LevelsMakeMenusAndSubmenus) {
    struct Case {
        const char* name;
        std::vector<std::u16string> lines;
        std::vector<std::string> menus;
    };
    const Case cases[] = {
        {"one level", {u"a", u"b", u"c"}, {"1(0): a b c"}},
        {"a submenu and back", {u"a", u"....a1", u"....a2", u"b"}, {"1(0): a>2 b", "2(1): a1 a2"}},
        {"three levels and a jump back two",
         {u"a", u"....a1", u"........a11", u"........a12", u"c"},
         {"1(0): a>2 c", "2(1): a1>3", "3(2): a11 a12"}},
        {"siblings each with a submenu",
         {u"a", u"....x", u"b", u"....y", u"....z"},
         {"1(0): a>2 b>3", "2(1): x", "3(1): y z"}},
        {"empty lines and lines of dots only are skipped",
         {u"", u"a", u"   ", u"....", u"....a1", u""},
         {"1(0): a>2", "2(1): a1"}},
        {"blanks around the text go", {u"  a  ", u"....  a1 "}, {"1(0): a>2", "2(1): a1"}},
        {"dots inside the text stay",
         {u"т.е. ...", u"....x...."},
         {"1(0): т.е. ...>2", "2(1): x...."}},
    };
    CharacterMetrics metrics;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SubjectTree tree;
        SubjectRead read = tree.readLines(c.lines, Mode::New, metrics);
        EXPECT_EQ(read.status, Status::Read);
        EXPECT_EQ(shape(tree), c.menus);
    }
}

TEST(SubjectTree, ASkippedLevelStopsTheReadingAndNamesTheLine) {
    struct Case {
        const char* name;
        std::vector<std::u16string> lines;
        int line;
        std::vector<std::string> menus;  // what stays
    };
    const Case cases[] = {
        {"second line two levels deeper", {u"a", u"........b", u"c"}, 2, {"1(0): a"}},
        {"first line not at the top", {u"....a", u"b"}, 1, {}},
        {"deeper in the file",
         {u"a", u"....a1", u"b", u"....b1", u"............b111"},
         5,
         {"1(0): a>2 b>3", "2(1): a1", "3(1): b1"}},
    };
    CharacterMetrics metrics;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SubjectTree tree;
        SubjectRead read = tree.readLines(c.lines, Mode::New, metrics);
        EXPECT_EQ(read.status, Status::SkippedLevel);
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.text, c.lines[static_cast<std::size_t>(c.line - 1)]);
        EXPECT_EQ(shape(tree), c.menus);
        // What was read is measured, so its windows can be shown.
        for (int number = 1; number <= tree.menuCount(); ++number) {
            EXPECT_EQ(tree.menu(number).itemHeight, 14);
        }
    }
    EXPECT_EQ(utf8(skippedLevelMessage(u"........b")), "После: ........b пропущен уровень");
}

TEST(SubjectTree, AddingPutsTheNewTopLinesIntoTheTopMenu) {
    CharacterMetrics metrics;
    SubjectTree tree;
    ASSERT_EQ(tree.readLines({u"a", u"....a1"}, Mode::New, metrics).status, Status::Read);
    ASSERT_EQ(tree.readLines({u"b", u"....b1", u"c"}, Mode::Add, metrics).status, Status::Read);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"1(0): a>2 b>3 c", "2(1): a1", "3(1): b1"}));
    // An added file is checked like a new one: it may not start below the top.
    EXPECT_EQ(tree.readLines({u"....d"}, Mode::Add, metrics).status, Status::SkippedLevel);
    EXPECT_EQ(tree.menuCount(), 3);

    ASSERT_EQ(tree.readLines({u"n"}, Mode::New, metrics).status, Status::Read);
    EXPECT_EQ(shape(tree), std::vector<std::string>{"1(0): n"});
    // Adding to nothing makes the top menu.
    SubjectTree empty;
    ASSERT_EQ(empty.readLines({u"x"}, Mode::Add, metrics).status, Status::Read);
    EXPECT_EQ(shape(empty), std::vector<std::string>{"1(0): x"});
}

TEST(SubjectTree, MenusAreMeasuredInTheMenuFont) {
    CharacterMetrics metrics;
    SubjectTree tree;
    ASSERT_EQ(tree.readLines({u"ab", u"....abcdef", u"....a", u"abcd"}, Mode::New, metrics).status,
              Status::Read);
    EXPECT_EQ(tree.menu(1).width, 5 * 7);  // " abcd"
    EXPECT_EQ(tree.menu(2).width, 7 * 7);  // " abcdef"
    EXPECT_EQ(tree.menu(2).itemHeight, 14);
    // Adding measures the top menu again with its new items.
    ASSERT_EQ(tree.readLines({u"abcdefghij"}, Mode::Add, metrics).status, Status::Read);
    EXPECT_EQ(tree.menu(1).width, 11 * 7);

    class Wider : public MenuTextMetrics {
      public:
        int textWidth(std::u16string_view text) const override {
            return static_cast<int>(text.size()) * 10;
        }
        int textHeight() const override { return 20; }
    } wider;
    tree.measure(wider);
    EXPECT_EQ(tree.menu(2).width, 70);
    EXPECT_EQ(tree.menu(1).itemHeight, 20);
}

TEST(SubjectTree, ReadsFilesAndKeepsTheTreeWhenOneIsMissingOnAdding) {
    test::TempFolder folder;
    std::filesystem::path file = folder / "Subject.txt";
    std::ofstream(file, std::ios::binary) << "Механика\r\n....Сила <m*a>\r\n";
    CharacterMetrics metrics;
    SubjectTree tree;
    ASSERT_EQ(tree.read(file, Mode::New, metrics).status, Status::Read);
    EXPECT_EQ(shape(tree), (std::vector<std::string>{"1(0): Механика>2", "2(1): Сила <m*a>"}));

    EXPECT_EQ(tree.read(folder / "none.txt", Mode::Add, metrics).status, Status::Missing);
    EXPECT_EQ(tree.menuCount(), 2);
    EXPECT_EQ(tree.read(folder / "none.txt", Mode::New, metrics).status, Status::Missing);
    EXPECT_TRUE(tree.empty());
    EXPECT_EQ(tree.read(folder.path(), Mode::New, metrics).status, Status::Unreadable);
}

TEST(SubjectTree, InsertionTextsAndHeadings) {
    struct Case {
        std::u16string_view item;
        std::string insertion;
        std::string heading;
    };
    const Case cases[] = {
        {u"Площадь круга <pi*r^2>", "pi*r^2", ""},
        {u"Площадь <pi*r^2> м²", "pi*r^2", ""},
        {u"<5[км]/1[ч]>", "5[км]/1[ч]", ""},
        {u"Без формулы", "", ""},
        {u"Открыта <только", "", ""},
        {u"Закрыта> только <", "", ""},
        {u"Пустая <>", "", ""},
        {u"Две <a> и <b>", "a", ""},
        {u"{Раздел}", "", "Раздел"},
        {u"{}", "", ""},
        {u"{не заголовок", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.item));
        EXPECT_EQ(utf8(subjectInsertion(c.item)), c.insertion);
        EXPECT_EQ(utf8(subjectHeading(c.item)), c.heading);
    }
}

}  // namespace
}  // namespace tally
