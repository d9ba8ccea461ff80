#pragma once

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

// The keypad's function list as it stands before the user changes it.
inline std::vector<std::u16string> defaultKeypadFunctions() {
    return {u"cos", u"ln", u"sin", u"sqrt", u"tg", u"arctg"};
}

// What the user defined that neither the engine's tables nor the calculation driver's lists
// hold, and that the definitions file keeps between runs.
struct UserDefinitions {
    std::vector<UserRecord> constants;
    std::vector<UserRecord> units;
    std::vector<UserRecord> expressions;
    std::vector<std::u16string> keypadFunctions = defaultKeypadFunctions();
    // The selected item of the variables box, -1 for none.
    int variablesSelection = -1;
};

}  // namespace tally
