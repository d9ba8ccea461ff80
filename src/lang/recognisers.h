#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// Readers that compute nothing: each returns the syntax error message of its grammar,
// empty when the text was accepted.

// Whether the whole text is one numeric literal.
std::u16string checkNumericLiteral(std::u16string_view text);
bool isNumericLiteral(std::u16string_view text);
// The value of a text that is one numeric literal.
std::optional<double> numericLiteralValue(std::u16string_view text);

// Whether the whole text is one name.
std::u16string checkName(std::u16string_view text);
bool isName(std::u16string_view text);

struct NameOccurrences {
    std::u16string message;
    std::vector<int> positions;  // 1-based starts of each whole-name occurrence, in order
};

// Where `name` occurs as a whole name (case ignored) in one expression.
NameOccurrences findNameOccurrences(std::u16string_view expression, std::u16string_view name);

// The same search with the colouring reader, which also accepts relations and a comment:
// used on the bodies of user functions.
NameOccurrences findNameOccurrencesInLine(std::u16string_view line, std::u16string_view name);

}  // namespace tally
