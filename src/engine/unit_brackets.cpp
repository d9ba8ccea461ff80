#include <algorithm>
#include <string>
#include <utility>

#include "engine/format_number.h"
#include "engine/line_evaluator.h"
#include "lang/blanks.h"
#include "lang/code_page.h"
#include "lang/recognisers.h"

namespace tally {

namespace {

// Whether a character may continue a name (the grammar's Symbol set).
bool continuesName(char16_t c) {
    int code = codeOf(c);
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') ||
           (code >= '0' && code <= '9') || code == '$' || code == '_' || code == '.' ||
           code == 0xB0 || code >= 0xC0;
}

// The value placeholder "Me" of scale conversions, in any letter case, as a whole name:
// never the "me" inside "meter" or "lumen".
std::size_t findMe(std::u16string_view text, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < text.size(); ++i) {
        if (lowerUnit(text[i]) != u'm' || lowerUnit(text[i + 1]) != u'e') continue;
        bool startsName = i == 0 || !continuesName(text[i - 1]);
        bool endsName = i + 2 == text.size() || !continuesName(text[i + 2]);
        if (startsName && endsName) return i;
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

void LineEvaluator::beginUnit() {
    markUnrepeatable();
    ++m_unitDepth;
    m_unitBaseHeight = m_stack.height();
}

void LineEvaluator::endUnit() {
    --m_unitDepth;
    // A value with a unit is no longer a lone literal, whether the unit multiplied or
    // converted it.
    if (m_unitDepth == 0) clearLiteralFlags();
    if (m_unitFactorPushed) applyOperator(BinaryOperator::Multiply);
}

// Evaluates a unit's definition on top of the stack: its value lands in the current value
// and its dimension is carried to the next push.
void LineEvaluator::resolveWithDefinition(std::u16string_view definition) {
    if (!evaluateNested(trimBlanks(definition))) {
        setError(EngineError::DimensionError);
        m_currentValue = m_tables.symbols.ans();
    }
}

void LineEvaluator::resolveUnitName() {
    if (m_unitDepth < 1) return;
    SymbolTable& symbols = m_tables.symbols;
    m_calls.pushKind(m_currentEntry.valid() ? symbols[m_currentEntry].code : code::kVariable);
    bool tracking = m_nameTracking;
    m_nameTracking = false;
    struct Restore {
        LineEvaluator& evaluator;
        bool tracking;
        ~Restore() {
            evaluator.m_nameTracking = tracking;
            evaluator.m_calls.popKind();
        }
    } restore{*this, tracking};

    std::int32_t unitCode = m_currentEntry.valid() ? symbols[m_currentEntry].code : 0;
    int record = code::unitRecordOf(unitCode);
    if (!code::isUnitRecord(unitCode) || record > m_tables.units.count()) {
        setError(EngineError::UnknownDimension);
        return;
    }
    // Views of texts that stay alive however the record changes while they are evaluated.
    UnitRecord& unit = m_tables.units.record(record);
    const std::u16string_view definition = unit.definition;
    const std::u16string_view name = unit.name;
    if (!unit.isScale) unit.isScale = findMe(definition) != std::u16string_view::npos;
    if (!*unit.isScale) {
        resolveUnitFactor(record, definition, name);
    } else if (m_stack.height() == m_unitBaseHeight && m_conversionAllowed && !m_stack.empty()) {
        convertScale(definition);
    } else {
        resolveScaleFactor(definition);
    }
}

// A unit that is a factor: a base unit marks its exponent for the next push, and a unit
// defined by a plain number opens a base unit of its own on first use. What the definition
// evaluates to is kept, so that the next use of the unit repeats it without reading it.
void LineEvaluator::resolveUnitFactor(int record, std::u16string_view definition,
                                      std::u16string_view name) {
    UnitTable& units = m_tables.units;
    bool canonical = m_pendingBaseUnit == 0 && m_carriedDimension.empty() && !m_unwinding;
    if (canonical) {
        const CachedUnitValue* cached =
            m_unitValues.find(record, units.generation(), m_settings.useDimensions);
        if (cached != nullptr && m_nestingDepth + cached->nesting <= kNestingLimit &&
            m_openBrackets + cached->brackets <= kBracketBudget) {
            repeatUnitValue(*cached);
            m_unitFactorPushed = true;
            return;
        }
    }
    int unrepeatable = m_unrepeatableSteps;
    int operators = m_operatorsApplied;
    int nesting = m_nestingDepth;
    int brackets = m_openBrackets;
    int outerPeakNesting = std::exchange(m_peakNesting, nesting);
    int outerPeakBrackets = std::exchange(m_peakBrackets, brackets);

    if (int index = units.baseUnitIndex(name); index > 0) m_pendingBaseUnit = index;
    std::optional<bool>& opens = units.record(record).opensBaseUnit;
    // "pi" (record 1) is a number written as a unit, not a new base unit.
    if (!opens) opens = record != 1 && isName(name) && isNumericLiteral(trimBlanks(definition));
    if (m_pendingBaseUnit == 0 && *opens) {
        markUnrepeatable();
        m_pendingBaseUnit = units.openBaseUnit(std::u16string(name), m_currentEntry,
                                               m_tables.symbols[m_currentEntry].value);
    }
    resolveWithDefinition(definition);
    m_unitFactorPushed = true;

    if (canonical && m_unrepeatableSteps == unrepeatable) {
        m_unitValues.keep(
            record, units.generation(), m_settings.useDimensions,
            {m_currentValue, m_carriedDimension, m_currentEntry, m_operatorsApplied != operators,
             m_peakNesting - nesting, m_peakBrackets - brackets});
    }
    m_peakNesting = std::max(m_peakNesting, outerPeakNesting);
    m_peakBrackets = std::max(m_peakBrackets, outerPeakBrackets);
}

// The state evaluating a unit's definition leaves, as it left it when it was kept.
void LineEvaluator::repeatUnitValue(const CachedUnitValue& cached) {
    m_currentValue = cached.value;
    m_carriedDimension = cached.dimension;
    m_currentEntry = cached.lastName;
    if (cached.clearsNote) {
        m_resultNote.clear();
        ++m_operatorsApplied;
    }
    m_peakNesting = std::max(m_peakNesting, m_nestingDepth + cached.nesting);
    m_peakBrackets = std::max(m_peakBrackets, m_openBrackets + cached.brackets);
}

// A scale unit right after a value converts that value: "Me" in the definition stands
// for it.
void LineEvaluator::convertScale(std::u16string_view definition) {
    markUnrepeatable();
    m_conversionAllowed = false;
    if (m_signedLiteralHeight == m_stack.height()) {
        m_stack.top().value = -m_stack.top().value;
        m_negationTakenAtHeight = m_stack.height();
    }
    m_signedLiteralHeight = 0;
    if (!evaluateNested(trimBlanks(replaceMe(definition, meText(m_stack.top().value))))) {
        setError(EngineError::DimensionError);
        m_currentValue = m_tables.symbols.ans();
        return;
    }
    m_resultNote.clear();
    ++m_operationCount;
    OperandLevel& top = m_stack.top();
    top.value = m_currentValue;
    if (m_settings.useDimensions) {
        if (isDimensionless(top.dimension)) {
            top.dimension = m_carriedDimension;
        } else if (!isDimensionless(m_carriedDimension) &&
                   !sameDimension(top.dimension, m_carriedDimension)) {
            setError(EngineError::DimensionMismatch);
        }
    }
    m_carriedDimension = std::move(top.dimension);
    m_stack.pop();
    m_unitFactorPushed = false;
}

// A scale unit inside a compound bracket, or a second conversion in the line: a plain
// factor, the change of the definition's value per unit change of "Me" (the offset of an
// affine scale does not apply to a difference or a product). It is taken over a wide step
// so that the offset, which cancels, costs no digits.
void LineEvaluator::resolveScaleFactor(std::u16string_view definition) {
    markUnrepeatable();
    resolveWithDefinition(u"((" + replaceMe(definition, u"1000000") + u")-(" +
                          replaceMe(definition, u"0") + u"))/1000000");
}

}  // namespace tally
