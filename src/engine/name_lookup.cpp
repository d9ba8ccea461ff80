#include <algorithm>
#include <iterator>
#include <string>

#include "engine/line_evaluator.h"
#include "lang/recognisers.h"

namespace tally {

void LineEvaluator::beginName(int) {
    bool insideUnit = m_unitDepth >= 1;
    if (!insideUnit) clearLiteralFlags();
}

// Counts a name of the current side of the line and remembers the first one, which an
// assignment after "=" stores into.
void LineEvaluator::track(EntryRef entry, bool insideUnit) {
    if (!m_nameTracking) return;
    ++m_nameCount;
    if (m_flags.isFunctionDefinition || m_assignmentPending || insideUnit) return;
    if (m_nameCount == 1 || m_operationCount == 1) m_firstName = entry;
}

double LineEvaluator::lookupName(std::u16string_view name) {
    SymbolTable& symbols = m_tables.symbols;
    m_pendingBaseUnit = 0;
    bool insideUnit = m_unitDepth >= 1;
    // Inside a unit bracket every name is a unit, kept under its marked name, which a short
    // name is given in place.
    char16_t marked[32];
    if (insideUnit && name.size() < std::size(marked)) {
        marked[0] = kUnitMarker;
        std::copy(name.begin(), name.end(), marked + 1);
        name = std::u16string_view(marked, name.size() + 1);
    } else if (insideUnit) {
        m_name.assign(1, kUnitMarker).append(name);
        name = m_name;
    }
    if (insideUnit && !m_settings.useDimensions) {
        // Units are plain factors without dimensions; the factor comes from the unit itself.
        EntryRef found = symbols.findExact(name);
        if (found.valid()) {
            m_currentEntry = found;
            return 1;
        }
    }
    // Unit names are matched exactly, other names without regard to case.
    EntryRef entry = insideUnit ? symbols.findExact(name) : symbols.find(name);
    if (!entry.valid()) {
        // A name never seen is a new variable: 0, or 1 as a unit factor.
        markUnrepeatable();
        entry = symbols.add(name, insideUnit ? 1 : 0, code::kVariable);
    }
    m_currentEntry = entry;
    track(entry, insideUnit);
    return symbols[entry].value;
}

void LineEvaluator::beginAbs() {
    markUnrepeatable();
    clearLiteralFlags();
    m_currentEntry = m_tables.symbols.absEntry();
    m_pendingBaseUnit = 0;
    track(m_currentEntry, m_unitDepth >= 1);
    beginArguments();
}

// The argument "x=a" of a solver: "x" was read as an ordinary argument; its hidden twin
// (marker 15 + name) gets a reference level that will carry a.
void LineEvaluator::beginNamedArgument() {
    markUnrepeatable();
    std::u16string_view name;
    if (m_currentEntry.valid()) name = m_tables.symbols[m_currentEntry].name;
    EntryRef bound = m_tables.symbols.boundVariable(name);
    OperandLevel level;
    level.reference = bound.index;
    m_stack.push(std::move(level));
}

void LineEvaluator::endNamedArgument() {
    if (m_stack.height() < 2) return;
    double value = m_stack.top().value;
    m_stack.pop();
    m_stack.top().value = value;
}

std::u16string LineEvaluator::rewriteBoundVariable(std::u16string_view text, EntryRef bound) const {
    std::u16string_view hidden = m_tables.symbols[bound].name;
    std::u16string_view name = hidden.substr(1);
    NameOccurrences found = findNameOccurrences(text, name);
    std::u16string result(text);
    for (auto it = found.positions.rbegin(); it != found.positions.rend(); ++it) {
        result.insert(static_cast<std::size_t>(*it - 1), 1, kBoundMarker);
    }
    return result;
}

}  // namespace tally
