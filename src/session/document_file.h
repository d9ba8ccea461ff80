#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "document/rich_document.h"
#include "session/kept_file.h"

namespace tally {

// What reading the document file found.
struct [[nodiscard]] DocumentRead {
    enum class Kind {
        Missing,     // no file, or an empty one
        Rtf,         // a rich-text document
        PlainText,   // text that is not RTF, taken line by line
        Unreadable,  // bytes that are neither
    };
    Kind kind = Kind::Missing;
    RichDocument document;
    // Whether everything in the file is in `document`; if not, the original is kept as a
    // backup before it is first written over, and `problem` says what was wrong.
    bool complete = true;
    std::u16string problem;
};

// Takes the bytes of a document file apart: RTF (a truncated one in part), text in UTF-8,
// Windows-1251 or UTF-16 (one paragraph per line, in `textFormat`), or nothing usable.
DocumentRead readDocumentBytes(std::string_view bytes, const CharFormat& textFormat);

// The calculation document on disk, "Calculations.rtf". It is written as RTF, atomically;
// a file the program could not read completely is kept as "Calculations.rtf.bak" (".bak1"
// ...) before it is first written over.
class DocumentFile {
  public:
    static constexpr std::u16string_view kFileName = u"Calculations.rtf";

    explicit DocumentFile(std::filesystem::path path) : m_file(std::move(path)) {}
    static DocumentFile inFolder(const std::filesystem::path& dataFolder) {
        return DocumentFile(dataFolder / std::filesystem::path(kFileName));
    }

    const std::filesystem::path& path() const { return m_file.path(); }
    DocumentRead load(const CharFormat& textFormat);
    KeptFileWrite save(const RichDocument& document);
    bool backupPending() const { return m_file.backupPending(); }

  private:
    KeptFile m_file;
};

}  // namespace tally
