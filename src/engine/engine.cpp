#include "engine/engine.h"

#include "lang/recognisers.h"

namespace tally {

namespace {

// What a text evaluated while a calculation runs would destroy: it is refused.
constexpr std::u16string_view kBusy = u"Вычисление уже идёт";

}  // namespace

// "pi" is unit record 1, so that it can be written inside unit brackets. Like every unit
// that is not a base unit, its entry holds 1.
Engine::Engine() {
    int record = m_tables.units.add(u"pi", u"3.141592653589793");
    m_tables.symbols.add(unitName(u"pi"), 1, code::unitRecord(record));
}

LineResult Engine::evaluateLine(std::u16string_view line) {
    LineResult result;
    evaluateLine(line, result);
    return result;
}

void Engine::evaluateLine(std::u16string_view line, LineResult& result) {
    if (calculating()) {
        result = LineResult{};
        result.syntaxMessage = kBusy;
        return;
    }
    m_evaluator.evaluateLine(line, result);
}

ExpressionResult Engine::evaluateExpression(std::u16string_view text) {
    if (calculating()) {
        ExpressionResult refused;
        refused.syntaxMessage = kBusy;
        return refused;
    }
    return m_evaluator.evaluateExpression(text);
}

EntryRef Engine::assignVariable(std::u16string_view name, double value) {
    return m_tables.symbols.assignVariable(name, value);
}

bool Engine::defineUserFunction(std::u16string_view name, std::vector<std::u16string> parameters,
                                std::u16string body) {
    return m_tables.symbols.defineUserFunction(name, std::move(parameters), std::move(body));
}

std::optional<RegisteredUnit> Engine::findUnit(std::u16string_view name) const {
    EntryRef entry = m_tables.symbols.findExact(unitName(name));
    if (!entry.valid()) return std::nullopt;
    const VariableEntry& e = m_tables.symbols[entry];
    if (!code::isUnitRecord(e.code)) return std::nullopt;
    return RegisteredUnit{code::unitRecordOf(e.code), e.value};
}

void Engine::defineUnit(std::u16string_view name, std::u16string_view definition) {
    SymbolTable& symbols = m_tables.symbols;
    std::u16string marked = unitName(name);
    EntryRef entry = symbols.findExact(marked);
    if (entry.valid() && code::isUnitRecord(symbols[entry].code)) {
        m_tables.units.replace(code::unitRecordOf(symbols[entry].code), name, definition);
    } else {
        // A name first met inside a bracket became a plain factor 1; it now names the unit.
        int record = m_tables.units.add(name, definition);
        if (!entry.valid()) entry = symbols.add(marked, 1, code::kVariable);
        symbols[entry].code = code::unitRecord(record);
    }
    if (std::optional<double> value = numericLiteralValue(definition)) {
        symbols[entry].value = *value;
    }
}

void Engine::reserveUnits(std::size_t count) {
    m_tables.symbols.reserve(count);
    m_tables.units.reserve(count);
}

void Engine::defineStaticUnit(const StaticUnit& unit) {
    int record = m_tables.units.addStatic(unit.markedName.substr(1), unit.definition);
    m_tables.symbols.addStatic(unit.markedName, unit.nameHash, unit.value,
                               code::unitRecord(record));
}

}  // namespace tally
