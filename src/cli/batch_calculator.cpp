#include "cli/batch_calculator.h"

namespace tally {

BatchCalculator::BatchCalculator(Settings settings)
    : m_engine(std::make_unique<Engine>()), m_driver(*m_engine, m_document) {
    m_engine->setAngleMode(settings.degrees ? u"Градусы" : u"Радианы");
    m_engine->setUseDimensions(settings.useUnits);
    m_engine->setPlotSink(&m_plot);
    if (settings.builtInUnits) {
        m_catalogue.emplace(*m_engine, m_messages, m_driver.compoundUnits());
    }
}

bool BatchCalculator::loadDefinitions(const std::filesystem::path& file) {
    if (!m_catalogue) return false;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return false;
    DefinitionsSession session{*m_engine, m_messages, m_driver, m_catalogue->menus(),
                               m_definitions};
    DefinitionsLoad load = UserDefinitionsFile(file).load(session);
    return load.status != DefinitionsLoad::Status::Unreadable;
}

std::u16string BatchCalculator::calculate(std::u16string_view line) {
    m_document.appendLine(line);
    m_driver.calculateCurrentLine();
    const ResultBox& box = m_driver.resultBox();
    return box.showsError ? box.text : std::u16string();
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

}  // namespace tally
