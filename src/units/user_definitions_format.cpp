#include "units/user_definitions_format.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "lang/code_page.h"

namespace tally {

namespace {

constexpr std::array<std::u16string_view, 8> kMarkers = {
    u"$**********Synchronous solutions",
    u"$**********Variables",
    u"$**********User-defined functions",
    u"$**********Keypad functions",
    u"$**********User-defined dimensions of results",
    u"$**********User-defined constants",
    u"$**********User-defined units of measurements",
    u"$**********User-defined expressions",
};

bool startsSection(const std::u16string& line) {
    return !line.empty() && line.front() == u'$';
}

std::optional<int> parseIndex(std::u16string_view line) {
    std::string digits = toUtf8(line);
    std::size_t first = digits.find_first_not_of(' ');
    std::size_t last = digits.find_last_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    int value = 0;
    const char* begin = digits.data() + first;
    const char* end = digits.data() + last + 1;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// A line break left inside a line (a lone carriage return) becomes a blank, on reading as on
// writing, so that a file read and written again reads the same.
void blankLineBreaks(std::u16string& line) {
    for (char16_t& c : line) {
        if (c == u'\r' || c == u'\n') c = u' ';
    }
}

// Walks the lines section by section.
class DefinitionsReader {
  public:
    explicit DefinitionsReader(std::vector<std::u16string>& lines) : m_lines(lines) {}

    ParsedDefinitions read();

  private:
    bool more() const { return m_at < m_lines.size() && !startsSection(m_lines[m_at]); }
    // The reader owns the lines, so what it takes is moved, not copied.
    std::u16string take() {
        std::u16string line = std::move(m_lines[m_at++]);
        blankLineBreaks(line);
        return line;
    }
    void stop(ParsedDefinitions::Stop why) {
        m_result.stop = why;
        m_result.stopLine = static_cast<int>(m_at) + 1;
    }

    bool readSection(DefinitionsSection section);
    bool readList(std::optional<DefinitionsContent::List>& list);
    void readEntries(std::vector<std::u16string>& entries);
    bool readRecords(std::vector<UserRecord>& records);

    std::vector<std::u16string>& m_lines;
    std::size_t m_at = 0;
    ParsedDefinitions m_result;
};

ParsedDefinitions DefinitionsReader::read() {
    while (m_at < m_lines.size()) {
        const std::u16string& line = m_lines[m_at];
        std::size_t kind = 0;
        while (kind < kMarkers.size() && kMarkers[kind] != line)
            ++kind;
        if (kind == kMarkers.size()) {
            stop(ParsedDefinitions::Stop::UnknownLine);
            break;
        }
        ++m_at;
        auto section = static_cast<DefinitionsSection>(kind);
        if (std::find(m_result.order.begin(), m_result.order.end(), section) ==
            m_result.order.end()) {
            m_result.order.push_back(section);
        }
        if (!readSection(section)) break;
    }
    return std::move(m_result);
}

bool DefinitionsReader::readSection(DefinitionsSection section) {
    DefinitionsContent& content = m_result.content;
    switch (section) {
        case DefinitionsSection::AddedCalculations:
            return readList(content.addedCalculations);
        case DefinitionsSection::Variables:
            return readList(content.variables);
        case DefinitionsSection::UserFunctions:
            readEntries(content.userFunctions);
            return true;
        case DefinitionsSection::KeypadFunctions:
            content.keypadFunctions.clear();
            readEntries(content.keypadFunctions);
            return true;
        case DefinitionsSection::CompoundUnits:
            if (more()) content.compoundUnitFlags = take();
            return readRecords(content.compoundUnits);
        case DefinitionsSection::Constants:
            return readRecords(content.constants);
        case DefinitionsSection::Units:
            return readRecords(content.units);
        case DefinitionsSection::Expressions:
            return readRecords(content.expressions);
    }
    return true;
}

bool DefinitionsReader::readList(std::optional<DefinitionsContent::List>& list) {
    list = DefinitionsContent::List{};
    if (!more()) return true;
    std::optional<int> index = parseIndex(m_lines[m_at]);
    if (!index) {
        stop(ParsedDefinitions::Stop::Malformed);
        return false;
    }
    ++m_at;
    list->selectedIndex = *index;
    readEntries(list->entries);
    return true;
}

void DefinitionsReader::readEntries(std::vector<std::u16string>& entries) {
    while (more())
        entries.push_back(take());
}

// A record's second and third lines are its own whatever they start with.
bool DefinitionsReader::readRecords(std::vector<UserRecord>& records) {
    while (more()) {
        if (m_at + 2 >= m_lines.size()) {
            stop(ParsedDefinitions::Stop::Malformed);
            return false;
        }
        UserRecord record;
        record.name = take();
        record.value = take();
        record.comment = take();
        records.push_back(std::move(record));
    }
    return true;
}

std::u16string singleLine(std::u16string_view text) {
    std::u16string line(text);
    blankLineBreaks(line);
    return line;
}

// A line where the reader looks for the next section.
std::u16string openingLine(std::u16string_view text) {
    std::u16string line = singleLine(text);
    if (!line.empty() && line.front() == u'$') line.insert(line.begin(), u' ');
    return line;
}

class DefinitionsWriter {
  public:
    std::vector<std::u16string> lines;

    void marker(DefinitionsSection section) { lines.emplace_back(sectionMarker(section)); }
    void entries(const std::vector<std::u16string>& texts) {
        for (const std::u16string& text : texts)
            lines.push_back(openingLine(text));
    }
    void list(DefinitionsSection section, const std::optional<DefinitionsContent::List>& list) {
        if (!list || list->entries.empty()) return;
        marker(section);
        lines.push_back(indexLine(list->selectedIndex));
        entries(list->entries);
    }
    void records(const std::vector<UserRecord>& records) {
        for (const UserRecord& record : records) {
            lines.push_back(openingLine(record.name));
            lines.push_back(singleLine(record.value));
            lines.push_back(singleLine(record.comment));
        }
    }
    void recordSection(DefinitionsSection section, const std::vector<UserRecord>& list) {
        if (list.empty()) return;
        marker(section);
        records(list);
    }
};

}  // namespace

std::u16string_view sectionMarker(DefinitionsSection section) {
    return kMarkers[static_cast<std::size_t>(section)];
}

std::u16string indexLine(int index) {
    std::string digits = std::to_string(index);
    if (index >= 0) digits.insert(digits.begin(), ' ');
    return fromUtf8(digits);
}

ParsedDefinitions parseDefinitions(std::vector<std::u16string> lines) {
    return DefinitionsReader(lines).read();
}

std::vector<std::u16string> formatDefinitions(const DefinitionsContent& content) {
    DefinitionsWriter writer;
    writer.list(DefinitionsSection::AddedCalculations, content.addedCalculations);
    writer.list(DefinitionsSection::Variables, content.variables);
    if (!content.userFunctions.empty()) {
        writer.marker(DefinitionsSection::UserFunctions);
        writer.entries(content.userFunctions);
    }
    if (!content.keypadFunctions.empty()) {
        writer.marker(DefinitionsSection::KeypadFunctions);
        writer.entries(content.keypadFunctions);
    }
    writer.marker(DefinitionsSection::CompoundUnits);
    writer.lines.push_back(singleLine(content.compoundUnitFlags.value_or(u"")));
    writer.records(content.compoundUnits);
    writer.recordSection(DefinitionsSection::Constants, content.constants);
    writer.recordSection(DefinitionsSection::Units, content.units);
    writer.recordSection(DefinitionsSection::Expressions, content.expressions);
    return std::move(writer.lines);
}

}  // namespace tally
