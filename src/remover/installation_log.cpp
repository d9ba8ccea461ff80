#include "remover/installation_log.h"

#include <fstream>
#include <iterator>

namespace tally {

namespace {

// The normal form without a trailing separator, so that "/opt/tally/" and "/opt/tally"
// compare equal.
std::filesystem::path normalForm(const std::filesystem::path& path) {
    std::filesystem::path normal = path.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
    return normal;
}

std::string lineError(std::size_t number, std::string_view what) {
    return "line " + std::to_string(number) + ": " + std::string(what);
}

}  // namespace

bool liesInside(const std::filesystem::path& path, const std::filesystem::path& folder) {
    const std::filesystem::path relative = path.lexically_relative(folder);
    return !relative.empty() && relative != "." && *relative.begin() != "..";
}

LogReading parseInstallationLog(std::string_view text) {
    InstallationLog log;
    bool havePrefix = false;
    std::size_t number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;

        std::size_t blank = line.find(' ');
        std::string_view kind = line.substr(0, blank);
        if (kind != "prefix" && kind != "folder" && kind != "file") {
            return {std::nullopt, lineError(number, "not a prefix, folder or file record")};
        }
        std::filesystem::path path(blank == std::string_view::npos ? std::string_view()
                                                                   : line.substr(blank + 1));
        if (!path.is_absolute()) return {std::nullopt, lineError(number, "not an absolute path")};
        path = normalForm(path);

        if (kind == "prefix") {
            if (havePrefix) return {std::nullopt, lineError(number, "a second prefix")};
            log.prefix = path;
            havePrefix = true;
            continue;
        }
        if (!havePrefix) return {std::nullopt, lineError(number, "no prefix before it")};
        if (!liesInside(path, log.prefix)) {
            return {std::nullopt, lineError(number, path.string() + " lies outside the prefix " +
                                                        log.prefix.string())};
        }
        (kind == "file" ? log.files : log.folders).push_back(path);
    }
    if (!havePrefix) return {std::nullopt, "no prefix"};
    return {std::move(log), {}};
}

LogReading readInstallationLog(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {std::nullopt, "cannot be read"};
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return {std::nullopt, "cannot be read"};
    return parseInstallationLog(text);
}

}  // namespace tally
