#include <QApplication>

#include "app/application.h"

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tally Calculator"));
    tally::Application application(QApplication::applicationDirPath());
    application.startUp();
    return QApplication::exec();
}
