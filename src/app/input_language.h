#pragma once

#include <QString>
#include <functional>
#include <string_view>

namespace tally {

// The keyboard's input language as the keypad knows it, named as keyboard layouts are:
// "00000409" English, "00000419" Russian.
inline const QString kEnglishLayout = QStringLiteral("00000409");
inline const QString kRussianLayout = QStringLiteral("00000419");

class InputLanguage {
  public:
    virtual ~InputLanguage() = default;
    // The layout the keyboard types with now.
    virtual QString current() const = 0;
    // Makes `layout` the keyboard's input language; false where that cannot be done, which
    // the caller ignores.
    virtual bool activate(const QString& layout) = 0;
};

// The system's input language as Qt's input method reports it. Qt offers no way to switch
// it, so activation is refused: the keypad types its Cyrillic letters as text, which needs
// no Russian layout, and the user's layout stays as it was.
class SystemInputLanguage : public InputLanguage {
  public:
    QString current() const override;
    bool activate(const QString& layout) override;
};

// Puts text with Cyrillic letters in with the Russian input language active and gives the
// language that was active before back afterwards, so typing from the keypad never leaves
// the keyboard in another language.
void typeInInputLanguage(InputLanguage& language, std::u16string_view text,
                         const std::function<void()>& type);

}  // namespace tally
