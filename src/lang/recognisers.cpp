#include "lang/recognisers.h"

#include "lang/code_page.h"
#include "lang/grammar.h"

namespace tally {

namespace {

// Collects every name read and keeps the starts of those equal to the search name.
struct NameSearchActions : GrammarActions {
    std::u16string_view searchName;
    int start = 0;
    std::vector<int> positions;

    void beginName(int position) { start = position; }
    double lookupName(std::u16string_view name) {
        if (equalsIgnoringCase(name, searchName)) positions.push_back(start);
        return 0;
    }
};

NameOccurrences search(const GrammarVariant& variant, std::u16string_view text,
                       std::u16string_view name) {
    NameSearchActions actions;
    actions.searchName = name;
    Grammar<NameSearchActions> grammar(variant, actions);
    NameOccurrences result;
    result.message = grammar.parse(text);
    result.positions = std::move(actions.positions);
    return result;
}

}  // namespace

std::u16string checkNumericLiteral(std::u16string_view text) {
    GrammarActions actions;
    return Grammar<GrammarActions>(GrammarVariant::number(), actions).parse(text);
}

std::optional<double> numericLiteralValue(std::u16string_view text) {
    GrammarActions actions;
    if (!Grammar<GrammarActions>(GrammarVariant::number(), actions).accepts(text)) {
        return std::nullopt;
    }
    return actions.scratchValue;
}

bool isNumericLiteral(std::u16string_view text) {
    GrammarActions actions;
    return Grammar<GrammarActions>(GrammarVariant::number(), actions).accepts(text);
}

bool isName(std::u16string_view text) {
    GrammarActions actions;
    return Grammar<GrammarActions>(GrammarVariant::variable(), actions).accepts(text);
}

std::u16string checkName(std::u16string_view text) {
    GrammarActions actions;
    return Grammar<GrammarActions>(GrammarVariant::variable(), actions).parse(text);
}

NameOccurrences findNameOccurrences(std::u16string_view expression, std::u16string_view name) {
    return search(GrammarVariant::express(), expression, name);
}

NameOccurrences findNameOccurrencesInLine(std::u16string_view line, std::u16string_view name) {
    return search(GrammarVariant::colour(), line, name);
}

}  // namespace tally
