#include "session/data_folder.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace tally {

namespace {

std::optional<std::filesystem::path> variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::filesystem::path(value);
}

}  // namespace

DataFolderEnvironment processEnvironment() {
    return {variable("XDG_DATA_HOME"), variable("HOME")};
}

bool isWritableFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return false;
    const std::filesystem::path probe = folder / ".tally-write-probe";
    bool created = std::ofstream(probe, std::ios::binary | std::ios::app).is_open();
    if (created) std::filesystem::remove(probe, error);
    return created;
}

std::filesystem::path chooseDataFolder(const std::filesystem::path& programFolder,
                                       const DataFolderEnvironment& environment,
                                       bool installed) {
    if (!installed && isWritableFolder(programFolder)) return programFolder;
    if (environment.xdgDataHome && environment.xdgDataHome->is_absolute()) {
        return *environment.xdgDataHome / "Tally";
    }
    if (environment.home) return *environment.home / ".local" / "share" / "Tally";
    return programFolder;
}

}  // namespace tally
