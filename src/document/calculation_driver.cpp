#include "document/calculation_driver.h"

#include <cmath>
#include <cstdint>

#include "engine/engine.h"
#include "engine/format_number.h"
#include "engine/messages.h"
#include "lang/blanks.h"
#include "lang/charset.h"
#include "lang/recognisers.h"

namespace tally {

namespace {

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The value as a two's-complement integer in the given base, capital digits, no prefix;
// empty when it does not fit 64 bits.
std::u16string integerInBase(double value, int base) {
    double rounded = std::nearbyint(value);
    if (!(rounded >= -9.2e18 && rounded <= 9.2e18)) return {};
    auto integer = static_cast<std::int64_t>(rounded);
    // 32-bit values keep the 32-bit two's complement of the classic display.
    std::uint64_t bits = integer >= INT32_MIN && integer <= INT32_MAX
                             ? static_cast<std::uint32_t>(static_cast<std::int32_t>(integer))
                             : static_cast<std::uint64_t>(integer);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789ABCDEF"[bits % static_cast<unsigned>(base)]);
        bits /= static_cast<unsigned>(base);
    } while (bits != 0);
    return digits;
}

}  // namespace

CalculationDriver::CalculationDriver(Engine& engine, Editor& editor)
    : m_engine(engine), m_editor(editor) {}

std::u16string CalculationDriver::resultText() {
    if (!m_engine.resultNote().empty()) return m_engine.resultNote();
    return printDim(m_engine, m_engine.currentValue(), 0, m_compoundUnits.rows());
}

CalculationDriver::Outcome CalculationDriver::calculateCurrentLine() {
    if (m_engine.calculating()) return Outcome::Refused;
    m_resultBox.showsError = false;
    m_engine.clearEngineError();
    m_engine.clearNestedParseMessage();
    m_engine.clearResultNote();
    m_engine.flags().assignmentDone = false;

    std::u16string line = withoutBlanks(m_editor.currentLine());
    if (!line.empty()) {
        m_engine.clearOperandStack();
        std::u16string syntax = m_engine.parseCalc(line);
        if (!syntax.empty()) {
            m_engine.setError(message::kSyntaxError);
            m_resultBox.showMessage(message::kSyntaxError);
            m_engine.clearOperandStack();
        } else if (!m_engine.nestedParseMessage().empty()) {
            m_resultBox.showMessage(m_engine.engineError().empty() ? message::kSyntaxError
                                                                   : m_engine.engineError());
        } else if (m_engine.flags().isFunctionDefinition && defineUserFunction(line)) {
            m_engine.clearEngineError();
        } else if (!m_engine.engineError().empty() &&
                   m_engine.engineError() != message::kDimensionMismatch) {
            m_resultBox.showMessage(m_engine.engineError());
        } else if (line.front() != u'`') {
            // A comment line is only re-coloured.
            writeResult(line);
        }
    }
    m_engine.clearResultNote();
    m_engine.flags() = {};
    // Points a running plot collected during the line are drawn now.
    if (PlotSink* plot = m_engine.plotSink()) plot->bufPlot();
    return Outcome::Calculated;
}

void CalculationDriver::writeResult(const std::u16string& line) {
    StatementFlags& flags = m_engine.flags();
    double value = m_engine.currentValue();
    std::u16string assignedName;
    if (flags.assignmentDone) {
        VariableEntry& entry = m_engine.variables()[m_engine.assignedEntry()];
        assignedName = entry.name;
        m_variables.update(entry.name, formatNumber(value));
        entry.value = value;
    }
    m_editor.moveCaretToLineEnd();
    bool endsInEquals = line.back() == u'=';
    if (flags.assignmentDone) {
        if (endsInEquals) {
            m_editor.insertText(resultText());
        } else if (!flags.isPlainAssignment) {
            m_editor.insertText(u"\n" + assignedName + u"=" + resultText());
        }
    } else if (flags.equalsAtEnd) {
        m_editor.insertText(resultText());
    } else if (flags.isComparison) {
        double left = m_engine.leftValue();
        std::u16string text = u"\n" + formatNumber(left);
        text += left < value ? u"<" : left > value ? u">" : u"=";
        text += m_engine.resultNote().empty() ? formatNumber(value) : m_engine.resultNote();
        m_editor.insertText(text);
    } else if (!flags.isBareLiteral) {
        m_editor.insertText(u"=" + resultText());
    }
    if (m_options.resultToClipboard) copyResultToClipboard();
    if (m_engine.engineError().empty()) {
        rebuildResultBox(false);
    } else {
        m_resultBox.showMessage(m_engine.engineError());
    }
}

void CalculationDriver::copyResultToClipboard() {
    if (m_clipboard == nullptr) return;
    std::u16string text = m_engine.resultNote().empty() ? formatNumber(m_engine.currentValue())
                                                        : m_engine.resultNote();
    if (!m_options.decimalPointIsDot && m_options.convertSeparators) {
        for (char16_t& c : text) {
            if (c == u'.') c = u',';
        }
    }
    m_clipboard->setText(text);
}

// Evaluates an added calculation (an expression in Ans) without changing the line's result
// or leaving its messages behind.
CalculationDriver::AddedEvaluation CalculationDriver::evaluateAdded(
    std::u16string_view expression) {
    const double result = m_engine.currentValue();
    m_engine.clearEngineError();
    AddedEvaluation evaluation;
    evaluation.syntaxError = !m_engine.parseUserExpression(withoutBlanks(expression)).empty();
    if (!evaluation.syntaxError && m_engine.engineError().empty()) {
        evaluation.value = m_engine.currentValue();
    } else {
        m_engine.clearOperandStack();
    }
    m_engine.currentValue() = result;
    m_engine.clearEngineError();
    return evaluation;
}

void CalculationDriver::rebuildResultBox(bool calculationJustAdded) {
    int selected = m_resultBox.selectedIndex;
    m_resultBox.items.clear();
    const double result = m_engine.currentValue();
    for (const std::u16string& entry : m_addedCalculations) {
        if (startsWithIgnoringCase(entry, u"Hex")) {
            m_resultBox.items.push_back(u"Hex(Ans)=" + integerInBase(result, 16));
        } else if (startsWithIgnoringCase(entry, u"Oct")) {
            m_resultBox.items.push_back(u"Oct(Ans)=" + integerInBase(result, 8));
        } else {
            std::u16string expression = entry.substr(0, entry.find(u'='));
            AddedEvaluation evaluation = evaluateAdded(expression);
            m_resultBox.items.push_back(expression + u"=" +
                                        (evaluation.value ? formatNumber(*evaluation.value) : u""));
        }
    }
    if (calculationJustAdded && !m_resultBox.items.empty()) {
        m_resultBox.selectedIndex = 0;
        m_resultBox.showText(m_resultBox.items[0]);
    } else if (selected < 0 || selected >= static_cast<int>(m_resultBox.items.size())) {
        m_resultBox.selectedIndex = -1;
        m_resultBox.showText(formatNumber(result));
    } else {
        m_resultBox.selectedIndex = selected;
        m_resultBox.showText(m_resultBox.items[static_cast<std::size_t>(selected)]);
    }
}

void CalculationDriver::addCalculation() {
    if (m_engine.calculating()) return;
    std::u16string text = m_resultBox.text;
    if (text.empty()) return;
    std::u16string expression = text.substr(0, text.find(u'='));
    std::erase_if(m_addedCalculations, [&](const std::u16string& entry) {
        return equalsIgnoringCase(std::u16string_view(entry).substr(0, entry.find(u'=')),
                                  expression);
    });
    // The rebuilt box shows the new entry with its value; a syntax error keeps it out.
    if (evaluateAdded(expression).syntaxError) {
        m_resultBox.showMessage(message::kSyntaxError);
        return;
    }
    m_addedCalculations.insert(m_addedCalculations.begin(), expression);
    rebuildResultBox(true);
}

void CalculationDriver::calculateDefinitionText(std::u16string_view text) {
    m_engine.clearEngineError();
    m_engine.clearNestedParseMessage();
    std::u16string line = withoutBlanks(text);
    if (line.empty() || m_engine.calculating()) return;
    std::u16string syntax = m_engine.parseCalc(line);
    if (!syntax.empty() || !m_engine.nestedParseMessage().empty()) {
        if (!syntax.empty() || m_engine.engineError().empty()) {
            m_engine.setError(message::kSyntaxError);
        }
        m_resultBox.showMessage(m_engine.engineError());
        m_engine.clearOperandStack();
    } else if (m_engine.flags().isFunctionDefinition && defineUserFunction(line)) {
        m_engine.clearEngineError();
    }
    m_engine.flags() = {};
}

namespace {

// The "=" that ends the left side of a definition: the first one outside brackets, since a
// parameter may be written "name=value".
std::size_t definitionEquals(std::u16string_view line) {
    int depth = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char16_t c = line[i];
        if (c == u'(' || c == u'[' || c == u'{') ++depth;
        if ((c == u')' || c == u']' || c == u'}') && depth > 0) --depth;
        if (c == u'=' && depth == 0) return i;
    }
    return line.find(u'=');
}

}  // namespace

// name "(" parameters ")" "=" body, optionally ending in "=". Returns false when the name
// is a built-in function, which then is an ordinary comparison.
bool CalculationDriver::defineUserFunction(const std::u16string& line) {
    m_editor.moveCaretToLineEnd();
    EntryRef entry = m_engine.firstCall();
    if (!entry.valid()) return false;
    std::u16string name = m_engine.variables()[entry].name;
    std::int32_t kind = m_engine.variables()[entry].code;
    if (kind != code::kVariable && !code::isUserFunction(kind)) return false;

    std::u16string body = line.substr(definitionEquals(line) + 1);
    if (!body.empty() && body.back() == u'=') body.pop_back();
    std::vector<std::u16string> parameters;
    for (const std::u16string& argument : m_engine.firstCallArguments()) {
        parameters.push_back(argument.substr(0, argument.find(u'=')));
    }
    std::u16string stored = body;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        NameOccurrences found = findNameOccurrencesInLine(stored, parameters[i]);
        std::string digits = std::to_string(i + 1);
        std::u16string mark(1, kBoundMarker);
        mark.append(digits.begin(), digits.end());
        for (auto it = found.positions.rbegin(); it != found.positions.rend(); ++it) {
            stored.replace(static_cast<std::size_t>(*it - 1), parameters[i].size(), mark);
        }
    }
    if (!m_engine.defineUserFunction(name, parameters, std::move(stored))) return false;
    m_userFunctions.update(name, parameters, body);
    return true;
}

}  // namespace tally
