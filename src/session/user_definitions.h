#pragma once

#include <string>
#include <vector>

#include "units/user_definitions_format.h"

namespace tally {

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
