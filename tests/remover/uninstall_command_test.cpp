// The uninstaller's command line, built from the folder the removal program started from.

#include "remover/uninstall_command.h"

#include <gtest/gtest.h>

namespace tally {
namespace {

TEST(UninstallCommand, BuiltFromTheInstallationFolder) {
    struct Case {
        const UninstallerNaming& naming;
        std::string folder;
        std::string commandLine;
        std::string logPath;
    };
    const Case cases[] = {
        {kWindowsUninstaller, R"(C:\Apps\Calc)", R"(St6unst.exe -n "C:\Apps\Calc\St6unst.log")",
         R"(C:\Apps\Calc\St6unst.log)"},
        {kWindowsUninstaller, R"(C:\)", R"(St6unst.exe -n "C:\St6unst.log")", R"(C:\St6unst.log)"},
        {kWindowsUninstaller, R"(C:\Program Files\Tally)",
         R"(St6unst.exe -n "C:\Program Files\Tally\St6unst.log")",
         R"(C:\Program Files\Tally\St6unst.log)"},
        {kLinuxUninstaller, "/usr/local/bin", R"(St6unst -n "/usr/local/bin/St6unst.log")",
         "/usr/local/bin/St6unst.log"},
        {kLinuxUninstaller, "/", R"(St6unst -n "/St6unst.log")", "/St6unst.log"},
        {kLinuxUninstaller, "/home/user/My Programs/bin",
         R"(St6unst -n "/home/user/My Programs/bin/St6unst.log")",
         "/home/user/My Programs/bin/St6unst.log"},
        // Only one trailing separator is the folder's own.
        {kLinuxUninstaller, "/opt//", R"(St6unst -n "/opt//St6unst.log")", "/opt//St6unst.log"},
    };
    for (const Case& c : cases) {
        const UninstallCommand command = uninstallCommand(c.folder, c.naming);
        EXPECT_EQ(command.commandLine, c.commandLine) << c.folder;
        EXPECT_EQ(command.program, c.naming.program) << c.folder;
        // The log's path is one argument, blanks and all.
        EXPECT_EQ(command.arguments, (std::vector<std::string>{"-n", c.logPath})) << c.folder;
    }
}

}  // namespace
}  // namespace tally
