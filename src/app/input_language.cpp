#include "app/input_language.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>
#include <algorithm>

#include "lang/code_page.h"

namespace tally {

QString SystemInputLanguage::current() const {
    QLocale locale = QGuiApplication::inputMethod()->locale();
    return locale.language() == QLocale::Russian ? kRussianLayout : kEnglishLayout;
}

bool SystemInputLanguage::activate(const QString&) {
    return false;
}

void typeInInputLanguage(InputLanguage& language, std::u16string_view text,
                         const std::function<void()>& type) {
    // Cyrillic letters are the code page's upper codes 192..255.
    bool cyrillic = std::any_of(text.begin(), text.end(), [](char16_t c) {
        int code = codeOf(c);
        return code > 191 && code != kOutsideCodePage;
    });
    if (!cyrillic) {
        type();
        return;
    }
    const QString before = language.current();
    language.activate(kRussianLayout);
    type();
    language.activate(before);
}

}  // namespace tally
