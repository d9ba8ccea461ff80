#pragma once

#include <string_view>

namespace tally {

// What went wrong while a line was evaluated. A line keeps one error: the first one,
// except that a dimension mismatch (which alone does not stop the line) gives way to any
// later error that does.
enum class EngineError {
    None,
    DimensionMismatch,
    Overflow,
    InvalidArgument,
    TooFewArguments,
    UnknownFunction,
    InvalidAssignment,
    UnknownDimension,
    DimensionError,
    SyntaxError,
    Cancelled,  // the user stopped a long calculation
};

// The Russian text the result box shows for an error; empty for None.
std::u16string_view errorText(EngineError error);

// Whether the error ends the line without a result.
constexpr bool stopsLine(EngineError error) {
    return error != EngineError::None && error != EngineError::DimensionMismatch;
}

// The error a line keeps when `next` happens after `current`.
constexpr EngineError laterError(EngineError current, EngineError next) {
    if (current == EngineError::None) return next;
    if (current == EngineError::DimensionMismatch && stopsLine(next)) return next;
    return current;
}

}  // namespace tally
