#include "app/exit_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tally {

ExitSaveChoice askAboutUnsavedWork(const QString& problem, QString& folder) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tally"),
                    QStringLiteral("%1\n\nЧто сделать с несохранённой работой?").arg(problem));
    QPushButton* retry = box.addButton(QStringLiteral("Повторить"), QMessageBox::AcceptRole);
    QPushButton* elsewhere =
        box.addButton(QStringLiteral("Сохранить в другой папке..."), QMessageBox::ActionRole);
    QPushButton* quit =
        box.addButton(QStringLiteral("Выйти без сохранения"), QMessageBox::DestructiveRole);
    box.setDefaultButton(retry);
    box.setEscapeButton(retry);
    box.exec();
    if (box.clickedButton() == quit) return ExitSaveChoice::Quit;
    if (box.clickedButton() == elsewhere) {
        folder = QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Папка для работы"),
                                                   QDir::homePath());
        // No folder chosen: the question is asked again.
        return folder.isEmpty() ? ExitSaveChoice::Retry : ExitSaveChoice::SaveElsewhere;
    }
    return ExitSaveChoice::Retry;
}

}  // namespace tally
