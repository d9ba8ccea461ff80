// UnstTally: removes Tally. It starts the uninstaller on the installation's log without
// waiting for it, deletes the calculator's settings and ends; it shows nothing, and a step
// that fails does not stop the next one.

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <functional>

#include "identity/application_name.h"
#include "remover/settings_entry.h"
#include "remover/uninstall_command.h"

namespace {

void ignoringFailure(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
    }
}

QStringList toQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list.append(QString::fromStdString(text));
    }
    return list;
}

// Starts the uninstaller that stands in the installation folder, where the installation put
// it; an uninstaller elsewhere on the search path belongs to another installation, or to no
// installation at all, and is not started. The arguments are handed over as they are, never
// through a shell, so no folder name can be read as a command.
void startUninstaller(const QString& installationFolder) {
    const tally::UninstallCommand command =
        tally::uninstallCommand(installationFolder.toStdString(), tally::kLinuxUninstaller);
    const QString program = QStandardPaths::findExecutable(QString::fromStdString(command.program),
                                                           {installationFolder});
    if (program.isEmpty()) return;
    QProcess::startDetached(program, toQStringList(command.arguments));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString folder = QCoreApplication::applicationDirPath();
    ignoringFailure([&] { startUninstaller(folder); });
    ignoringFailure([] { tally::deleteSettingsEntry(QString::fromUtf8(tally::kApplicationName)); });
    return 0;
}
