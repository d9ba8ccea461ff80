#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tally {

// One record of the user's constants, units or expressions, three texts:
//   constants:   caption, value, comment;
//   units:       the unit's names in the unit-definition language, its definition, comment;
//   expressions: caption, expression, comment.
struct UserRecord {
    std::u16string name;
    std::u16string value;
    std::u16string comment;
    friend bool operator==(const UserRecord&, const UserRecord&) = default;
};

// The caption of a user constant or expression in its menu: the three texts joined by blanks.
inline std::u16string recordCaption(const UserRecord& record) {
    return record.name + u" " + record.value + u" " + record.comment;
}

// The unit definition line of a user unit: names " = " definition.
inline std::u16string unitLine(const UserRecord& record) {
    return record.name + u" = " + record.value;
}

// The content of the definitions file, section by section, as the lines hold it.
struct DefinitionsContent {
    struct List {
        int selectedIndex = -1;
        std::vector<std::u16string> entries;  // in file order
    };
    std::optional<List> addedCalculations;
    std::optional<List> variables;  // entries from the last list item to the first
    std::vector<std::u16string> userFunctions;
    std::vector<std::u16string> keypadFunctions;
    // One character per built-in compound unit, "+" when in use; absent when the section had
    // no flag line.
    std::optional<std::u16string> compoundUnitFlags;
    std::vector<UserRecord> compoundUnits;  // designation, expansion, in-use marker
    std::vector<UserRecord> constants;
    std::vector<UserRecord> units;
    std::vector<UserRecord> expressions;
};

// The file's sections, in the order the writer emits them.
enum class DefinitionsSection {
    AddedCalculations,
    Variables,
    UserFunctions,
    KeypadFunctions,
    CompoundUnits,
    Constants,
    Units,
    Expressions,
};

// The marker line that starts a section, e.g. "$**********Variables".
std::u16string_view sectionMarker(DefinitionsSection section);

// Lines as the reader met them: each section read goes to `content` and is listed in
// `order` at its first appearance, so that sections apply in file order. A section that
// appears again adds its records, or replaces its list. Reading stops at a line that starts
// no section or at a malformed one (an index line that is not a number, a three-line record
// cut short by the end of the file); what came before stays.
struct [[nodiscard]] ParsedDefinitions {
    enum class Stop { None, UnknownLine, Malformed };
    DefinitionsContent content;
    std::vector<DefinitionsSection> order;
    Stop stop = Stop::None;
    int stopLine = 0;  // 1-based line at which reading stopped
};
ParsedDefinitions parseDefinitions(std::vector<std::u16string> lines);

// The lines of a definitions file. Sections without content are left out, except the
// compound units, which are always written. A line the reader would take for the start of
// a section (one that starts with "$" where an entry or a record begins) is written with a
// leading blank, and line breaks inside a text become blanks, so nothing written can end
// the reading early.
std::vector<std::u16string> formatDefinitions(const DefinitionsContent& content);

// The index line: " 3" for non-negative numbers, "-1".
std::u16string indexLine(int index);

}  // namespace tally
