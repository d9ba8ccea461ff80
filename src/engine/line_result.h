#pragma once

#include <string>
#include <vector>

#include "engine/dimension.h"
#include "engine/engine_error.h"

namespace tally {

// What the reading of a line tells the document driver about its form.
struct StatementFlags {
    bool equalsAtEnd = false;
    bool isComparison = false;
    bool isPlainAssignment = false;
    bool isBareLiteral = false;
    bool isFunctionDefinition = false;
    bool assignmentDone = false;
};

// A value with its dimension over the base units.
struct Quantity {
    double value = 0;
    DimensionVector dimension;
};

// What evaluating a stored expression produced.
struct ExpressionResult {
    // The reader's message for the text or for a text evaluated for it (a user-function
    // body, a unit definition); empty when everything was read.
    std::u16string syntaxMessage;
    EngineError error = EngineError::None;
    Quantity result;

    bool ok() const { return syntaxMessage.empty() && error == EngineError::None; }
};

// What evaluating a calculation line produced.
struct LineResult {
    std::u16string syntaxMessage;  // the line's own syntax error, empty when it was read
    // A text evaluated for the line (a user-function body, a unit definition) had a syntax
    // error.
    bool nestedSyntaxError = false;
    EngineError error = EngineError::None;
    Quantity result;
    std::u16string resultNote;  // shown instead of the number (degrees-minutes-seconds)
    StatementFlags flags;
    double leftValue = 0;         // the left side of a comparison
    std::u16string assignedName;  // the variable an assignment stored into
    // A definition line's first call, which it turns into a user function; empty for
    // other lines.
    std::u16string firstCallName;
    std::vector<std::u16string> firstCallArguments;
};

}  // namespace tally
