#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tally {

class Engine;
class Messages;

// A menu array of captions as the window will show it; "-" is a separator. Every array
// starts with one placeholder item captioned "Empty", which the first real item replaces.
struct MenuArray {
    static constexpr std::u16string_view kPlaceholder = u"Empty";
    static constexpr std::u16string_view kSeparator = u"-";

    std::vector<std::u16string> items{std::u16string(kPlaceholder)};

    bool onlyPlaceholder() const { return items.size() == 1 && items[0] == kPlaceholder; }
    // Replaces the placeholder, or appends; a separator goes in before index 8, so that a
    // prefixed family lists its eight multiples, a separator and its submultiples.
    void add(std::u16string caption);
};

// Registers unit definition lines: "names = definition", where each name may be marked as
// display-only {…}, long name (…), symbol […], and for prefixed families "..." (full
// prefix names) or a leading "." (prefix symbols).
class UnitDefiner {
  public:
    UnitDefiner(Engine& engine, Messages& messages) : m_engine(engine), m_messages(messages) {}

    // Registers every name of the line; the prefixed forms of the bracketed name go to
    // `prefixedForms` when one is given. Returns false when a duplicate was declined.
    bool defineUnits(std::u16string_view line, MenuArray* prefixedForms = nullptr);

  private:
    enum class Outcome { Registered, Declined, NotAName };
    Outcome registerName(const std::u16string& name, const std::u16string& definition);

    Engine& m_engine;
    Messages& m_messages;
};

// The caption of a definition line in a unit menu, e.g. "метр,   (м)     = 1".
std::u16string printUnitCaption(std::u16string_view line);

// The unit a menu caption stands for: "км" for "кило...  км = 1e3·м".
std::u16string unitOfCaption(std::u16string_view caption);

}  // namespace tally
