#pragma once

#include <QImage>
#include <QObject>
#include <QSet>
#include <QStringList>

#include "appearance/look_settings.h"
#include "appearance/text_classes.h"

namespace tally {

// The look of the program, the one place every window reads its fonts, colours and skin
// from: the thirteen text classes, the dressed (skinned) or undressed look with its picture,
// and the screen size. Windows follow the signals; nothing here draws.
class Appearance : public QObject {
    Q_OBJECT
  public:
    explicit Appearance(QObject* parent = nullptr);

    // Takes on the stored look: the built-in classes of the look while "Default" is set, the
    // stored ones otherwise, and the skin picture when dressed. A picture that cannot be read
    // leaves the undressed look.
    void restore(const LookSettings& settings);
    // The look as the settings keep it.
    LookSettings settings() const;

    const TextClasses& classes() const { return m_classes; }
    const TextClassLook& look(LookClass lookClass) const { return m_classes[lookClass]; }
    // The class with system colours taken from the application's palette.
    ResolvedLook resolved(LookClass lookClass) const;
    // A class edited by the user: the look is no longer the built-in one.
    void setLook(LookClass lookClass, const TextClassLook& look);

    // The built-in classes of the current look.
    void setDefaultColors();
    // Back to the built-in classes; the look counts as the built-in one again.
    void restoreDefaults();
    bool isDefaultLook() const { return m_defaultLook; }

    bool dressed() const { return m_dressed; }
    const QString& skinPath() const { return m_skinPath; }
    // The picture of the dressed look; null while undressed.
    const QImage& skin() const { return m_skin; }
    // Puts on the skin in `path` with the classes of the dressed look. A picture that cannot
    // be read is reported and changes nothing; false then.
    bool dress(const QString& path);
    // The standard window look with its built-in classes.
    void undress();

    int screenNumber() const { return m_screenNumber; }
    // Out-of-range numbers are refused.
    void setScreenNumber(int number);

    // Folders the appearance dialog offers pictures from, the first one first.
    const QStringList& skinFolders() const { return m_skinFolders; }
    void setSkinFolders(const QStringList& folders) { m_skinFolders = folders; }

  signals:
    // One or more classes changed; everything drawn with them is drawn again.
    void classesChanged();
    // Dressed or undressed, or another picture.
    void skinChanged();
    void screenNumberChanged(int number);
    // A skin picture could not be used. Said once for each picture in a run.
    void skinFailed(const QString& path, const QString& reason);

  private:
    bool loadSkin(const QString& path);

    QString m_courier;
    TextClasses m_classes;
    bool m_defaultLook = true;
    bool m_dressed = false;
    QString m_skinPath;
    QImage m_skin;
    int m_screenNumber = kDefaultScreenNumber;
    QStringList m_skinFolders;
    QSet<QString> m_reportedSkins;
};

}  // namespace tally
