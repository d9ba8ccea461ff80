#include "appearance/skin.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace tally {

namespace {

// Larger pictures are read scaled down: a window never needs more, and memory stays small.
constexpr int kLargestSkinSide = 4096;

}  // namespace

QStringList skinFolders(const QString& programFolder, const QString& dataFolder) {
    QStringList folders{QDir(programFolder).filePath(QStringLiteral("Skins"))};
    if (!dataFolder.isEmpty()) {
        QString data = QDir(dataFolder).filePath(QStringLiteral("Skins"));
        if (QDir(data) != QDir(folders.front())) folders.push_back(data);
    }
    folders.push_back(
        QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/tally/Skins"))));
    return folders;
}

QString defaultSkinPath(const QStringList& folders) {
    const QString file = QString::fromLatin1(kDefaultSkinFile);
    for (const QString& folder : folders) {
        QString path = QDir(folder).filePath(file);
        if (QFileInfo(path).isFile()) return path;
    }
    return QDir(folders.value(0)).filePath(file);
}

QStringList skinFileFilters() {
    return {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png"),
            QStringLiteral("*.bmp"), QStringLiteral("*.gif")};
}

SkinPicture loadSkinPicture(const QString& path) {
    if (path.isEmpty()) return {QImage(), QStringLiteral("не указан файл рисунка")};
    if (!QFileInfo(path).isFile()) return {QImage(), QStringLiteral("файл не найден")};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid() && (size.width() > kLargestSkinSide || size.height() > kLargestSkinSide)) {
        reader.setScaledSize(size.scaled(kLargestSkinSide, kLargestSkinSide, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {QImage(),
                QStringLiteral("файл не читается как рисунок (%1)").arg(reader.errorString())};
    }
    return {image, QString()};
}

QPixmap coverWithSkin(const QImage& skin, const QSize& area) {
    if (skin.isNull() || area.isEmpty()) return QPixmap();
    QImage scaled = skin.scaled(area, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    QRect middle(QPoint((scaled.width() - area.width()) / 2, (scaled.height() - area.height()) / 2),
                 area);
    return QPixmap::fromImage(scaled.copy(middle));
}

void paintDressedKey(QPainter& painter, const QRect& key, const QString& tag,
                     const ResolvedLook& look, KeyState state) {
    // Translucent edges let the picture show through, as a lit bevel cut into it.
    const QColor light(255, 255, 255, 190);
    const QColor softLight(255, 255, 255, 80);
    const QColor dark(0, 0, 0, 200);
    const QColor softDark(0, 0, 0, 90);
    const bool down = state == KeyState::Down;
    auto bevel = [&](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QRect outer = key.adjusted(0, 0, -1, -1);
    QRect inner = outer.adjusted(1, 1, -1, -1);
    bevel(outer, down ? dark : light, down ? light : dark);
    bevel(inner, down ? softDark : softLight, down ? softLight : softDark);
    painter.setFont(look.font);
    painter.setPen(look.colour);
    QRect text = inner.adjusted(1, 1, -1, -1);
    if (down) text.translate(1, 1);
    painter.drawText(text, Qt::AlignCenter, tag);
    painter.restore();
}

}  // namespace tally
