#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "graph/plot_model.h"
#include "units/catalogue.h"
#include "units/user_definitions_file.h"

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

    // Reads a definitions file before the first line, as the window does at start-up; the
    // file is never written. False when it could not be read at all.
    [[nodiscard]] bool loadDefinitions(const std::filesystem::path& file);

    const TextDocument& document() const { return m_document; }
    Engine& engine() { return *m_engine; }
    CalculationDriver& driver() { return m_driver; }
    // Messages shown while units were registered, answered with "Продолжить".
    const std::vector<std::u16string>& messagesShown() const { return m_messageWindow.shown; }
    // What the plotting functions drew, as the window would show it.
    const PlotModel& plot() const { return m_plot; }
    // Empty when built without the catalogue.
    const std::optional<Catalogue>& catalogue() const { return m_catalogue; }

  private:
    std::unique_ptr<Engine> m_engine;
    TextDocument m_document;
    CalculationDriver m_driver;
    AutomaticMessageWindow m_messageWindow;
    Messages m_messages{m_messageWindow};
    std::optional<Catalogue> m_catalogue;
    UserDefinitions m_definitions;
    PlotModel m_plot;
};

// Splits input text into lines: "\n" ends a line, a "\r" before it is dropped, and a
// final line without a line end counts.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace tally
