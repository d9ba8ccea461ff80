#include "app/document_editor.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include "app/qt_text.h"
#include "document/syntax_colouring.h"

namespace tally {

namespace {

QTextCharFormat formatOf(const TextClassLook& look) {
    QTextCharFormat format;
    format.setFontFamilies({look.fontName});
    format.setFontPointSize(look.size);
    format.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(look.italic);
    format.setForeground(look.colour);
    return format;
}

}  // namespace

DocumentEditor::DocumentEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("SourceText"));
    connect(document(), &QTextDocument::contentsChange, this, &DocumentEditor::onContentsChange);
}

void DocumentEditor::setAppearance(const Appearance* appearance) {
    m_appearance = appearance;
    if (!appearance) return;
    const TextClassLook& base = appearance->at(0);
    setCurrentCharFormat(formatOf(base));
    QPalette p = palette();
    p.setColor(QPalette::Base, base.background);
    setPalette(p);
}

void DocumentEditor::keyPressEvent(QKeyEvent* event) {
    bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        emit calculateRequested();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit cancelRequested();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DocumentEditor::onContentsChange(int, int, int) {
    if (m_colouringEnabled && !m_colouring) colourCurrentLine();
}

void DocumentEditor::colourCurrentLine() {
    if (!m_appearance) return;
    colourBlock(textCursor().block());
}

void DocumentEditor::colourBlock(const QTextBlock& block) {
    if (!m_appearance || !block.isValid()) return;
    const QString text = block.text();
    LineColouring colouring = colourLine(toU16(text));
    m_colouring = true;
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    int start = 0;
    const int length = static_cast<int>(colouring.classes.size());
    while (start < length) {
        int end = start + 1;
        TextClass textClass = colouring.classes[static_cast<std::size_t>(start)];
        while (end < length && colouring.classes[static_cast<std::size_t>(end)] == textClass)
            ++end;
        cursor.setPosition(block.position() + start);
        cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
        QTextCharFormat wanted = formatOf(m_appearance->of(textClass));
        // Only what differs is changed, to keep the editor's work small.
        if (cursor.charFormat() != wanted) cursor.setCharFormat(wanted);
        start = end;
    }
    cursor.endEditBlock();
    m_colouring = false;
    setCurrentCharFormat(formatOf(m_appearance->at(0)));
    std::u16string_view signature = functionSignature(colouring.openFunction);
    if (!signature.empty()) {
        QToolTip::showText(viewport()->mapToGlobal(cursorRect().bottomLeft()), toQString(signature),
                           this);
    } else {
        QToolTip::hideText();
    }
}

std::u16string DocumentEditor::currentLine() const {
    return toU16(textCursor().block().text());
}

void DocumentEditor::moveCaretToLineEnd() {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock);
    setTextCursor(cursor);
}

void DocumentEditor::moveCaretInLine(std::size_t column) {
    QTextCursor cursor = textCursor();
    QTextBlock block = cursor.block();
    auto last = static_cast<std::size_t>(std::max(block.length() - 1, 0));
    cursor.setPosition(block.position() + static_cast<int>(std::min(column, last)));
    setTextCursor(cursor);
}

void DocumentEditor::insertText(std::u16string_view text) {
    QTextCursor cursor = textCursor();
    QTextCharFormat base = m_appearance ? formatOf(m_appearance->at(0)) : QTextCharFormat();
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) end = text.size();
        if (end > start) cursor.insertText(toQString(text.substr(start, end - start)), base);
        if (end == text.size()) break;
        cursor.insertBlock();
        start = end + 1;
    }
    setTextCursor(cursor);
}

void DocumentEditor::openNewLine() {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertBlock();
    setTextCursor(cursor);
}

}  // namespace tally
