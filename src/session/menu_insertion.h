#pragma once

#include <string>
#include <string_view>

namespace tally {

class Engine;

// The texts that wrap an inserted unit: "[" and "]" while the units list's Brackets option
// is on, nothing otherwise.
struct UnitWrapping {
    std::u16string open;
    std::u16string close;
};

// What choosing a menu item inserts into the document.

// A Name or Comb item: the unit its caption stands for, wrapped ("кило...  км = 1e3·м"
// inserts "км").
std::u16string unitInsertion(std::u16string_view caption, const UnitWrapping& wrapping = {});

// A constant: "pi" or "e" for their own items, otherwise the number after "=", cut before
// "..." or the first blank ("Эйлерова постоянная = 0.57721566490..." inserts
// "0.57721566490"); a caption without "=" is inserted trimmed.
std::u16string constantInsertion(std::u16string_view caption);

// An expression: the text after "=" cut the same way ("(2*pi*r)").
std::u16string expressionInsertion(std::u16string_view caption);

// A function: its name and an empty argument list with room for its arguments
// ("LogN (x, N)" inserts "LogN(,)"). A built-in function takes as many places as it accepts
// at most; one without an upper bound gets as many as it needs at least, and one place
// when it needs none. A user function (looked up in `engine` when given) gets one place
// per parameter; an unknown name gets one place.
std::u16string functionInsertion(std::u16string_view caption, const Engine* engine = nullptr);

}  // namespace tally
