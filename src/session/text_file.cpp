#include "session/text_file.h"

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

std::vector<std::u16string> ownedLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    for (std::u16string_view line : splitLines(text))
        lines.emplace_back(line);
    return lines;
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
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        result.status = TextFileLines::Status::Failed;
        result.error = u"файл не открывается для чтения";
        return result;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    result.status = TextFileLines::Status::Read;
    std::string_view view = bytes;
    if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
    if (isValidUtf8(view)) {
        result.lines = ownedLines(fromUtf8(view));
    } else {
        result.windows1251 = true;
        result.lines = ownedLines(fromWindows1251(view));
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
