#include "session/menu_insertion.h"

#include <algorithm>

#include "engine/engine.h"
#include "engine/function_table.h"
#include "lang/blanks.h"
#include "lang/code_page.h"
#include "units/unit_definitions.h"

namespace tally {

namespace {

// The position of the first "=" when one stands before the caption's last character.
std::size_t definingEquals(std::u16string_view caption) {
    std::size_t equals = caption.find(u'=');
    if (equals == std::u16string_view::npos || equals + 1 >= caption.size()) {
        return std::u16string_view::npos;
    }
    return equals;
}

// The value after "=": cut before "..." when it stands at the second character or later,
// otherwise before the first blank there.
std::u16string valueAfterEquals(std::u16string_view caption, std::size_t equals) {
    std::u16string value = trimBlanks(caption.substr(equals + 1));
    std::size_t cut = value.find(u"...");
    if (cut == std::u16string::npos || cut < 1) cut = value.find(u' ');
    if (cut != std::u16string::npos && cut >= 1) value.resize(cut);
    return value;
}

int placesOf(std::u16string_view name, const Engine* engine) {
    const auto& table = functionTable();
    auto builtIn = std::find_if(table.begin(), table.end(), [&](const FunctionSpec& spec) {
        return equalsIgnoringCase(spec.name, name);
    });
    if (builtIn != table.end()) {
        if (builtIn->maxArguments != kAnyCount) return std::max(builtIn->maxArguments, 1);
        return std::max(builtIn->minArguments, 1);
    }
    if (engine != nullptr) {
        if (const UserFunction* function = engine->symbols().findUserFunction(name)) {
            return std::max(function->parameterCount(), 1);
        }
    }
    return 1;
}

}  // namespace

std::u16string unitInsertion(std::u16string_view caption, const UnitWrapping& wrapping) {
    return wrapping.open + unitOfCaption(caption) + wrapping.close;
}

std::u16string constantInsertion(std::u16string_view caption) {
    std::size_t equals = definingEquals(caption);
    if (equals == std::u16string_view::npos) return trimBlanks(caption);
    std::u16string name = trimBlanks(caption.substr(0, equals));
    if (equalsIgnoringCase(name, u"pi")) return u"pi";
    if (equalsIgnoringCase(name, u"e")) return u"e";
    return valueAfterEquals(caption, equals);
}

std::u16string expressionInsertion(std::u16string_view caption) {
    std::size_t equals = definingEquals(caption);
    if (equals == std::u16string_view::npos) return trimBlanks(caption);
    return valueAfterEquals(caption, equals);
}

std::u16string functionInsertion(std::u16string_view caption, const Engine* engine) {
    std::u16string name = trimBlanks(caption.substr(0, caption.find(u'(')));
    int places = placesOf(name, engine);
    return name + u"(" + std::u16string(static_cast<std::size_t>(places - 1), u',') + u")";
}

}  // namespace tally
