#include "remover/settings_entry.h"

#include <QFile>
#include <QSettings>

namespace tally {

void deleteSettingsEntry(const QString& applicationName) {
    QString file;
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, applicationName);
        file = settings.fileName();
        settings.clear();
        settings.sync();
    }
    // Where the store keeps an entry in a file of its own, an emptied entry would still
    // stand as an empty file; the entry goes as a whole.
    if (QFile::exists(file)) QFile::remove(file);
}

}  // namespace tally
