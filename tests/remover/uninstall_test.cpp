// Taking an installation away as its log lists it.

#include "remover/uninstall.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "session/temp_folder.h"

namespace tally {
namespace {

using test::TempFolder;

// Every path below `root`, relative to it, symbolic links listed but not followed.
std::set<std::string> treeBelow(const std::filesystem::path& root) {
    std::set<std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        tree.insert(entry.path().lexically_relative(root).string());
    }
    return tree;
}

class Uninstall : public ::testing::Test {
  protected:
    std::filesystem::path prefix() const { return m_root / "prefix"; }
    std::filesystem::path logFile() const { return prefix() / "bin/St6unst.log"; }

    void makeFolders(std::initializer_list<const char*> folders) {
        for (const char* folder : folders) {
            std::filesystem::create_directories(m_root / folder);
        }
    }
    void makeFiles(std::initializer_list<const char*> files) {
        for (const char* file : files) {
            test::writeBytes(m_root / file, file);
        }
    }
    // A log with the prefix, the given folders and files (below the prefix), and itself.
    InstallationLog log(std::initializer_list<const char*> folders,
                        std::initializer_list<const char*> files) {
        InstallationLog log{prefix(), {}, {}};
        for (const char* folder : folders) {
            log.folders.push_back(prefix() / folder);
        }
        for (const char* file : files) {
            log.files.push_back(prefix() / file);
        }
        log.files.push_back(logFile());
        test::writeBytes(logFile(), "log");
        return log;
    }
    std::set<std::string> tree() const { return treeBelow(m_root.path()); }

    TempFolder m_root;
};

TEST_F(Uninstall, RemovesTheListedFilesAndTheFoldersLeftEmpty) {
    makeFolders({"prefix/bin", "prefix/share/tally/Skins", "prefix/share/icons/hicolor/16x16/apps",
                 "prefix/share/applications"});
    makeFiles({"prefix/bin/tally", "prefix/share/tally/Introduction.rtf",
               "prefix/share/tally/Skins/Wood6.jpg",
               "prefix/share/icons/hicolor/16x16/apps/tally.png",
               "prefix/share/applications/tally.desktop",
               // Not the installation's: another program's entry and the user's document.
               "prefix/share/applications/other.desktop", "prefix/bin/Calculations.rtf"});
    const InstallationLog listed =
        log({"share/tally", "share/tally/Skins", "share/icons", "share/icons/hicolor",
             "share/icons/hicolor/16x16", "share/icons/hicolor/16x16/apps", "share/applications"},
            {"bin/tally", "share/tally/Introduction.rtf", "share/tally/Skins/Wood6.jpg",
             "share/icons/hicolor/16x16/apps/tally.png", "share/applications/tally.desktop",
             "bin/already-gone"});

    const UninstallReport report = uninstall(listed, logFile());

    EXPECT_TRUE(report.complete()) << report.problems.front();
    // "bin" and "share" were there before: the log does not name them.
    EXPECT_EQ(tree(), (std::set<std::string>{"prefix", "prefix/bin", "prefix/bin/Calculations.rtf",
                                             "prefix/share", "prefix/share/applications",
                                             "prefix/share/applications/other.desktop"}));
}

TEST_F(Uninstall, NeverReachesOutThroughALinkNorTakesTheUsersWork) {
    makeFolders({"prefix/bin", "prefix/share/tally", "outside"});
    makeFiles({"prefix/bin/tally", "prefix/bin/User-def.txt", "outside/victim.txt",
               "outside/target.txt"});
    std::filesystem::create_directory_symlink(m_root / "outside", prefix() / "share/tally/linked");
    std::filesystem::create_symlink(m_root / "outside/target.txt", prefix() / "bin/link.txt");
    const InstallationLog listed =
        log({"share/tally", "share/tally/linked"},
            {"bin/tally", "bin/User-def.txt", "share/tally/linked/victim.txt", "bin/link.txt"});

    const UninstallReport report = uninstall(listed, logFile());

    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_NE(report.problems[0].find("User-def.txt"), std::string::npos);
    EXPECT_NE(report.problems[1].find("victim.txt"), std::string::npos);
    // The listed link went as a link; what links point to stays, and so does the log, for a
    // second run once the problems are dealt with.
    EXPECT_EQ(tree(), (std::set<std::string>{"outside", "outside/target.txt", "outside/victim.txt",
                                             "prefix", "prefix/bin", "prefix/bin/St6unst.log",
                                             "prefix/bin/User-def.txt", "prefix/share",
                                             "prefix/share/tally", "prefix/share/tally/linked"}));
}

// An installation under a prefix that is itself a link (say /usr/local leading to a larger
// disk) is taken away as usual.
TEST_F(Uninstall, AcceptsAPrefixReachedThroughALink) {
    makeFolders({"disk/bin"});
    makeFiles({"disk/bin/tally"});
    std::filesystem::create_directory_symlink(m_root / "disk", prefix());
    const UninstallReport report = uninstall(log({}, {"bin/tally"}), logFile());
    EXPECT_TRUE(report.complete());
    EXPECT_EQ(tree(), (std::set<std::string>{"disk", "disk/bin", "prefix"}));
}

}  // namespace
}  // namespace tally
