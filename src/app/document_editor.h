#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>

#include <array>

#include "appearance/appearance.h"
#include "document/editor.h"

namespace tally {

// The calculation document (SourceText): a rich-text editor in which Enter asks for the
// line under the caret to be calculated and the line is coloured by syntax as it changes.
class DocumentEditor : public QPlainTextEdit, public Editor {
    Q_OBJECT
  public:
    explicit DocumentEditor(QWidget* parent = nullptr);

    // The look the document is drawn with; it is followed from then on.
    void setAppearance(const Appearance* appearance);
    // Colours the whole document again with the current text classes.
    void sourceTextChangeColor();
    // Colouring is switched off while the calculation writes into the document.
    void setColouringEnabled(bool on) { m_colouringEnabled = on; }
    // True while a line is being coloured: the document changes then are formats only.
    bool isColouring() const { return m_colouring; }
    // Colours the line that holds the caret and offers the signature of an open call.
    void colourCurrentLine();
    void colourBlock(const QTextBlock& block);
    // Moves the caret to the end of its line and opens a new line there.
    void openNewLine();

    std::u16string_view currentLine() const override;
    void moveCaretToLineEnd() override;
    void moveCaretInLine(std::size_t column) override;
    void insertText(std::u16string_view text) override;

  signals:
    void calculateRequested();
    void cancelRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void onContentsChange(int position, int removed, int added);
    // Formats the line by its syntax classes; answers the function whose call is open.
    std::u16string applyClasses(const QTextBlock& block);
    const QTextCharFormat& formatOf(LookClass lookClass) const {
        return m_formats[static_cast<std::size_t>(numberOf(lookClass))];
    }

    const Appearance* m_appearance = nullptr;
    std::array<QTextCharFormat, kLookClassCount> m_formats;
    bool m_colouringEnabled = true;
    bool m_colouring = false;
    // The caret's line as last asked for.
    mutable std::u16string m_currentLine;
};

}  // namespace tally
