#include "app/document_editor.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include "app/qt_text.h"
#include "document/syntax_colouring.h"

namespace tally {

namespace {

QTextCharFormat charFormatOf(const ResolvedLook& look) {
    QTextCharFormat format;
    format.setFontFamilies({look.font.family()});
    format.setFontPointSize(look.font.pointSize());
    format.setFontWeight(look.font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(look.font.italic());
    format.setForeground(look.colour);
    return format;
}

// Whether every character of the block from `start` to `end` has the format: a run typed
// into the middle of a line may differ from the characters around it.
bool hasFormat(const QTextBlock& block, int start, int end, const QTextCharFormat& format) {
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        QTextFragment fragment = it.fragment();
        int from = fragment.position() - block.position();
        int to = from + fragment.length();
        if (to <= start || from >= end) continue;
        if (fragment.charFormat() != format) return false;
    }
    return true;
}

}  // namespace

DocumentEditor::DocumentEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("SourceText"));
    connect(document(), &QTextDocument::contentsChange, this, &DocumentEditor::onContentsChange);
}

void DocumentEditor::setAppearance(const Appearance* appearance) {
    if (m_appearance) disconnect(m_appearance, nullptr, this, nullptr);
    m_appearance = appearance;
    if (!appearance) return;
    connect(appearance, &Appearance::classesChanged, this, &DocumentEditor::sourceTextChangeColor);
    sourceTextChangeColor();
}

void DocumentEditor::sourceTextChangeColor() {
    if (!m_appearance) return;
    for (LookClass lookClass : kLookClasses)
        m_formats[static_cast<std::size_t>(numberOf(lookClass))] =
            charFormatOf(m_appearance->resolved(lookClass));
    ResolvedLook base = m_appearance->resolved(LookClass::EditorText);
    setFont(base.font);
    QPalette p = palette();
    p.setColor(QPalette::Base, base.background);
    p.setColor(QPalette::Text, base.colour);
    setPalette(p);
    setCurrentCharFormat(formatOf(LookClass::EditorText));
    // One edit for the whole document: the layout is redone once, at the end.
    QTextCursor whole(document());
    whole.beginEditBlock();
    m_colouring = true;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        applyClasses(block);
    m_colouring = false;
    whole.endEditBlock();
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
    // An empty document has nothing to colour; and the document reports being emptied (by
    // clear() or setPlainText()) from inside its own clearing, when it must not be edited.
    if (document()->isEmpty()) return;
    if (m_colouringEnabled && !m_colouring) colourCurrentLine();
}

void DocumentEditor::colourCurrentLine() {
    if (!m_appearance) return;
    colourBlock(textCursor().block());
}

void DocumentEditor::colourBlock(const QTextBlock& block) {
    if (!m_appearance || !block.isValid()) return;
    std::u16string openFunction = applyClasses(block);
    setCurrentCharFormat(formatOf(LookClass::EditorText));
    std::u16string_view signature = functionSignature(openFunction);
    if (!signature.empty()) {
        QToolTip::showText(viewport()->mapToGlobal(cursorRect().bottomLeft()), toQString(signature),
                           this);
    } else {
        QToolTip::hideText();
    }
}

std::u16string DocumentEditor::applyClasses(const QTextBlock& block) {
    LineColouring colouring = colourLine(toU16(block.text()));
    bool wasColouring = m_colouring;
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
        const QTextCharFormat& wanted = formatOf(lookClassOf(textClass));
        // Only what differs is changed, to keep the editor's work small.
        if (!hasFormat(block, start, end, wanted)) {
            cursor.setPosition(block.position() + start);
            cursor.setPosition(block.position() + end, QTextCursor::KeepAnchor);
            cursor.setCharFormat(wanted);
        }
        start = end;
    }
    cursor.endEditBlock();
    m_colouring = wasColouring;
    return std::move(colouring.openFunction);
}

std::u16string_view DocumentEditor::currentLine() const {
    m_currentLine = toU16(textCursor().block().text());
    return m_currentLine;
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
    QTextCharFormat base = m_appearance ? formatOf(LookClass::EditorText) : QTextCharFormat();
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
