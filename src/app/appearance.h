#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <array>

#include "lang/grammar_actions.h"

namespace tally {

// One of the thirteen text classes of the window: font, size, bold, italic and colours.
struct TextClassLook {
    QString fontName;
    int size = 10;
    bool bold = false;
    bool italic = false;
    QColor colour;
    QColor background;

    QFont font() const;
};

// The window's text classes (0 editor base text, 4 menus, 5-12 the syntax classes), with
// the built-in defaults of the skinned look.
class Appearance {
  public:
    static constexpr int kClassCount = 13;
    Appearance() { setDefaults(); }

    void setDefaults();
    TextClassLook& at(int index) { return m_classes[static_cast<std::size_t>(index)]; }
    const TextClassLook& at(int index) const { return m_classes[static_cast<std::size_t>(index)]; }
    // The look of a syntax class in the document.
    const TextClassLook& of(TextClass textClass) const { return at(indexOf(textClass)); }
    static int indexOf(TextClass textClass);

    // Colours are stored as 0x00BBGGRR numbers.
    static QColor fromStored(qint64 value);
    static qint64 toStored(const QColor& colour);

  private:
    std::array<TextClassLook, kClassCount> m_classes;
};

}  // namespace tally
