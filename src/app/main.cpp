#include <QApplication>

#include "app/application.h"
#include "app/program_icon.h"
#include "identity/application_name.h"

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tally::kApplicationName));
    // Ties the window to its menu entry, whose name and icon the desktop shows for it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALLY_DESKTOP_ID));
    QApplication::setWindowIcon(tally::programIcon());
    tally::Application application(QApplication::applicationDirPath());
    application.startUp();
    return QApplication::exec();
}
