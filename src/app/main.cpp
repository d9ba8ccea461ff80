#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

#include "app/application.h"
#include "app/main_window.h"
#include "app/program_icon.h"
#include "app/single_instance.h"
#include "app/window_modes.h"
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
    // A second start on the same data folder brings the running program forward instead of
    // overwriting its document.
    tally::SingleInstance instance(application.dataFolder());
    switch (instance.acquire()) {
        case tally::SingleInstance::Start::First:
            break;
        case tally::SingleInstance::Start::AnotherRunning:
            return 0;
        case tally::SingleInstance::Start::AnotherUnreachable:
            QMessageBox::warning(nullptr, QStringLiteral("Tally"),
                                 QStringLiteral("Tally уже работает с папкой %1, но не отвечает. "
                                                "Закройте её и запустите снова.")
                                     .arg(application.dataFolder()));
            return 1;
    }
    application.startUp();
    QObject::connect(&instance, &tally::SingleInstance::activationRequested, &application,
                     [&application] { application.window().windowModes().restore(); });
    return QApplication::exec();
}
