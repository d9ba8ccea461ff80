#include "document/syntax_colouring.h"

#include "engine/function_table.h"
#include "lang/code_page.h"
#include "lang/grammar.h"

namespace tally {

namespace {

// Turns the grammar's marks into classes of characters (positions are 1-based, spans end
// before the position given).
class ColouringActions : public GrammarActions {
  public:
    explicit ColouringActions(std::vector<TextClass>& classes) : m_classes(classes) {}

    void markClass(TextClass textClass, int position) {
        if (m_held) return;
        paint(m_markStart, position, TextClass::Normal);
        m_markStart = position;
        m_pending = textClass;
    }
    void markNameStart(int position) {
        markClass(TextClass::Identifier, position);
        m_nameStart = position;
    }
    void markFunctionName() { markClass(TextClass::Function, m_nameStart); }
    void flushMark(int position) {
        if (m_held) return;
        paint(m_markStart, position, m_pending);
        m_markStart = position;
    }
    void openUnitMark(int position) {
        if (m_unitDepth++ > 0) return;
        flushMark(position);
        markClass(TextClass::UnitOfMeasure, position);
        m_unitStart = position;
        m_held = true;
    }
    void closeUnitMark(int position) {
        if (m_unitDepth == 0 || --m_unitDepth > 0) return;
        m_held = false;
        paint(m_unitStart, position, TextClass::UnitOfMeasure);
        m_markStart = position;
    }

    // Names and the calls still open, for the signature help.
    double lookupName(std::u16string_view name) {
        m_name = name;
        return 0;
    }
    void argumentsOpened() { m_openCalls.push_back(m_name); }
    void argumentsClosed() {
        if (!m_openCalls.empty()) m_openCalls.pop_back();
    }

    void paint(int from, int to, TextClass textClass) {
        int end = std::min<int>(to, static_cast<int>(m_classes.size()) + 1);
        for (int p = std::max(from, 1); p < end; ++p)
            m_classes[static_cast<std::size_t>(p - 1)] = textClass;
    }
    std::u16string openFunction() const { return m_openCalls.empty() ? u"" : m_openCalls.back(); }
    int markStart() const { return m_markStart; }

  private:
    std::vector<TextClass>& m_classes;
    int m_markStart = 1;
    int m_nameStart = 1;
    int m_unitStart = 1;
    int m_unitDepth = 0;
    bool m_held = false;
    TextClass m_pending = TextClass::Normal;
    std::u16string m_name;
    std::vector<std::u16string> m_openCalls;
};

}  // namespace

LineColouring colourLine(std::u16string_view line) {
    LineColouring result;
    result.classes.assign(line.size(), TextClass::Normal);
    if (line.empty()) return result;
    ColouringActions actions(result.classes);
    Grammar<ColouringActions> grammar(GrammarVariant::colour(), actions);
    std::u16string message = grammar.parse(line);
    const ParseState& state = grammar.state();
    result.openFunction = actions.openFunction();
    // Stopping at the end of the line is incomplete input, not an error.
    if (message.empty() || state.currentChar == ParseState::kEndMarker) return result;
    result.syntaxError = true;
    int stop = std::min(state.position, static_cast<int>(line.size()) + 1);
    actions.flushMark(stop);
    actions.paint(stop, static_cast<int>(line.size()) + 1, TextClass::SyntaxError);
    return result;
}

std::u16string_view functionSignature(std::u16string_view name) {
    for (const FunctionSpec& spec : functionTable()) {
        if (equalsIgnoringCase(spec.name, name)) return spec.signature;
    }
    return {};
}

}  // namespace tally
