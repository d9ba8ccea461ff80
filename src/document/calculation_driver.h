#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/editor.h"
#include "document/print_dim.h"
#include "document/result_lists.h"
#include "document/separator_conversion.h"
#include "engine/line_result.h"

namespace tally {

class Engine;

// Options of the window that calculations depend on.
struct CalculationOptions {
    bool resultToClipboard = false;  // "Alwa&ys put result into Clipboard"
    bool convertSeparators = false;  // "C&onvert separators with Copy/Paste"
    bool decimalPointIsDot = true;   // decided once at start-up from the regional settings

    SeparatorConversion separators() const { return {decimalPointIsDot, convertSeparators}; }
};

// Calculates the line under the caret and writes the result back, keeping the result
// box, the added calculations, the variables list and the user-function list.
class CalculationDriver {
  public:
    enum class Outcome { Calculated, Refused };

    CalculationDriver(Engine& engine, Editor& editor);

    void setClipboard(Clipboard* clipboard) { m_clipboard = clipboard; }
    CalculationOptions& options() { return m_options; }

    // Enter in the document. Refused (nothing changes) while another calculation runs.
    Outcome calculateCurrentLine();
    // Enter in the decimal field.
    void addCalculation();
    // A definition line that does not come from the editor (the definitions file); false
    // when it defined nothing.
    bool calculateDefinitionText(std::u16string_view text);

    ResultBox& resultBox();
    // Whether the decimal field shows a message (in the colour of errors) rather than a
    // result; asking does not lay out a result nobody reads.
    bool resultBoxShowsMessage() const { return m_resultBox.showsError; }
    // Entries of the added-calculations list: "Hex", "Oct" or an expression in Ans.
    std::vector<std::u16string>& addedCalculations() { return m_addedCalculations; }
    VariablesList& variables() { return m_variables; }
    UserFunctionList& userFunctions() { return m_userFunctions; }
    // The compound units results are printed with: built-in rows, separator, user rows.
    CompoundUnitTable& compoundUnits() { return m_compoundUnits; }
    std::vector<ResultDimension>& resultDimensions() { return m_compoundUnits.rows(); }

    // Rebuilds cmbDec from the added calculations for the current result.
    void rebuildResultBox(bool calculationJustAdded);
    // At start-up: the added calculations for the result kept from the last run, the saved
    // entry selected; without a selection the field keeps its resting text.
    void restoreResultBox(double lastResult);

  private:
    void showMessage(std::u16string_view message);
    // The result box's list: each added calculation for the current result.
    void showAddedCalculations(bool calculationJustAdded);
    // `written` is the line as it stands in the document, `line` the same without blanks,
    // `comment` where the comment starts in `line` (npos without one).
    void writeResult(std::u16string_view written, std::u16string_view line, std::size_t comment,
                     const LineResult& result);
    bool defineUserFunction(std::u16string_view line, const LineResult& result);
    void copyResultToClipboard(const LineResult& result);
    // The result as the document shows it, after `before` (which may be the buffer's own
    // text), in the buffer below.
    std::u16string_view resultText(const LineResult& result, std::u16string_view before);

    Engine& m_engine;
    Editor& m_editor;
    Clipboard* m_clipboard = nullptr;
    CalculationOptions m_options;
    ResultBox m_resultBox;
    std::vector<std::u16string> m_addedCalculations;
    VariablesList m_variables;
    UserFunctionList m_userFunctions;
    CompoundUnitTable m_compoundUnits;
    // The value of the last line calculated: the added calculations are shown for it.
    double m_lastValue = 0;
    // Without added calculations the decimal field shows the result alone; it is written
    // out when the field is read (the batch calculator reads it only for a message).
    bool m_resultTextPending = false;
    // The line being calculated without its blanks, and what it wrote into the document;
    // kept for their room.
    std::u16string m_lineWithoutBlanks;
    std::u16string m_resultText;
    LineResult m_lineResult;
    ResultPrinter m_resultPrinter;
    double m_pendingResult = 0;
};

}  // namespace tally
