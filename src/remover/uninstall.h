#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "remover/installation_log.h"

namespace tally {

// What stayed behind, one line each, with the reason.
struct UninstallReport {
    std::vector<std::string> problems;
    bool complete() const { return problems.empty(); }
};

// Takes an installation away: removes the files its log lists, then the folders it lists
// that are left empty, deepest first. It never removes a folder with anything in it, never
// reaches a path through a symbolic link that leads out of the prefix (a listed symbolic
// link is removed as a link), and never removes the user's own work ("Calculations.rtf",
// "User-def.txt"), whatever the log says. Files already gone count as removed. The log file
// `logFile` itself is removed last, and only when everything else went, so that a second
// run can finish what the first could not.
[[nodiscard]] UninstallReport uninstall(const InstallationLog& log,
                                        const std::filesystem::path& logFile);

}  // namespace tally
