// Where the program finds its read-only data: installed below a prefix, or beside the
// program in its build folder.

#include "installation/program_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/temp_folder.h"

namespace tally {
namespace {

using test::TempFolder;

TEST(ProgramData, FoundForTheInstalledLayoutAndTheBuildFolder) {
    struct Case {
        std::string layout;
        std::vector<std::string> folders;
        std::vector<std::string> files;
        std::string programFolder;
        std::string expected;
    };
    const Case cases[] = {
        {"installed", {"usr/bin", "usr/share/tally"}, {}, "usr/bin", "usr/share/tally"},
        {"installed, folder named with a trailing separator",
         {"usr/bin", "usr/share/tally"},
         {},
         "usr/bin/",
         "usr/share/tally"},
        {"build folder",
         {"build/src/app"},
         {"build/src/app/Introduction.rtf"},
         "build/src/app",
         "build/src/app"},
        {"installed without its data", {"opt/bin", "opt/share"}, {}, "opt/bin", "opt/bin"},
        {"a file where the data folder would be",
         {"opt/bin", "opt/share"},
         {"opt/share/tally"},
         "opt/bin",
         "opt/bin"},
    };
    for (const Case& c : cases) {
        TempFolder root;
        for (const std::string& folder : c.folders) {
            std::filesystem::create_directories(root / folder);
        }
        for (const std::string& file : c.files) {
            test::writeBytes(root / file, "x");
        }
        const std::filesystem::path found = findProgramData(root / c.programFolder);
        EXPECT_TRUE(std::filesystem::equivalent(found, root / c.expected))
            << c.layout << ": found " << found;
    }
}

// A program started through a link to its folder belongs to the installation the folder is
// in, not to the folder the link stands in.
TEST(ProgramData, FollowsALinkedProgramFolderToItsInstallation) {
    TempFolder root;
    std::filesystem::create_directories(root / "opt/tally/bin");
    std::filesystem::create_directories(root / "opt/tally/share/tally");
    std::filesystem::create_directories(root / "home/user");
    std::filesystem::create_directory_symlink(root / "opt/tally/bin", root / "home/user/tally");
    EXPECT_EQ(findProgramData(root / "home/user/tally"),
              std::filesystem::canonical(root / "opt/tally/share/tally"));
}

}  // namespace
}  // namespace tally
