#pragma once

#include <QDialog>

namespace tally {

// The About window (frmAbout): the program's name and version, its licence, the folders it
// works with and a way into the help.
class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    AboutDialog(const QString& dataFolder, const QString& programDataFolder, QWidget* parent);

  signals:
    void helpRequested();
};

}  // namespace tally
