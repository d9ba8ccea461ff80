#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tally {

struct [[nodiscard]] KeptFileWrite {
    bool saved = false;
    std::filesystem::path backup;  // where the original was kept before this write, if it was
    std::u16string error;          // why the file could not be written: the reason and the path
};

// A file the program rewrites whole (the document, the user definitions). A write never
// leaves it half done; and a file the program did not read completely is copied to
// "<name>.bak" (".bak1", ".bak2"... when that exists) before it is first written over, so
// nothing the program could not read is lost.
class KeptFile {
  public:
    explicit KeptFile(std::filesystem::path path) : m_path(std::move(path)) {}

    const std::filesystem::path& path() const { return m_path; }
    // The file was not read completely: keep it before the next write.
    void keepOriginal() { m_backupPending = true; }
    bool backupPending() const { return m_backupPending; }
    KeptFileWrite write(std::string_view bytes);

  private:
    std::filesystem::path m_path;
    bool m_backupPending = false;
};

}  // namespace tally
