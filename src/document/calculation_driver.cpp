#include "document/calculation_driver.h"

#include <cmath>
#include <cstdint>

#include "engine/engine.h"
#include "engine/format_number.h"
#include "lang/blanks.h"
#include "lang/code_page.h"
#include "lang/recognisers.h"
#include "lang/unit_search.h"

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

// What an added calculation stands for: "Hex" and "Oct" entries however they are written
// ("hex", "Hex(Ans)"), otherwise the expression itself; compared without regard to case.
bool sameAddedCalculation(std::u16string_view a, std::u16string_view b) {
    for (std::u16string_view base : {u"Hex", u"Oct"}) {
        bool first = startsWithIgnoringCase(a, base);
        bool second = startsWithIgnoringCase(b, base);
        if (first || second) return first && second;
    }
    return equalsIgnoringCase(a, b);
}

// Where a line has its first blank and, when it has no blank, its first comment mark; npos
// for what it has not. A short line is looked through once for both.
struct BlankAndComment {
    std::size_t blank = std::u16string_view::npos;
    std::size_t comment = std::u16string_view::npos;
};
BlankAndComment findBlankAndComment(std::u16string_view line) {
    BlankAndComment found;
    if (line.size() > kShortSearch) {
        found.blank = findUnit(line, u' ');
        if (found.blank == std::u16string_view::npos) found.comment = findUnit(line, u'`');
        return found;
    }
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u' ') return {i, std::u16string_view::npos};
        if (line[i] == u'`' && found.comment == std::u16string_view::npos) found.comment = i;
    }
    return found;
}

// Where a result written into its own line goes: at the end, or before the blanks that
// lead to a comment (at `comment`), so that "2*3 ` six" becomes "2*3=6 ` six".
std::size_t inlineResultColumn(std::u16string_view line, std::size_t comment) {
    if (comment == std::u16string_view::npos) return line.size();
    std::size_t end = line.find_last_not_of(u" \t", comment == 0 ? 0 : comment - 1);
    return comment == 0 || end == std::u16string_view::npos ? 0 : end + 1;
}

}  // namespace

CalculationDriver::CalculationDriver(Engine& engine, Editor& editor)
    : m_engine(engine), m_editor(editor) {}

std::u16string_view CalculationDriver::resultText(const LineResult& result,
                                                  std::u16string_view before) {
    // `before` may be the buffer itself: it is kept, not assigned.
    // Emptied and appended to rather than assigned: the library's assignment prepares for
    // overlapping texts, which costs more than the short result itself.
    if (before.data() != m_resultText.data()) {
        m_resultText.clear();
        m_resultText.append(before);
    }
    if (!result.resultNote.empty()) {
        m_resultText += result.resultNote;
    } else {
        m_resultPrinter.append(m_resultText, m_engine, result.result, m_compoundUnits);
    }
    return m_resultText;
}

ResultBox& CalculationDriver::resultBox() {
    if (m_resultTextPending) {
        m_resultTextPending = false;
        m_resultBox.showText(formatNumber(m_pendingResult));
    }
    return m_resultBox;
}

void CalculationDriver::showMessage(std::u16string_view message) {
    m_resultTextPending = false;
    m_resultBox.showMessage(message);
}

CalculationDriver::Outcome CalculationDriver::calculateCurrentLine() {
    if (m_engine.calculating()) return Outcome::Refused;
    m_resultBox.showsError = false;

    // The line as written places an inline result; blanks play no part in calculating it.
    // The line is read where the editor keeps it: nothing changes the text until the result
    // is written, and nothing reads the line after that. The line without blanks is kept in
    // a buffer of the driver, which keeps its room from line to line.
    std::u16string_view written = m_editor.currentLine();
    BlankAndComment found = findBlankAndComment(written);
    bool hasBlanks = found.blank != std::u16string::npos;
    if (hasBlanks) {
        m_lineWithoutBlanks.clear();
        appendWithoutBlanks(m_lineWithoutBlanks, written);
    }
    std::u16string_view line = hasBlanks ? std::u16string_view(m_lineWithoutBlanks) : written;
    if (!line.empty()) {
        LineResult& result = m_lineResult;
        m_engine.evaluateLine(line, result);
        m_lastValue = result.result.value;
        if (!result.syntaxMessage.empty()) {
            showMessage(errorText(EngineError::SyntaxError));
        } else if (result.nestedSyntaxError) {
            showMessage(errorText(result.error == EngineError::None ? EngineError::SyntaxError
                                                                    : result.error));
        } else if (result.flags.isFunctionDefinition && defineUserFunction(line, result)) {
        } else if (stopsLine(result.error)) {
            showMessage(errorText(result.error));
        } else if (line.front() != u'`') {
            // A comment line is only re-coloured.
            std::size_t comment = hasBlanks ? findUnit(line, u'`') : found.comment;
            writeResult(written, line, comment, result);
        }
    }
    // Points a running plot collected during the line are drawn now.
    if (PlotSink* plot = m_engine.settings().plot) plot->bufPlot();
    return Outcome::Calculated;
}

void CalculationDriver::writeResult(std::u16string_view written, std::u16string_view line,
                                    std::size_t comment, const LineResult& result) {
    const StatementFlags& flags = result.flags;
    double value = result.result.value;
    if (flags.assignmentDone) m_variables.update(result.assignedName, formatNumber(value));
    // A result in the line itself goes before a comment; a new line goes after the line.
    // Both are built in one buffer the driver keeps, so that writing a result takes no room
    // of its own.
    auto writeInline = [&](std::u16string_view text) {
        // The line as written is the line read unless it had blanks.
        std::size_t writtenComment =
            written.data() == line.data() ? comment : findUnit(written, u'`');
        m_editor.moveCaretInLine(inlineResultColumn(written, writtenComment));
        m_editor.insertText(text);
    };
    auto writeNewLine = [&](std::u16string_view text) {
        m_editor.moveCaretToLineEnd();
        m_editor.insertText(text);
    };
    std::u16string_view code = line.substr(0, comment);
    bool endsInEquals = !code.empty() && code.back() == u'=';
    if (flags.assignmentDone) {
        if (endsInEquals) {
            writeInline(resultText(result, {}));
        } else if (!flags.isPlainAssignment) {
            m_resultText.assign(u"\n").append(result.assignedName).append(u"=");
            writeNewLine(resultText(result, m_resultText));
        }
    } else if (flags.equalsAtEnd) {
        writeInline(resultText(result, {}));
    } else if (flags.isComparison) {
        double left = result.leftValue;
        m_resultText.assign(u"\n");
        appendNumber(m_resultText, left);
        m_resultText += left < value ? u'<' : left > value ? u'>' : u'=';
        if (result.resultNote.empty()) {
            appendNumber(m_resultText, value);
        } else {
            m_resultText += result.resultNote;
        }
        writeNewLine(m_resultText);
    } else if (!flags.isBareLiteral) {
        writeInline(resultText(result, u"="));
    }
    m_editor.moveCaretToLineEnd();
    if (m_options.resultToClipboard) copyResultToClipboard(result);
    if (result.error == EngineError::None) {
        rebuildResultBox(false);
    } else {
        showMessage(errorText(result.error));
    }
}

void CalculationDriver::copyResultToClipboard(const LineResult& result) {
    if (m_clipboard == nullptr) return;
    std::u16string text =
        result.resultNote.empty() ? formatNumber(result.result.value) : result.resultNote;
    m_clipboard->setText(toClipboardNotation(text, m_options.separators()));
}

void CalculationDriver::rebuildResultBox(bool calculationJustAdded) {
    if (m_addedCalculations.empty() && !calculationJustAdded) {
        // The field shows the result; it is written out when someone reads it.
        m_resultBox.items.clear();
        m_resultBox.selectedIndex = -1;
        m_resultBox.showsError = false;
        m_resultTextPending = true;
        m_pendingResult = m_lastValue;
        return;
    }
    showAddedCalculations(calculationJustAdded);
}

void CalculationDriver::showAddedCalculations(bool calculationJustAdded) {
    m_resultTextPending = false;
    int selected = m_resultBox.selectedIndex;
    m_resultBox.items.clear();
    const double result = m_lastValue;
    for (const std::u16string& entry : m_addedCalculations) {
        if (startsWithIgnoringCase(entry, u"Hex")) {
            m_resultBox.items.push_back(u"Hex(Ans)=" + integerInBase(result, 16));
        } else if (startsWithIgnoringCase(entry, u"Oct")) {
            m_resultBox.items.push_back(u"Oct(Ans)=" + integerInBase(result, 8));
        } else {
            std::u16string expression = entry.substr(0, entry.find(u'='));
            ExpressionResult evaluation = m_engine.evaluateExpression(withoutBlanks(expression));
            m_resultBox.items.push_back(
                expression + u"=" +
                (evaluation.ok() ? formatNumber(evaluation.result.value) : u""));
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

void CalculationDriver::restoreResultBox(double lastResult) {
    m_lastValue = lastResult;
    rebuildResultBox(false);
    if (m_resultBox.selectedIndex < 0) {
        m_resultTextPending = false;
        m_resultBox.showText(std::u16string(ResultBox::kDefaultText));
    }
}

void CalculationDriver::addCalculation() {
    if (m_engine.calculating()) return;
    std::u16string text = resultBox().text;
    if (text.empty()) return;
    std::u16string expression = text.substr(0, text.find(u'='));
    std::erase_if(m_addedCalculations, [&](const std::u16string& entry) {
        return sameAddedCalculation(std::u16string_view(entry).substr(0, entry.find(u'=')),
                                    expression);
    });
    // The rebuilt box shows the new entry with its value; a syntax error keeps it out.
    if (!m_engine.evaluateExpression(withoutBlanks(expression)).syntaxMessage.empty()) {
        showMessage(errorText(EngineError::SyntaxError));
        return;
    }
    m_addedCalculations.insert(m_addedCalculations.begin(), expression);
    rebuildResultBox(true);
}

bool CalculationDriver::calculateDefinitionText(std::u16string_view text) {
    std::u16string line = withoutBlanks(text);
    if (line.empty() || m_engine.calculating()) return false;
    LineResult result = m_engine.evaluateLine(line);
    if (!result.syntaxMessage.empty() || result.nestedSyntaxError) {
        EngineError shown = !result.syntaxMessage.empty() || result.error == EngineError::None
                                ? EngineError::SyntaxError
                                : result.error;
        showMessage(errorText(laterError(result.error, shown)));
        return false;
    }
    return result.flags.isFunctionDefinition && defineUserFunction(line, result);
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
bool CalculationDriver::defineUserFunction(std::u16string_view line, const LineResult& result) {
    m_editor.moveCaretToLineEnd();
    if (result.firstCallName.empty()) return false;
    std::u16string body(line.substr(definitionEquals(line) + 1));
    if (!body.empty() && body.back() == u'=') body.pop_back();
    std::vector<std::u16string> parameters;
    for (const std::u16string& argument : result.firstCallArguments) {
        parameters.push_back(argument.substr(0, argument.find(u'=')));
    }
    std::u16string stored = body;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        NameOccurrences found = findNameOccurrencesInLine(stored, parameters[i]);
        std::u16string mark = parameterName(static_cast<int>(i + 1));
        for (auto it = found.positions.rbegin(); it != found.positions.rend(); ++it) {
            stored.replace(static_cast<std::size_t>(*it - 1), parameters[i].size(), mark);
        }
    }
    if (!m_engine.defineUserFunction(result.firstCallName, parameters, std::move(stored))) {
        return false;
    }
    m_userFunctions.update(result.firstCallName, parameters, body);
    return true;
}

}  // namespace tally
