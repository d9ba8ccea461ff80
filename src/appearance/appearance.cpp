#include "appearance/appearance.h"

#include <QGuiApplication>
#include <QPalette>

#include "appearance/skin.h"

namespace tally {

Appearance::Appearance(QObject* parent)
    : QObject(parent),
      m_courier(courierFontName()),
      m_classes(defaultTextClasses(false, m_courier)) {}

void Appearance::restore(const LookSettings& settings) {
    m_defaultLook = settings.defaultLook;
    m_skinPath = settings.skinPath;
    m_screenNumber =
        isValidScreenNumber(settings.screenNumber) ? settings.screenNumber : kDefaultScreenNumber;
    m_dressed = settings.dressed && loadSkin(settings.skinPath);
    if (!m_dressed) m_skin = QImage();
    // The classes follow the look actually shown, so that a missing picture does not leave the
    // light labels of a skin on plain keys and a plain window.
    m_classes = m_defaultLook ? defaultTextClasses(m_dressed, m_courier) : settings.classes;
    if (settings.dressed && !m_dressed && !m_defaultLook) undressKeyClasses(m_classes, m_courier);
    emit classesChanged();
    emit skinChanged();
    emit screenNumberChanged(m_screenNumber);
}

LookSettings Appearance::settings() const {
    LookSettings settings;
    settings.defaultLook = m_defaultLook;
    settings.dressed = m_dressed;
    settings.skinPath = m_skinPath;
    settings.screenNumber = m_screenNumber;
    settings.classes = m_classes;
    return settings;
}

ResolvedLook Appearance::resolved(LookClass lookClass) const {
    return resolve(m_classes[lookClass], QGuiApplication::palette());
}

void Appearance::setLook(LookClass lookClass, const TextClassLook& look) {
    TextClassLook accepted = look;
    if (!isValidFontSize(accepted.size)) accepted.size = m_classes[lookClass].size;
    if (!hasBackColour(lookClass)) accepted.backColour = m_classes[lookClass].backColour;
    if (accepted == m_classes[lookClass]) return;
    m_classes[lookClass] = accepted;
    m_defaultLook = false;
    emit classesChanged();
}

void Appearance::setDefaultColors() {
    m_classes = defaultTextClasses(m_dressed, m_courier);
    emit classesChanged();
}

void Appearance::restoreDefaults() {
    m_defaultLook = true;
    setDefaultColors();
}

bool Appearance::dress(const QString& path) {
    if (!loadSkin(path)) return false;
    m_skinPath = path;
    m_dressed = true;
    m_classes = defaultTextClasses(true, m_courier);
    dressKeyClasses(m_classes);
    m_defaultLook = false;
    emit skinChanged();
    emit classesChanged();
    return true;
}

void Appearance::undress() {
    m_dressed = false;
    m_skin = QImage();
    m_classes = defaultTextClasses(false, m_courier);
    emit skinChanged();
    emit classesChanged();
}

void Appearance::setScreenNumber(int number) {
    if (!isValidScreenNumber(number) || number == m_screenNumber) return;
    m_screenNumber = number;
    emit screenNumberChanged(number);
}

bool Appearance::loadSkin(const QString& path) {
    SkinPicture picture = loadSkinPicture(path);
    if (picture.image.isNull()) {
        if (!m_reportedSkins.contains(path)) {
            m_reportedSkins.insert(path);
            emit skinFailed(path, picture.error);
        }
        return false;
    }
    m_skin = picture.image;
    return true;
}

}  // namespace tally
