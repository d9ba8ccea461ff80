#include "app/keypad_targets.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBlock>

#include "app/document_editor.h"
#include "app/input_language.h"
#include "app/qt_text.h"

namespace tally {

char16_t DocumentTarget::characterBeforeCaret() const {
    const int position = m_editor.textCursor().position();
    if (position == 0) return 0;
    QChar c = m_editor.document()->characterAt(position - 1);
    return c == QChar::ParagraphSeparator ? u'\n' : c.unicode();
}

bool DocumentTarget::isEmptyLine() const {
    return m_editor.textCursor().block().length() <= 1;
}

void DocumentTarget::insert(std::u16string_view text, int stepBack) {
    typeInInputLanguage(m_language, text, [&] { m_editor.insertText(text); });
    if (stepBack == 0) return;
    QTextCursor cursor = m_editor.textCursor();
    cursor.setPosition(std::max(cursor.position() - stepBack, 0));
    m_editor.setTextCursor(cursor);
}

void DocumentTarget::moveCaretToLineEnd() {
    m_editor.moveCaretToLineEnd();
}

char16_t DecimalFieldTarget::characterBeforeCaret() const {
    const int position = m_field.cursorPosition();
    return position == 0 ? 0 : m_field.text().at(position - 1).unicode();
}

bool DecimalFieldTarget::isEmptyLine() const {
    return m_field.text().isEmpty();
}

void DecimalFieldTarget::insert(std::u16string_view text, int stepBack) {
    m_field.insert(toQString(text));
    if (stepBack != 0) m_field.setCursorPosition(std::max(m_field.cursorPosition() - stepBack, 0));
}

void DecimalFieldTarget::moveCaretToLineEnd() {
    m_field.end(false);
}

void sendDeleteKey(QWidget& input, bool forward) {
    const Qt::Key key = forward ? Qt::Key_Delete : Qt::Key_Backspace;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&input, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&input, &release);
}

}  // namespace tally
