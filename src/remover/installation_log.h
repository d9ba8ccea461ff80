#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// What an installation wrote, as its log lists it, one record a line:
//   prefix <folder>   the installation prefix, first and once
//   folder <path>     a folder the installation created
//   file <path>       a file it installed (the log itself among them)
struct InstallationLog {
    std::filesystem::path prefix;
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> files;
};

struct LogReading {
    std::optional<InstallationLog> log;
    std::string error;  // why the log was refused, when it was
};

// Reads a log's text. Paths come back in their normal form. A log that is malformed, or names
// a path that is not absolute or does not lie inside its prefix, is refused as a whole: a
// damaged or foreign log must remove nothing.
LogReading parseInstallationLog(std::string_view text);
[[nodiscard]] LogReading readInstallationLog(const std::filesystem::path& file);

// Whether `path` lies strictly inside `folder`, both absolute and in normal form; decided
// on the text alone, without looking at the disk.
bool liesInside(const std::filesystem::path& path, const std::filesystem::path& folder);

}  // namespace tally
