#include "session/user_definitions_file.h"

#include <optional>
#include <system_error>
#include <utility>

#include "document/calculation_driver.h"
#include "engine/engine.h"
#include "engine/format_number.h"
#include "engine/message_window.h"
#include "engine/symbol_table.h"
#include "lang/blanks.h"
#include "lang/code_page.h"
#include "lang/recognisers.h"
#include "session/text_file.h"
#include "units/catalogue_menus.h"
#include "units/unit_definitions.h"
#include "units/user_definitions_format.h"

namespace tally {

namespace {

constexpr std::u16string_view kReadTitle = u"Tally Чтение конфигурации";
constexpr std::u16string_view kWriteTitle = u"Tally Запись конфигурации";
constexpr std::u16string_view kReadError = u"Ошибка в файле User-def.txt";
constexpr std::u16string_view kUnusedMarker = u"   ";

int selectionWithin(int index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

void applyAddedCalculations(const DefinitionsContent::List& list, CalculationDriver& driver) {
    driver.addedCalculations() = list.entries;
    ResultBox& box = driver.resultBox();
    box.items = list.entries;
    box.selectedIndex = selectionWithin(list.selectedIndex, box.items.size());
    if (box.selectedIndex >= 0)
        box.showText(box.items[static_cast<std::size_t>(box.selectedIndex)]);
    if (box.text.empty()) box.showText(std::u16string(ResultBox::kDefaultText));
}

// Evaluates "name = value" lines and stores the values. The file lists the variables from
// the last item of the box to the first, so the box is refilled in its own order, which
// keeps the saved selection on the same variable and the file unchanged by a load and save.
// A value written as a plain number is read as one; anything else is evaluated.
std::optional<double> variableValue(Engine& engine, std::u16string_view text) {
    std::u16string value = withoutBlanks(text);
    if (std::optional<double> number = numericLiteralValue(value)) return number;
    ExpressionResult result = engine.evaluateExpression(value);
    if (!result.ok()) return std::nullopt;
    return result.result.value;
}

// The name of a "name = value" line, without the blanks around it.
std::u16string_view variableName(std::u16string_view text) {
    std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// Returns how many lines it could not take.
int applyVariables(const DefinitionsContent::List& list, DefinitionsSession& session) {
    Engine& engine = session.engine;
    VariablesList& box = session.driver.variables();
    std::vector<EntryRef> stored;
    stored.reserve(list.entries.size());
    int skipped = 0;
    for (const std::u16string& line : list.entries) {
        std::size_t equals = line.find(u'=');
        EntryRef entry;
        if (equals != std::u16string::npos && equals != 0 && equals + 1 < line.size()) {
            std::u16string_view name = variableName(std::u16string_view(line).substr(0, equals));
            std::optional<double> value;
            if (isName(name))
                value = variableValue(engine, std::u16string_view(line).substr(equals + 1));
            if (value) entry = engine.assignVariable(name, *value);
        }
        if (entry.valid()) {
            stored.push_back(entry);
        } else {
            ++skipped;
        }
    }
    // A name read twice keeps the place of its later line and its final value.
    std::vector<std::u16string> items;
    items.reserve(stored.size());
    std::vector<bool> listed(static_cast<std::size_t>(engine.symbols().size()));
    for (auto it = stored.rbegin(); it != stored.rend(); ++it) {
        if (listed[static_cast<std::size_t>(it->index)]) continue;
        listed[static_cast<std::size_t>(it->index)] = true;
        const VariableEntry& variable = engine.symbols()[*it];
        items.push_back(std::u16string(variable.name) + u"=" + formatNumber(variable.value));
    }
    box.assign(std::move(items));
    session.definitions.variablesSelection =
        selectionWithin(list.selectedIndex, box.items().size());
    return skipped;
}

void applyCompoundUnits(const DefinitionsContent& content, CompoundUnitTable& table) {
    if (content.compoundUnitFlags) {
        const std::u16string& flags = *content.compoundUnitFlags;
        auto rows = table.builtInRows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            rows[i].enabled = i < flags.size() && flags[i] == u'+';
        }
    }
    for (const UserRecord& record : content.compoundUnits) {
        table.addUserRow({trimBlanks(record.name), record.value,
                          !record.comment.empty() && record.comment.front() == u'+'});
    }
}

// User units replace built-in ones of the same name unless the user declines; a declined
// record is still kept for the file, but gets no menu item.
void applyUnits(const std::vector<UserRecord>& records, DefinitionsSession& session) {
    UnitDefiner definer(session.engine, session.messages);
    for (const UserRecord& record : records) {
        session.definitions.units.push_back(record);
        std::u16string line = unitLine(record);
        if (definer.defineUnits(line)) {
            appendMenuItem(session.menus.userUnits.items, printUnitCaption(line));
        }
    }
}

// Returns how many lines of the section it could not take.
int applySection(DefinitionsSection section, const DefinitionsContent& content,
                 DefinitionsSession& session) {
    CalculationDriver& driver = session.driver;
    UserDefinitions& definitions = session.definitions;
    int skipped = 0;
    switch (section) {
        case DefinitionsSection::AddedCalculations:
            applyAddedCalculations(*content.addedCalculations, driver);
            break;
        case DefinitionsSection::Variables:
            skipped = applyVariables(*content.variables, session);
            break;
        case DefinitionsSection::UserFunctions:
            for (const std::u16string& line : content.userFunctions) {
                if (!driver.calculateDefinitionText(line)) ++skipped;
            }
            break;
        case DefinitionsSection::KeypadFunctions:
            definitions.keypadFunctions.clear();
            for (const std::u16string& name : content.keypadFunctions) {
                definitions.keypadFunctions.push_back(trimBlanks(name));
            }
            break;
        case DefinitionsSection::CompoundUnits:
            applyCompoundUnits(content, driver.compoundUnits());
            break;
        case DefinitionsSection::Constants:
            for (const UserRecord& record : content.constants) {
                definitions.constants.push_back(record);
                session.menus.constants.items.push_back(recordCaption(record));
            }
            break;
        case DefinitionsSection::Units:
            applyUnits(content.units, session);
            break;
        case DefinitionsSection::Expressions:
            for (const UserRecord& record : content.expressions) {
                definitions.expressions.push_back(record);
                session.menus.expressions.items.push_back(recordCaption(record));
            }
            break;
    }
    return skipped;
}

DefinitionsContent contentOf(DefinitionsSession& session) {
    CalculationDriver& driver = session.driver;
    const UserDefinitions& definitions = session.definitions;
    DefinitionsContent content;
    if (!driver.addedCalculations().empty()) {
        content.addedCalculations =
            DefinitionsContent::List{driver.resultBox().selectedIndex, driver.addedCalculations()};
    }
    const std::vector<std::u16string>& variables = driver.variables().items();
    if (!variables.empty()) {
        content.variables = DefinitionsContent::List{definitions.variablesSelection,
                                                     {variables.rbegin(), variables.rend()}};
    }
    content.userFunctions = driver.userFunctions().items();
    content.keypadFunctions = definitions.keypadFunctions;
    std::u16string flags;
    for (const ResultDimension& row : driver.compoundUnits().builtInRows()) {
        flags.push_back(row.enabled ? u'+' : u' ');
    }
    content.compoundUnitFlags = std::move(flags);
    for (const ResultDimension& row : driver.compoundUnits().userRows()) {
        content.compoundUnits.push_back(
            {row.name, row.definition,
             row.enabled ? std::u16string(u"+") : std::u16string(kUnusedMarker)});
    }
    content.constants = definitions.constants;
    content.units = definitions.units;
    content.expressions = definitions.expressions;
    return content;
}

}  // namespace

DefinitionsLoad UserDefinitionsFile::load(DefinitionsSession& session) {
    DefinitionsLoad result;
    TextFileLines file = readTextLines(m_file.path());
    if (file.status == TextFileLines::Status::Failed) {
        m_file.keepOriginal();
        session.messages.notify(kReadTitle, kReadError);
        result.status = DefinitionsLoad::Status::Unreadable;
        return result;
    }
    if (file.status == TextFileLines::Status::Missing || file.lines.empty()) return result;
    result.windows1251 = file.windows1251;

    ParsedDefinitions parsed = parseDefinitions(std::move(file.lines));
    for (DefinitionsSection section : parsed.order) {
        result.skippedLines += applySection(section, parsed.content, session);
    }
    result.status = DefinitionsLoad::Status::Loaded;
    if (result.skippedLines > 0) m_file.keepOriginal();
    if (parsed.stop != ParsedDefinitions::Stop::None) {
        m_file.keepOriginal();
        result.status = DefinitionsLoad::Status::StoppedEarly;
        result.stopLine = parsed.stopLine;
    }
    // A line that starts no section ends the reading quietly; a malformed section is an
    // error in the file.
    if (parsed.stop == ParsedDefinitions::Stop::Malformed) {
        session.messages.notify(kReadTitle, kReadError);
    }
    return result;
}

DefinitionsSave UserDefinitionsFile::save(DefinitionsSession& session) {
    DefinitionsSave result;
    KeptFileWrite written = m_file.write(encodeLines(formatDefinitions(contentOf(session))));
    result.saved = written.saved;
    result.backup = written.backup;
    result.error = written.error;
    if (!result.backup.empty()) {
        session.messages.notify(kWriteTitle,
                                u"Файл User-def.txt был прочитан не полностью. Его прежнее "
                                u"содержимое сохранено в файле " +
                                    result.backup.filename().u16string() + u".");
    }
    return result;
}

}  // namespace tally
