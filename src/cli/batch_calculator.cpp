#include "cli/batch_calculator.h"

namespace tally {

BatchCalculator::BatchCalculator(Settings settings)
    : m_session(m_document, m_messageWindow, {settings.builtInUnits}) {
    Engine& engine = m_session.engine();
    engine.setAngleMode(settings.degrees ? AngleMode::Degrees : AngleMode::Radians);
    engine.setUseDimensions(settings.useUnits);
    engine.setPlotSink(&m_plot);
}

bool BatchCalculator::loadDefinitions(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return false;
    UserDefinitionsFile definitions(file);
    return m_session.loadDefinitions(definitions).status != DefinitionsLoad::Status::Unreadable;
}

std::u16string BatchCalculator::calculate(std::u16string_view line) {
    m_lastLineStart = m_document.appendLine(line);
    return calculateLastLine();
}

std::u16string BatchCalculator::calculateUtf8(std::string_view line) {
    m_lastLineStart = m_document.appendUtf8Line(line);
    return calculateLastLine();
}

std::u16string BatchCalculator::calculateLastLine() {
    CalculationDriver& driver = m_session.driver();
    driver.calculateCurrentLine();
    return driver.resultBoxShowsMessage() ? driver.resultBox().text : std::u16string();
}

}  // namespace tally
