// Build tool: registers the built-in catalogue into a fresh engine exactly as the program
// would from its text, and writes what that registered (the units in order, the menus, the
// compound units) as a C++ source of static tables. Should the registration show a message
// or the text not parse, the tables say so and the program registers the text itself.
//
//   tally_catalogue_generator <output.cpp>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/engine.h"
#include "engine/message_window.h"
#include "units/catalogue.h"
#include "units/catalogue_tables.h"
#include "units/catalogue_text.h"
#include "units/compound_unit_table.h"

namespace tally {
namespace {

// An initializer "{a, b, ...}" of the given parts.
std::string braced(std::initializer_list<std::string> parts) {
    std::string result(1, '{');
    for (const std::string& part : parts) {
        if (result.size() > 1) result.append(", ");
        result.append(part);
    }
    result.push_back('}');
    return result;
}

// Collects the texts into one pool (each distinct text once) and the tables' declarations.
class TablesWriter {
  public:
    std::string text(std::u16string_view value) {
        auto [found, added] = m_offsets.try_emplace(std::u16string(value), m_pool.size());
        if (added) m_pool += value;
        return braced({std::to_string(found->second), std::to_string(value.size())});
    }

    // A unit's name and definition, one after the other; returns the offset of the name.
    std::size_t unitTexts(std::u16string_view name, std::u16string_view definition) {
        std::size_t offset = m_pool.size();
        m_pool.append(name).append(definition);
        return offset;
    }

    // The index of a value among the distinct values.
    std::size_t value(double number) {
        auto bits = std::bit_cast<std::uint64_t>(number);
        auto [found, added] = m_valueIndex.try_emplace(bits, m_values.size());
        if (added) m_values.push_back(bits);
        return found->second;
    }
    const std::vector<std::uint64_t>& values() const { return m_values; }

    // Appends the texts to the text list; returns their range.
    std::string range(const std::vector<std::u16string>& values) {
        std::size_t first = m_textCount;
        for (const std::u16string& value : values) {
            m_texts << "    " << text(value) << ",\n";
            ++m_textCount;
        }
        return braced({std::to_string(first), std::to_string(values.size())});
    }

    std::string captions(const MenuCaptions& captions) {
        return braced({text(captions.menu), text(captions.english), text(captions.russian)});
    }

    std::string textMenu(const TextMenu& menu) {
        return braced({captions(menu.captions), text(menu.itemArray), range(menu.items)});
    }

    std::string pool() const {
        std::ostringstream out;
        for (std::size_t i = 0; i < m_pool.size(); ++i) {
            out << (i % 12 == 0 ? "\n    " : " ") << static_cast<unsigned>(m_pool[i]) << ",";
        }
        return out.str();
    }
    std::size_t poolSize() const { return m_pool.size(); }
    std::string texts() const { return m_texts.str(); }
    std::size_t textCount() const { return m_textCount; }

  private:
    std::u16string m_pool;
    std::unordered_map<std::u16string, std::size_t> m_offsets;
    std::vector<std::uint64_t> m_values;
    std::unordered_map<std::uint64_t, std::size_t> m_valueIndex;
    std::ostringstream m_texts;
    std::size_t m_textCount = 0;
};

// A constant array, or nothing when it would be empty (C++ has no empty arrays).
void writeArray(std::ostream& out, const char* type, const char* name, const std::string& body,
                std::size_t count) {
    if (count == 0) return;
    out << "constexpr " << type << " " << name << "[] = {\n" << body << "};\n\n";
}

std::string spanOf(const char* name, std::size_t count) {
    return count == 0 ? "{}" : name;
}

struct Registered {
    bool clean = false;
    std::string reason;
    int freshSymbolCount = 0;
    int freshUnitCount = 0;
};

// The units the catalogue added, in order: entry i after the fresh ones names record
// freshUnitCount + 1 + i. Anything else means the tables cannot stand for the registration.
bool writeUnits(const Engine& engine, const Registered& registered, TablesWriter& writer,
                std::string& body, std::size_t& count, std::string& reason) {
    const SymbolTable& symbols = engine.symbols();
    int record = registered.freshUnitCount;
    for (int index = registered.freshSymbolCount; index < symbols.size(); ++index) {
        const VariableEntry& entry = symbols[EntryRef{index}];
        ++record;
        const UnitRecord& unit = engine.units().record(record);
        if (entry.code != code::unitRecord(record) || entry.name != unitName(unit.name)) {
            reason = "a symbol-table entry is not the next unit record";
            return false;
        }
        constexpr std::size_t kLimit = UINT16_MAX;
        std::size_t value = writer.value(entry.value);
        if (entry.name.size() > kLimit || unit.definition.size() > kLimit || value > kLimit) {
            reason = "a unit does not fit the tables";
            return false;
        }
        std::size_t offset = writer.unitTexts(entry.name, unit.definition);
        body.append("    ")
            .append(
                braced({std::to_string(offset), std::to_string(entry.name.size()),
                        std::to_string(unit.definition.size()),
                        std::to_string(VariableTable::hashOf(entry.name)), std::to_string(value)}))
            .append(",\n");
        ++count;
    }
    if (record != engine.units().count()) {
        reason = "unit records without a symbol-table entry";
        return false;
    }
    return true;
}

std::string generate() {
    Engine engine;
    Registered registered;
    registered.freshSymbolCount = engine.symbols().size();
    registered.freshUnitCount = engine.units().count();
    AutomaticMessageWindow window;
    Messages messages(window);
    CompoundUnitTable compoundUnits;
    Catalogue catalogue(builtInCatalogueText(), engine, messages, compoundUnits);

    TablesWriter writer;
    std::string units;
    std::size_t unitCount = 0;
    if (!catalogue.dataError().empty()) {
        registered.reason = "the text does not parse";
    } else if (!window.shown.empty()) {
        registered.reason = "registering the text shows messages";
    } else {
        registered.clean =
            writeUnits(engine, registered, writer, units, unitCount, registered.reason);
    }

    std::ostringstream out;
    out << "// Generated by tally_catalogue_generator from catalogue.txt; do not edit.\n\n"
        << "#include \"units/catalogue_tables.h\"\n\nnamespace tally {\n\nnamespace {\n\n";
    if (!registered.clean) {
        std::cerr << "tally_catalogue_generator: " << registered.reason
                  << "; the program registers the catalogue from its text\n";
        out << "constexpr CatalogueTables kTables{};\n\n";
    } else {
        const CatalogueMenus& menus = catalogue.menus();
        auto line = [](std::string& body, const std::string& initializer) {
            body.append("    ").append(initializer).append(",\n");
        };
        std::string groups;
        for (const FunctionGroup& group : menus.functionGroups) {
            line(groups, braced({writer.captions(group.captions), writer.text(group.keypadMenu),
                                 writer.range(group.signatures)}));
        }
        std::string constants = writer.textMenu(menus.constants);
        std::string expressions = writer.textMenu(menus.expressions);
        std::string categories;
        for (const UnitCategory& category : menus.categories) {
            line(categories,
                 braced({writer.captions(category.captions), writer.text(category.nameArray),
                         writer.text(category.combArray), writer.range(category.lines),
                         writer.range(category.names.items), writer.range(category.comb.items)}));
        }
        std::string userUnits = braced({writer.captions(menus.userUnits.captions),
                                        writer.text(menus.userUnits.itemArray),
                                        writer.range(menus.userUnits.items.items)});
        std::string rows;
        for (const ResultDimension& row : compoundUnits.builtInRows()) {
            line(rows, braced({writer.text(row.name), writer.text(row.definition),
                               row.enabled ? "true" : "false"}));
        }
        std::size_t rowCount = compoundUnits.builtInRows().size();

        out << "constexpr char16_t kPool[] = {" << writer.pool() << "\n};\n\n";
        writeArray(out, "TableText", "kTexts", writer.texts(), writer.textCount());
        writeArray(out, "TableUnit", "kUnits", units, unitCount);
        std::string values;
        for (std::uint64_t bits : writer.values()) {
            char number[32];
            std::snprintf(number, sizeof number, "    0x%016llxULL,\n",
                          static_cast<unsigned long long>(bits));
            values += number;
        }
        writeArray(out, "std::uint64_t", "kValues", values, writer.values().size());
        writeArray(out, "TableFunctionGroup", "kFunctionGroups", groups,
                   menus.functionGroups.size());
        writeArray(out, "TableUnitCategory", "kCategories", categories, menus.categories.size());
        writeArray(out, "TableCompoundUnit", "kCompoundUnits", rows, rowCount);
        out << "constexpr CatalogueTables kTables{\n"
            << "    .registersCleanly = true,\n"
            << "    .freshSymbolCount = " << registered.freshSymbolCount << ",\n"
            << "    .freshUnitCount = " << registered.freshUnitCount << ",\n"
            << "    .pool = {kPool, " << writer.poolSize() << "},\n"
            << "    .texts = " << spanOf("kTexts", writer.textCount()) << ",\n"
            << "    .units = " << spanOf("kUnits", unitCount) << ",\n"
            << "    .values = " << spanOf("kValues", writer.values().size()) << ",\n"
            << "    .functionGroups = " << spanOf("kFunctionGroups", menus.functionGroups.size())
            << ",\n"
            << "    .constants = " << constants << ",\n"
            << "    .expressions = " << expressions << ",\n"
            << "    .categories = " << spanOf("kCategories", menus.categories.size()) << ",\n"
            << "    .userUnits = " << userUnits << ",\n"
            << "    .builtInConstantCount = " << menus.builtInConstantCount << ",\n"
            << "    .builtInExpressionCount = " << menus.builtInExpressionCount << ",\n"
            << "    .compoundUnits = " << spanOf("kCompoundUnits", rowCount) << ",\n"
            << "};\n\n";
    }
    out << "}  // namespace\n\nconst CatalogueTables& builtInCatalogueTables() {\n"
        << "    return kTables;\n}\n\n}  // namespace tally\n";
    return out.str();
}

}  // namespace
}  // namespace tally

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tally_catalogue_generator <output.cpp>\n";
        return 2;
    }
    std::string source = tally::generate();
    // Written only when it changed, so that an unchanged catalogue rebuilds nothing.
    std::ifstream existing(argv[1], std::ios::binary);
    std::string old((std::istreambuf_iterator<char>(existing)), std::istreambuf_iterator<char>());
    if (existing && old == source) return 0;
    existing.close();
    std::string temporary(argv[1]);
    temporary.append(".tmp");
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << source;
    file.close();
    if (!file || std::rename(temporary.c_str(), argv[1]) != 0) {
        std::cerr << "tally_catalogue_generator: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
