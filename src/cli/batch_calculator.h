#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/text_document.h"
#include "engine/message_window.h"
#include "graph/plot_model.h"
#include "session/session.h"

namespace tally {

// A document calculated line by line exactly as Enter does in the window: each input line
// is appended as the last line, the caret is put at its end and the line is calculated.
class BatchCalculator {
  public:
    struct Settings {
        bool degrees = false;
        bool useUnits = true;
        bool builtInUnits = true;  // register the catalogue of units at construction
    };

    explicit BatchCalculator(Settings settings);

    // Calculates one input line; returns the message it left in the decimal field, or
    // an empty text.
    std::u16string calculate(std::u16string_view line);
    // The same for a line in UTF-8.
    std::u16string calculateUtf8(std::string_view line);
    // What the last calculation left in the document: its line and the lines it added.
    std::u16string_view linesOfLastCalculation() const {
        return m_document.text().substr(m_lastLineStart);
    }

    // Reads a definitions file before the first line, as the window does at start-up; the
    // file is never written. False when it could not be read at all.
    [[nodiscard]] bool loadDefinitions(const std::filesystem::path& file);

    const TextDocument& document() const { return m_document; }
    Engine& engine() { return m_session.engine(); }
    CalculationDriver& driver() { return m_session.driver(); }
    // Messages shown while units were registered, answered with "Продолжить".
    const std::vector<std::u16string>& messagesShown() const { return m_messageWindow.shown; }
    const Catalogue& catalogue() const { return m_session.catalogue(); }
    // What the plotting functions drew, as the window would show it.
    const PlotModel& plot() const { return m_plot; }

  private:
    std::u16string calculateLastLine();

    TextDocument m_document;
    std::size_t m_lastLineStart = 0;
    AutomaticMessageWindow m_messageWindow;
    PlotModel m_plot;
    Session m_session;
};

}  // namespace tally
