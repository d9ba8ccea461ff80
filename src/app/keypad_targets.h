#pragma once

#include "session/keypad_typing.h"

class QLineEdit;
class QWidget;

namespace tally {

class DocumentEditor;
class InputLanguage;

// The calculation document as the keypad types into it: Cyrillic text goes in through the
// input-language step.
class DocumentTarget : public KeypadTarget {
  public:
    DocumentTarget(DocumentEditor& editor, InputLanguage& language)
        : m_editor(editor), m_language(language) {}

    char16_t characterBeforeCaret() const override;
    bool isEmptyLine() const override;
    void insert(std::u16string_view text, int stepBack) override;
    void moveCaretToLineEnd() override;

  private:
    DocumentEditor& m_editor;
    InputLanguage& m_language;
};

// The decimal field txtDec.
class DecimalFieldTarget : public KeypadTarget {
  public:
    explicit DecimalFieldTarget(QLineEdit& field) : m_field(field) {}

    char16_t characterBeforeCaret() const override;
    bool isEmptyLine() const override;
    void insert(std::u16string_view text, int stepBack) override;
    void moveCaretToLineEnd() override;

  private:
    QLineEdit& m_field;
};

// Backspace (`forward` false) or Delete as a key stroke to `input`, which handles it as if
// it had been typed.
void sendDeleteKey(QWidget& input, bool forward);

}  // namespace tally
