#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tally {

// The lines of a text file, each in UTF-8 when it is valid UTF-8 and otherwise in
// Windows-1251, as older systems wrote it (a leading byte-order mark is skipped). Lines end
// with CR LF or LF; a final line without an end counts.
struct [[nodiscard]] TextFileLines {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    std::vector<std::u16string> lines;
    bool windows1251 = false;  // some line was read as Windows-1251
    std::u16string error;      // why a file that exists could not be read
};
TextFileLines readTextLines(const std::filesystem::path& file);

// The lines as UTF-8, each ended by CR LF.
std::string encodeLines(const std::vector<std::u16string>& lines);

// Why a file operation failed, in the program's language: the reasons a user meets most
// often (no space, no rights, a read-only disk...) in words of their own, others with the
// system's wording after a Russian lead.
std::u16string describeFileError(const std::error_code& error);

struct [[nodiscard]] FileWrite {
    bool ok = false;
    std::u16string error;
};

// Writes the bytes to a temporary file of its own in the same folder, makes sure they are
// on the disk, and renames it over `file`, so that a failure at any point leaves the old
// file as it was and two writers never share a temporary file. The error names the reason
// and the path.
FileWrite replaceFile(const std::filesystem::path& file, std::string_view bytes);

struct [[nodiscard]] FileBackup {
    bool ok = false;
    std::filesystem::path backup;  // "<file>.bak", or ".bak1", ".bak2"... when taken
    std::u16string error;
};

// Copies `file` to the first of "<file>.bak", "<file>.bak1", "<file>.bak2"... that does not
// exist yet.
FileBackup keepBackupCopy(const std::filesystem::path& file);

}  // namespace tally
