#include "remover/uninstall_command.h"

namespace tally {

UninstallCommand uninstallCommand(std::string_view installationFolder,
                                  const UninstallerNaming& naming) {
    std::string folder(installationFolder);
    if (!folder.empty() && folder.back() == naming.separator) folder.pop_back();
    std::string logPath = folder + naming.separator + naming.log;
    UninstallCommand command;
    command.program = naming.program;
    command.arguments = {"-n", logPath};
    command.commandLine = naming.program + " -n \"" + logPath + "\"";
    return command;
}

}  // namespace tally
