#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Measures texts in the font the subject menus are drawn with.
class MenuTextMetrics {
  public:
    virtual ~MenuTextMetrics() = default;
    virtual int textWidth(std::u16string_view text) const = 0;
    virtual int textHeight() const = 0;
};

// One menu of a subject: its items and, per item, the number of the submenu it opens (0
// for none). Menus are numbered from 1; the top menu is number 1 and has parent 0.
struct SubjectMenu {
    int parent = 0;
    std::vector<std::u16string> items;
    std::vector<int> child;
    // The widest item (a blank and the item's text) and the text height, in the menu font.
    int width = 0;
    int itemHeight = 0;

    int count() const { return static_cast<int>(items.size()); }
    bool hasChild(int item) const { return child[static_cast<std::size_t>(item)] != 0; }
};

// How reading a subject file went.
struct [[nodiscard]] SubjectRead {
    enum class Status {
        Read,          // the whole file
        Missing,       // no such file: the tree is as before (empty after a new reading)
        Unreadable,    // the file exists but could not be read
        SkippedLevel,  // stopped at a line two or more levels deeper than the one before
    };
    Status status = Status::Missing;
    int line = 0;          // 1-based line of the file at which reading stopped
    std::u16string text;   // that line, as the file has it
    std::u16string error;  // why an unreadable file could not be read
};

inline constexpr std::u16string_view kSubjectStructureTitle =
    u"Tally Ошибка в структуре справочника";
// "После: <line> пропущен уровень".
std::u16string skippedLevelMessage(std::u16string_view line);

// The menus of the help subjects, read from outline files. In a file every non-empty line
// is an item; its level is the number of groups of four dots it starts with. Level-0 lines
// fill the top menu; a line one level deeper than the one before opens a submenu of that
// line; a line at the same or a smaller level continues the menu of its level.
//
// Adding a file puts its level-0 lines into the existing top menu, after those already
// there, so one menu offers every subject read.
class SubjectTree {
  public:
    enum class Mode { New = 0, Add = 1 };

    // Reads the file; in New mode the current menus are discarded first, even when the
    // file is missing. A file that skips a level keeps what was read before that line.
    SubjectRead read(const std::filesystem::path& file, Mode mode, const MenuTextMetrics& metrics);
    SubjectRead readLines(const std::vector<std::u16string>& lines, Mode mode,
                          const MenuTextMetrics& metrics);
    // Measures every menu again, for a new font.
    void measure(const MenuTextMetrics& metrics);
    void clear() { m_menus.clear(); }

    bool empty() const { return m_menus.empty(); }
    int menuCount() const { return static_cast<int>(m_menus.size()); }
    const SubjectMenu& menu(int number) const {
        return m_menus[static_cast<std::size_t>(number - 1)];
    }

  private:
    SubjectMenu& at(int number) { return m_menus[static_cast<std::size_t>(number - 1)]; }
    void measureMenu(SubjectMenu& menu, const MenuTextMetrics& metrics) const;

    std::vector<SubjectMenu> m_menus;
};

// What clicking an item types into the document: the text between its "<" and the first
// ">" after it; empty when there is none.
std::u16string subjectInsertion(std::u16string_view item);

// An item written in braces, "{Механика}", is a heading: the menus show the text inside
// and clicking it does nothing. Empty for other items.
std::u16string subjectHeading(std::u16string_view item);

}  // namespace tally
