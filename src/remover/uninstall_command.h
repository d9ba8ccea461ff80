#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tally {

// How the installer's uninstaller and its log are named on one platform.
struct UninstallerNaming {
    std::string program;  // started by name, found by the system's search for programs
    std::string log;      // the log's file name in the installation folder
    char separator;       // between a folder and a name in it
};

// The Windows installer's uninstaller and log.
inline const UninstallerNaming kWindowsUninstaller{"St6unst.exe", "St6unst.log", '\\'};
// Ours: the same roles, without the ".exe" that Linux programs do not carry.
inline const UninstallerNaming kLinuxUninstaller{"St6unst", "St6unst.log", '/'};

// The uninstaller's start, as a program with its arguments ("-n" and the log's path) and as
// the one command line they make: the program, " -n " and the log's path in double quotes.
struct UninstallCommand {
    std::string program;
    std::vector<std::string> arguments;
    std::string commandLine;
};

// Built from the folder the removal program was started from. One trailing separator (a
// drive root, or the root of the file system) is dropped first, so that exactly one
// separator stands before the log's name.
UninstallCommand uninstallCommand(std::string_view installationFolder,
                                  const UninstallerNaming& naming);

}  // namespace tally
