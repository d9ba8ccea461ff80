#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include "appearance/text_classes.h"

class QPainter;
class QRect;

namespace tally {

inline constexpr const char* kDefaultSkinFile = "Wood6.jpg";

// Where skin pictures are looked for, in order: "Skins" beside the program, in the user's
// data folder (when given) and in the installed data ("share/tally/Skins").
QStringList skinFolders(const QString& programFolder, const QString& dataFolder = QString());
// The default skin in the first folder that has it, otherwise where it belongs beside the
// program.
QString defaultSkinPath(const QStringList& folders);
// Picture files a skin can be made of.
QStringList skinFileFilters();

// A skin picture, or why it could not be read.
struct SkinPicture {
    QImage image;
    QString error;  // empty when the picture was read
};
SkinPicture loadSkinPicture(const QString& path);

// Fills `area` with the skin, scaled to cover it and centred (the rest is cut off).
QPixmap coverWithSkin(const QImage& skin, const QSize& area);

enum class KeyState { Up, Down };

// A key of the dressed look, painted over the skin that already fills its place: a raised
// edge (sunken while held down) and its tag centred in the font and colour of its class.
// The keypad paints its keys with this, as do the option strip and the windows' skinned
// title buttons.
void paintDressedKey(QPainter& painter, const QRect& key, const QString& tag,
                     const ResolvedLook& look, KeyState state = KeyState::Up);

}  // namespace tally
