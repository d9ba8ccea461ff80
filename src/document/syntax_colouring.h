#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lang/grammar_actions.h"

namespace tally {

// The colouring of one document line: a text class per character, and the function whose
// argument list is still open where the line ends (its signature is offered while typing).
struct LineColouring {
    std::vector<TextClass> classes;
    std::u16string openFunction;
    bool syntaxError = false;  // an error before the end of the line
};

// Reads the line with the colouring grammar: numbers, names, function names, whole unit
// brackets, operators, brackets and comments get their classes; from a syntax error on the
// rest of the line is "Syntax Error Text". An error at the very end is incomplete input,
// not an error.
LineColouring colourLine(std::u16string_view line);

// The help signature of a built-in function by name (any letter case), or empty.
std::u16string_view functionSignature(std::u16string_view name);

}  // namespace tally
