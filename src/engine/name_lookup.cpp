#include <string>

#include "engine/engine.h"
#include "lang/recognisers.h"

namespace tally {

void Engine::beginName() {
    bool insideUnit = m_unitDepth >= 1;
    if (!insideUnit && !m_definingUnits) clearLiteralFlags();
    m_name.clear();
    // Inside a unit bracket every name is a unit.
    if (insideUnit) m_name.push_back(kUnitMarker);
}

// Counts a name of the current side of the line and remembers the first one, which an
// assignment after "=" stores into.
void Engine::track(EntryRef entry, bool insideUnit) {
    if (!m_nameTracking) return;
    ++m_nameCount;
    if (m_flags.isFunctionDefinition || m_assignmentPending || m_definingUnits || insideUnit) {
        return;
    }
    if (m_nameCount == 1 || m_operationCount == 1) m_firstName = entry;
}

double Engine::lookupName() {
    m_pendingBaseUnit = 0;
    bool insideUnit = m_unitDepth >= 1;
    bool exact = (insideUnit && m_useDimensions) || m_definingUnits;
    if (insideUnit && !m_useDimensions) {
        // Units are plain factors without dimensions; the factor comes from the unit itself.
        EntryRef found = m_variables.find(m_name, VariableTable::Match::Exact);
        if (found.valid()) {
            m_currentEntry = found;
            return 1;
        }
        exact = true;
    }
    EntryRef entry = m_variables.find(
        m_name, exact ? VariableTable::Match::Exact : VariableTable::Match::IgnoreCase);
    if (!entry.valid()) {
        // A name never seen is a new variable: 0, or 1 as a unit factor.
        entry = m_variables.append(m_name, insideUnit || m_definingUnits ? 1 : 0, code::kVariable);
    }
    m_currentEntry = entry;
    track(entry, insideUnit);
    return m_variables[entry].value;
}

void Engine::beginAbs() {
    clearLiteralFlags();
    m_currentEntry = m_absEntry;
    m_pendingBaseUnit = 0;
    track(m_absEntry, m_unitDepth >= 1);
    beginArguments();
}

// The argument "x=a" of a solver: "x" was read as an ordinary argument; its hidden twin
// (marker 15 + name) gets a reference level that will carry a.
void Engine::beginNamedArgument() {
    std::u16string hidden(1, kBoundMarker);
    if (m_currentEntry.valid()) hidden += m_variables[m_currentEntry].name;
    EntryRef bound = m_variables.find(hidden, VariableTable::Match::IgnoreCase);
    if (!bound.valid()) bound = m_variables.append(hidden, 0, code::kVariable);
    OperandLevel level;
    level.refBucket = bound.bucket;
    level.refSlot = bound.slot;
    m_stack.push(std::move(level));
}

void Engine::endNamedArgument() {
    if (m_stack.height() < 2) return;
    double value = m_stack.top().value;
    m_stack.pop();
    m_stack.top().value = value;
}

std::u16string Engine::rewriteBoundVariable(std::u16string_view text, EntryRef bound) const {
    std::u16string_view hidden = m_variables[bound].name;
    std::u16string_view name = hidden.substr(1);
    NameOccurrences found = findNameOccurrences(text, name);
    std::u16string result(text);
    for (auto it = found.positions.rbegin(); it != found.positions.rend(); ++it) {
        result.insert(static_cast<std::size_t>(*it - 1), 1, kBoundMarker);
    }
    return result;
}

bool Engine::defineUserFunction(std::u16string_view name, std::vector<std::u16string> parameters,
                                std::u16string body) {
    EntryRef entry = findName(name);
    if (!entry.valid()) entry = m_variables.append(name, 0, code::kVariable);
    VariableEntry& e = m_variables[entry];
    UserFunction function{std::u16string(name), std::move(body), std::move(parameters)};
    if (code::isUserFunction(e.code) &&
        m_userFunctions.contains(e.code - code::kUserFunctionBase)) {
        m_userFunctions[e.code - code::kUserFunctionBase] = std::move(function);
        return true;
    }
    if (e.code != code::kVariable) return false;
    int number = m_userFunctions.add(std::move(function));
    e.code = code::kUserFunctionBase + number;
    return true;
}

}  // namespace tally
