#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "session/kept_file.h"
#include "session/user_definitions.h"

namespace tally {

class CalculationDriver;
class Engine;
class Messages;
struct CatalogueMenus;

// What loading the definitions fills and saving them reads.
struct DefinitionsSession {
    Engine& engine;
    Messages& messages;
    CalculationDriver& driver;  // added calculations, variables, user functions, compound units
    CatalogueMenus& menus;      // Constants, Expressions and User-Defined units menus
    UserDefinitions& definitions;
};

struct [[nodiscard]] DefinitionsLoad {
    enum class Status {
        NoFile,        // missing or empty: nothing read, no message
        Loaded,        // every section read
        StoppedEarly,  // a line that starts no section, or a malformed section
        Unreadable,    // the file exists but could not be read
    };
    Status status = Status::NoFile;
    int stopLine = 0;          // 1-based, for StoppedEarly
    bool windows1251 = false;  // some line was not UTF-8
    // Lines read but not taken (a variable whose value does not evaluate, a function line
    // that defines nothing): the file is kept as a backup before it is rewritten without
    // them.
    int skippedLines = 0;
};

struct [[nodiscard]] DefinitionsSave {
    bool saved = false;
    std::filesystem::path backup;  // where the incompletely read file was kept, if it was
    std::u16string error;
};

// The user definitions file, "User-def.txt" in the data folder. It is read once after the
// built-in catalogue exists and rewritten whole at exit, as UTF-8 with CR LF line ends; a
// file from an older system in Windows-1251 is read as such.
//
// A file that was not read to its end (or not at all) still holds what the program does
// not: before the first rewrite it is kept as "User-def.txt.bak" (".bak1", ".bak2"... when
// that exists) and the message window says so. A rewrite goes to a temporary file that
// replaces the old one only when complete; a failure is reported and leaves it intact.
class UserDefinitionsFile {
  public:
    static constexpr std::u16string_view kFileName = u"User-def.txt";

    explicit UserDefinitionsFile(std::filesystem::path file) : m_file(std::move(file)) {}
    static UserDefinitionsFile inFolder(const std::filesystem::path& dataFolder) {
        return UserDefinitionsFile(dataFolder / std::filesystem::path(kFileName));
    }

    const std::filesystem::path& path() const { return m_file.path(); }
    DefinitionsLoad load(DefinitionsSession& session);
    // A failure is the caller's to report; a kept original is told through the message
    // window.
    DefinitionsSave save(DefinitionsSession& session);
    // Whether the next save keeps a copy of the file first.
    bool backupPending() const { return m_file.backupPending(); }

  private:
    KeptFile m_file;
};

}  // namespace tally
