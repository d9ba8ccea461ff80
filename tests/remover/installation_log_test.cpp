// Reading an installation log: what it lists, and the logs that are refused as a whole.

#include "remover/installation_log.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(InstallationLog, ListsFoldersAndFilesInNormalForm) {
    const LogReading reading = parseInstallationLog(
        "prefix /opt/tally/\r\n"
        "\n"
        "folder /opt/tally/share/tally\n"
        "file /opt/tally/bin/tally\n"
        "file /opt/tally/share/tally/./Skins/../Introduction.rtf\n"
        "file /opt/tally/share/My Skins/Wood 6.jpg");
    ASSERT_TRUE(reading.log) << reading.error;
    EXPECT_EQ(reading.log->prefix, "/opt/tally");
    EXPECT_EQ(reading.log->folders, Paths{"/opt/tally/share/tally"});
    EXPECT_EQ(reading.log->files,
              (Paths{"/opt/tally/bin/tally", "/opt/tally/share/tally/Introduction.rtf",
                     "/opt/tally/share/My Skins/Wood 6.jpg"}));
}

TEST(InstallationLog, RefusesALogThatReachesOutsideItsPrefix) {
    struct Case {
        std::string why;
        std::string text;
    };
    const Case cases[] = {
        {"a file elsewhere", "prefix /opt/tally\nfile /opt/tally/bin/tally\nfile /etc/passwd\n"},
        {"a folder elsewhere", "prefix /opt/tally\nfolder /home/user\n"},
        {"climbing out", "prefix /opt/tally\nfile /opt/tally/bin/../../../home/user/x\n"},
        {"a neighbour sharing the prefix's name", "prefix /opt/tally\nfile /opt/tally2/bin/x\n"},
        {"the prefix itself", "prefix /opt/tally\nfolder /opt/tally/\n"},
        {"a relative path", "prefix /opt/tally\nfile bin/tally\n"},
        {"a relative prefix", "prefix opt/tally\nfile opt/tally/bin/tally\n"},
        {"no prefix", "file /opt/tally/bin/tally\n"},
        {"a file before the prefix", "file /opt/tally/bin/tally\nprefix /opt/tally\n"},
        {"a second prefix", "prefix /opt/tally\nprefix /\nfile /etc/passwd\n"},
        {"an unknown record", "prefix /opt/tally\nremove /opt/tally/bin\n"},
        {"a path without its record", "prefix /opt/tally\n/opt/tally/bin/tally\n"},
        {"an empty log", ""},
    };
    for (const Case& c : cases) {
        const LogReading reading = parseInstallationLog(c.text);
        EXPECT_FALSE(reading.log) << c.why;
        EXPECT_FALSE(reading.error.empty()) << c.why;
    }
}

TEST(InstallationLog, ReportsAMissingLog) {
    const LogReading reading = readInstallationLog("/nonexistent/St6unst.log");
    EXPECT_FALSE(reading.log);
    EXPECT_EQ(reading.error, "cannot be read");
}

}  // namespace
}  // namespace tally
