#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/application.h"
#include "app/program_icon.h"
#include "identity/application_name.h"

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tally::kApplicationName));
    // Ties the window to its menu entry, whose name and icon the desktop shows for it.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALLY_DESKTOP_ID));
    QApplication::setWindowIcon(tally::programIcon());
    // The interface is Russian, Qt's own dialogs (printing, files, colours) included.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                            QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslations);
    }
    // The program ends through its Exit commands; hidden into the notification area it
    // keeps running with no window shown.
    QApplication::setQuitOnLastWindowClosed(false);
    tally::Application application(QApplication::applicationDirPath());
    application.startUp();
    return QApplication::exec();
}
