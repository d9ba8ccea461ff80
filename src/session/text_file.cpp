#include "session/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "lang/code_page.h"
#include "lang/text_lines.h"

namespace tally {

std::u16string describeFileError(const std::error_code& error) {
    switch (static_cast<std::errc>(error.value())) {
        case std::errc::no_space_on_device:
            return u"на диске нет места";
        case std::errc::permission_denied:
        case std::errc::operation_not_permitted:
            return u"нет прав доступа";
        case std::errc::read_only_file_system:
            return u"диск доступен только для чтения";
        case std::errc::no_such_file_or_directory:
            return u"файл или папка не найдены";
        case std::errc::io_error:
            return u"ошибка ввода-вывода";
        case std::errc::file_too_large:
            return u"файл слишком велик";
        case std::errc::is_a_directory:
            return u"на месте файла находится папка";
        case std::errc::not_a_directory:
            return u"в пути к файлу вместо папки стоит файл";
        case std::errc::filename_too_long:
            return u"слишком длинное имя файла";
        case std::errc::too_many_files_open:
        case std::errc::too_many_files_open_in_system:
            return u"открыто слишком много файлов";
        case std::errc::device_or_resource_busy:
        case std::errc::text_file_busy:
            return u"файл занят другой программой";
        default:
            break;
    }
#ifdef EDQUOT
    if (error.value() == EDQUOT) return u"превышена дисковая квота";
#endif
    // Reasons met rarely keep the system's wording, after a Russian lead.
    return u"системная ошибка " + fromUtf8(std::to_string(error.value())) + u" (" +
           fromUtf8(error.message()) + u")";
}

namespace {

std::filesystem::path withSuffix(const std::filesystem::path& file, std::string_view suffix) {
    std::filesystem::path result = file;
    result += suffix;
    return result;
}

std::error_code lastError() {
    return {errno, std::generic_category()};
}

// Writes every byte, going on after a partial write.
bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file beside `file` under a name no other writer uses: a random suffix, created
// exclusively.
int createTemporary(const std::filesystem::path& file, std::filesystem::path& temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t suffix = (std::uint64_t{random()} << 32) ^ random();
        char name[24];
        std::snprintf(name, sizeof name, ".%016llx.tmp", static_cast<unsigned long long>(suffix));
        temporary = withSuffix(file, name);
        int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

TextFileLines readTextLines(const std::filesystem::path& file) {
    TextFileLines result;
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        if (error) {
            result.status = TextFileLines::Status::Failed;
            result.error = describeFileError(error);
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
    FileWrite result;
    std::filesystem::path temporary;
    int descriptor = createTemporary(file, temporary);
    if (descriptor < 0) {
        result.error =
            describeFileError(lastError()) + u" (" + file.parent_path().u16string() + u")";
        return result;
    }
    // The bytes reach the disk before the new file takes the old one's name, so a crash
    // leaves either file whole.
    bool written = writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    std::error_code writeError = lastError();
    if (::close(descriptor) != 0 && written) {
        written = false;
        writeError = lastError();
    }
    std::error_code ignored;
    if (!written) {
        std::filesystem::remove(temporary, ignored);
        result.error = describeFileError(writeError) + u" (" + file.u16string() + u")";
        return result;
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, ignored);
        result.error = describeFileError(error) + u" (" + file.u16string() + u")";
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
            result.error = describeFileError(error);
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
