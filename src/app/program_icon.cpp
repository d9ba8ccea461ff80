#include "app/program_icon.h"

#include <QDir>

namespace tally {

QIcon programIcon() {
    QIcon icon;
    const QFileInfoList images = QDir(QStringLiteral(":/icons")).entryInfoList({"*.png"});
    for (const QFileInfo& image : images) {
        icon.addFile(image.filePath());
    }
    return icon;
}

}  // namespace tally
