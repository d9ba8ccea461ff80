#include <string>

#include "engine/engine.h"
#include "engine/format_number.h"
#include "engine/messages.h"
#include "lang/blanks.h"
#include "lang/charset.h"
#include "lang/recognisers.h"

namespace tally {

namespace {

// Case-insensitive search for the value placeholder "Me" of scale conversions.
std::size_t findMe(std::u16string_view text, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (lowerUnit(text[i]) == u'm' && lowerUnit(text[i + 1]) == u'e') return i;
    }
    return std::u16string_view::npos;
}

std::u16string replaceMe(std::u16string_view text, std::u16string_view by) {
    std::u16string result;
    std::size_t at = 0;
    for (std::size_t found = findMe(text); found != std::u16string_view::npos;
         found = findMe(text, at)) {
        result.append(text.substr(at, found - at));
        result.append(by);
        at = found + 2;
    }
    result.append(text.substr(at));
    return result;
}

// The value that replaces "Me": a negative number in brackets, since the language allows
// no sign after an operator ("5/9·(-40)", not "5/9·-40").
std::u16string meText(double value) {
    std::u16string text = formatNumber(value);
    return value < 0 ? u"(" + text + u")" : text;
}

}  // namespace

void Engine::beginUnit() {
    ++m_unitDepth;
    m_unitBaseHeight = m_stack.height();
}

void Engine::endUnit() {
    --m_unitDepth;
    // A value with a unit is no longer a lone literal, whether the unit multiplied or
    // converted it.
    if (m_unitDepth == 0 && !m_definingUnits) clearLiteralFlags();
    if (m_unitFactorPushed) applyOperator(3);
}

// Evaluates a unit's definition on top of the stack: its value lands in the current value
// and its dimension is carried to the next push.
void Engine::resolveWithDefinition(std::u16string_view definition) {
    if (!evaluateNested(trimBlanks(definition))) {
        setError(message::kDimensionError);
        m_currentValue = ans();
    }
}

void Engine::resolveUnitName() {
    if (m_unitDepth < 1) return;
    m_calls.pushKind(m_currentEntry.valid() ? m_variables[m_currentEntry].code : code::kVariable);
    bool tracking = m_nameTracking;
    m_nameTracking = false;
    struct Restore {
        Engine& engine;
        bool tracking;
        ~Restore() {
            engine.m_nameTracking = tracking;
            engine.m_calls.popKind();
        }
    } restore{*this, tracking};

    std::int32_t unitCode = m_currentEntry.valid() ? m_variables[m_currentEntry].code : 0;
    if (unitCode > code::kAns || unitCode < code::unitRecord(unitCount())) {
        setError(message::kUnknownDimension);
        return;
    }
    int record = code::kE - unitCode;
    if (record < 1) {
        setError(message::kUnknownDimension);
        return;
    }
    // Copies: evaluating the definition may register units and grow the table.
    const std::u16string definition = m_units[static_cast<std::size_t>(record - 1)].definition;
    const std::u16string name = m_units[static_cast<std::size_t>(record - 1)].name;

    if (findMe(definition) == std::u16string::npos) {
        // A unit that is a factor: a base unit marks its exponent for the next push.
        for (std::size_t i = 0; i < m_baseUnits.size(); ++i) {
            if (m_baseUnits[i].symbol == name) m_pendingBaseUnit = static_cast<int>(i + 1);
        }
        std::optional<bool>& opens = m_units[static_cast<std::size_t>(record - 1)].opensBaseUnit;
        // "pi" (record 1) is a number written as a unit, not a new base unit.
        if (!opens) {
            opens = record != 1 && isName(name) && isNumericLiteral(trimBlanks(definition));
        }
        if (m_pendingBaseUnit == 0 && *opens) {
            m_baseUnits.push_back({name, 1, 0});
            m_baseUnitEntries.push_back(m_currentEntry);
            m_pendingBaseUnit = static_cast<int>(m_baseUnits.size());
        }
        resolveWithDefinition(definition);
        m_unitFactorPushed = true;
        return;
    }
    if (m_stack.height() == m_unitBaseHeight && m_conversionAllowed && !m_stack.empty()) {
        // A scale conversion of the value before the bracket.
        m_conversionAllowed = false;
        if (m_signedLiteralHeight == m_stack.height()) {
            m_stack.top().value = -m_stack.top().value;
            m_negationTakenAtHeight = m_stack.height();
        }
        m_signedLiteralHeight = 0;
        if (!evaluateNested(trimBlanks(replaceMe(definition, meText(m_stack.top().value))))) {
            setError(message::kDimensionError);
            m_currentValue = ans();
            return;
        }
        m_resultNote.clear();
        ++m_operationCount;
        OperandLevel& top = m_stack.top();
        top.value = m_currentValue;
        if (m_useDimensions) {
            if (isDimensionless(top.dimension)) {
                top.dimension = m_carriedDimension;
            } else if (!isDimensionless(m_carriedDimension) &&
                       !sameDimension(top.dimension, m_carriedDimension)) {
                setError(message::kDimensionMismatch);
            }
        }
        m_carriedDimension = std::move(top.dimension);
        m_stack.pop();
        m_unitFactorPushed = false;
        return;
    }
    // Part of a compound bracket, or a second conversion in the line: a plain factor.
    std::size_t sign = definition.find_first_of(u"+-");
    std::u16string factor;
    if (sign != std::u16string::npos) {
        for (char16_t c : replaceMe(definition.substr(0, sign), u"1")) {
            if (c != u'(') factor.push_back(c);
        }
        factor += definition.substr(definition.size() >= 2 ? definition.size() - 2 : 0);
    } else {
        double value = m_stack.empty() ? 0 : m_stack.top().value;
        factor = replaceMe(definition, meText(value));
    }
    resolveWithDefinition(factor);
}

}  // namespace tally
