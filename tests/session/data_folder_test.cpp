// Where the definitions live: the program folder when it can be written, otherwise the
// per-user data folder.

#include "session/data_folder.h"

#include <gtest/gtest.h>

#include "session/temp_folder.h"

namespace tally {
namespace {

using test::TempFolder;

TEST(DataFolder, ChoosesTheProgramFolderWhenWritable) {
    TempFolder program;
    const DataFolderEnvironment environment{"/xdg", "/home/user"};
    EXPECT_TRUE(isWritableFolder(program.path()));
    EXPECT_EQ(chooseDataFolder(program.path(), environment), program.path());
    EXPECT_TRUE(std::filesystem::is_empty(program.path()));
}

TEST(DataFolder, AnInstalledCopyKeepsDocumentsInThePerUserFolder) {
    TempFolder program;
    const DataFolderEnvironment environment{"/xdg", "/home/user"};
    EXPECT_EQ(chooseDataFolder(program.path(), environment, true), "/xdg/Tally");
}

TEST(DataFolder, FallsBackToThePerUserFolder) {
    TempFolder program;
    // A folder that cannot be created, even by the super-user: its parent is a file.
    test::writeBytes(program / "file", "x");
    const std::filesystem::path unwritable = program / "file" / "bin";
    struct Case {
        DataFolderEnvironment environment;
        std::filesystem::path chosen;
    };
    const Case cases[] = {
        {{"/xdg/data", "/home/user"}, "/xdg/data/Tally"},
        {{"relative/data", "/home/user"}, "/home/user/.local/share/Tally"},
        {{std::nullopt, "/home/user"}, "/home/user/.local/share/Tally"},
        {{std::nullopt, std::nullopt}, unwritable},
    };
    EXPECT_FALSE(isWritableFolder(unwritable));
    for (const Case& c : cases) {
        EXPECT_EQ(chooseDataFolder(unwritable, c.environment), c.chosen);
    }
}

}  // namespace
}  // namespace tally
