#pragma once

#include <filesystem>

namespace tally {

// Where the program's read-only data lives (the introduction, skins, help subjects, help):
// for an installed program in <prefix>/bin it is <prefix>/share/tally, reached from the
// program's own folder as ../share/tally; when that folder does not exist the program runs
// from its build folder, where the build puts the data beside the program.
std::filesystem::path findProgramData(const std::filesystem::path& programFolder);

}  // namespace tally
