#include "session/kept_file.h"

#include <system_error>

#include "session/text_file.h"

namespace tally {

KeptFileWrite KeptFile::write(std::string_view bytes) {
    KeptFileWrite result;
    std::error_code error;
    if (m_path.has_parent_path()) std::filesystem::create_directories(m_path.parent_path(), error);
    bool present = !error && std::filesystem::exists(m_path, error);
    if (error) {
        result.error = describeFileError(error) + u" (" + m_path.u16string() + u")";
        return result;
    }
    if (m_backupPending && present) {
        FileBackup backup = keepBackupCopy(m_path);
        if (!backup.ok) {
            result.error = u"не удалось сохранить прежний файл: " + backup.error;
            return result;
        }
        result.backup = backup.backup;
    }
    m_backupPending = false;
    FileWrite written = replaceFile(m_path, bytes);
    if (!written.ok) {
        result.error = written.error;
        return result;
    }
    result.saved = true;
    return result;
}

}  // namespace tally
