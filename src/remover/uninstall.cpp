#include "remover/uninstall.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <system_error>

namespace tally {

namespace {

// The files in which the calculator keeps the user's work, in the program's folder when it
// can be written.
constexpr std::array<std::string_view, 2> kUsersWork = {"Calculations.rtf", "User-def.txt"};

class Remover {
  public:
    explicit Remover(const std::filesystem::path& prefix) {
        std::error_code error;
        m_prefix = std::filesystem::weakly_canonical(prefix, error);
        if (error) m_prefix = prefix;
    }

    const std::vector<std::string>& problems() const { return m_problems; }

    void removeFile(const std::filesystem::path& file) {
        if (std::find(kUsersWork.begin(), kUsersWork.end(), file.filename().string()) !=
            kUsersWork.end()) {
            complain(file, "is the user's work");
            return;
        }
        if (!reachedFromInside(file)) return;
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::symlink_status(file, error);
        if (status.type() == std::filesystem::file_type::not_found) return;
        if (status.type() == std::filesystem::file_type::directory) {
            complain(file, "is a folder, not a file");
            return;
        }
        if (!std::filesystem::remove(file, error) && error) complain(file, error.message());
    }

    void removeFolderIfEmpty(const std::filesystem::path& folder) {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::symlink_status(folder, error);
        if (status.type() != std::filesystem::file_type::directory) return;
        if (!reachedFromInside(folder)) return;
        if (!std::filesystem::is_empty(folder, error) || error) return;
        if (!std::filesystem::remove(folder, error) && error) complain(folder, error.message());
    }

  private:
    // Whether the folder holding `path` is, with every symbolic link on the way resolved,
    // still inside the prefix. A missing folder holds nothing to remove.
    bool reachedFromInside(const std::filesystem::path& path) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::canonical(path.parent_path(), error);
        if (error) return false;
        if (folder == m_prefix || liesInside(folder, m_prefix)) return true;
        complain(path, "is reached through a symbolic link that leads out of " + m_prefix.string());
        return false;
    }

    void complain(const std::filesystem::path& path, const std::string& reason) {
        m_problems.push_back(path.string() + ": " + reason);
    }

    std::filesystem::path m_prefix;
    std::vector<std::string> m_problems;
};

bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

}  // namespace

UninstallReport uninstall(const InstallationLog& log, const std::filesystem::path& logFile) {
    Remover remover(log.prefix);
    std::optional<std::filesystem::path> listedLog;
    for (const std::filesystem::path& file : log.files) {
        if (isSameFile(file, logFile)) {
            listedLog = file;
            continue;
        }
        remover.removeFile(file);
    }
    if (listedLog && remover.problems().empty()) remover.removeFile(*listedLog);

    // Deepest first: a folder's path is longer than that of any folder holding it.
    std::vector<std::filesystem::path> folders = log.folders;
    std::sort(folders.begin(), folders.end(),
              [](const auto& a, const auto& b) { return a.native().size() > b.native().size(); });
    for (const std::filesystem::path& folder : folders) {
        remover.removeFolderIfEmpty(folder);
    }
    return {remover.problems()};
}

}  // namespace tally
