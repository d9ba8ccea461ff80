#pragma once

#include <filesystem>
#include <optional>

namespace tally {

// The environment the per-user folder is derived from.
struct DataFolderEnvironment {
    std::optional<std::filesystem::path> xdgDataHome;  // $XDG_DATA_HOME
    std::optional<std::filesystem::path> home;         // $HOME
};

// The environment of the running process.
DataFolderEnvironment processEnvironment();

// Whether a file can be created in `folder`, tried by creating and removing one.
bool isWritableFolder(const std::filesystem::path& folder);

// Where the definitions and the document live: the program folder when it is writable and
// the program is not an installed copy (whose folder, such as ~/.local/bin, holds programs,
// not documents), otherwise the per-user application data folder, $XDG_DATA_HOME/Tally (an
// absolute $XDG_DATA_HOME only) or ~/.local/share/Tally. Without a home either, the program
// folder.
std::filesystem::path chooseDataFolder(const std::filesystem::path& programFolder,
                                       const DataFolderEnvironment& environment,
                                       bool installed = false);
inline std::filesystem::path chooseDataFolder(const std::filesystem::path& programFolder,
                                              bool installed = false) {
    return chooseDataFolder(programFolder, processEnvironment(), installed);
}

}  // namespace tally
