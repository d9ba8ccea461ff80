#include "session/text_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "lang/code_page.h"
#include "lang/text_lines.h"

namespace tally {

namespace {

std::u16string describe(const std::error_code& error) {
    return fromUtf8(error.message());
}

std::filesystem::path withSuffix(const std::filesystem::path& file, std::string_view suffix) {
    std::filesystem::path result = file;
    result += suffix;
    return result;
}

}  // namespace

TextFileLines readTextLines(const std::filesystem::path& file) {
    TextFileLines result;
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        if (error) {
            result.status = TextFileLines::Status::Failed;
            result.error = describe(error);
        }
        return result;
    }
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in.is_open()) {
        result.status = TextFileLines::Status::Failed;
        result.error = u"файл не открывается для чтения";
        return result;
    }
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        result.status = TextFileLines::Status::Failed;
        result.error = u"файл не прочитан до конца";
        return result;
    }
    result.status = TextFileLines::Status::Read;
    std::string_view view = bytes;
    if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
    // Each line in its own encoding: a file that was once edited by a program writing
    // Windows-1251 keeps its UTF-8 lines intact, and the other way round.
    std::vector<std::string_view> lines = splitLines(view);
    result.lines.reserve(lines.size());
    for (std::string_view line : lines) {
        if (isValidUtf8(line)) {
            result.lines.push_back(fromUtf8(line));
        } else {
            result.windows1251 = true;
            result.lines.push_back(fromWindows1251(line));
        }
    }
    return result;
}

std::string encodeLines(const std::vector<std::u16string>& lines) {
    std::string bytes;
    for (const std::u16string& line : lines) {
        bytes += toUtf8(line);
        bytes += "\r\n";
    }
    return bytes;
}

FileWrite replaceFile(const std::filesystem::path& file, std::string_view bytes) {
    const std::filesystem::path temporary = withSuffix(file, ".tmp");
    FileWrite result;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            result.error = u"не удалось создать временный файл " + temporary.u16string();
            return result;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            result.error = u"не удалось записать временный файл " + temporary.u16string();
            return result;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        result.error = describe(error);
        return result;
    }
    result.ok = true;
    return result;
}

FileBackup keepBackupCopy(const std::filesystem::path& file) {
    FileBackup result;
    std::error_code error;
    for (int n = 0; n < 1000; ++n) {
        std::filesystem::path candidate =
            withSuffix(file, n == 0 ? std::string(".bak") : ".bak" + std::to_string(n));
        if (std::filesystem::exists(candidate, error) || error) continue;
        if (!std::filesystem::copy_file(file, candidate, error)) {
            result.error = describe(error);
            return result;
        }
        result.ok = true;
        result.backup = std::move(candidate);
        return result;
    }
    result.error = u"нет свободного имени для резервной копии";
    return result;
}

}  // namespace tally
