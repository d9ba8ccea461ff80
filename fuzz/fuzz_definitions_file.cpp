// Reads arbitrary bytes as the user definitions file into a fresh core, saves what it took,
// and reads that into another: the second save must equal the first, so nothing the program
// accepted changes or disappears on the way through the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/text_document.h"
#include "engine/message_window.h"
#include "session/session.h"
#include "session/user_definitions.h"
#include "session/user_definitions_file.h"

namespace {

std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("tally-fuzz-definitions-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::string readAll(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Loads `from` into a fresh core and saves it as `to`; the saved bytes.
std::string loadAndSave(const std::filesystem::path& from, const std::filesystem::path& to) {
    tally::TextDocument document;
    tally::AutomaticMessageWindow messages;
    tally::Session session(document, messages);
    tally::UserDefinitionsFile input(from);
    (void)session.loadDefinitions(input);
    // An emptied keypad list is not written, and the next run starts with the default list
    // instead: that is the one change the way through the file makes on purpose.
    std::vector<std::u16string>& keypad = session.definitions().keypadFunctions;
    if (keypad.empty()) keypad = tally::defaultKeypadFunctions();
    std::filesystem::remove(to);
    tally::UserDefinitionsFile output(to);
    if (!session.saveDefinitions(output).saved) std::abort();
    return readAll(to);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path folder = workFolder();
    {
        std::ofstream out(folder / "input.txt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::string first = loadAndSave(folder / "input.txt", folder / "first.txt");
    std::string second = loadAndSave(folder / "first.txt", folder / "second.txt");
    if (first != second) std::abort();
    return 0;
}
