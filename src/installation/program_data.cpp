#include "installation/program_data.h"

#include <system_error>

namespace tally {

std::filesystem::path findProgramData(const std::filesystem::path& programFolder) {
    // ".." is resolved by the file system, not by text, so a program folder reached through
    // a symbolic link still finds the data of the installation it belongs to.
    const std::filesystem::path installed = programFolder / ".." / "share" / "tally";
    std::error_code error;
    if (!std::filesystem::is_directory(installed, error)) return programFolder;
    std::filesystem::path resolved = std::filesystem::canonical(installed, error);
    return error ? installed : resolved;
}

}  // namespace tally
