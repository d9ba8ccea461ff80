#pragma once

#include <QWidget>

#include "appearance/text_classes.h"

class QComboBox;
class QFontComboBox;
class QPushButton;

namespace tally {

class Appearance;

// The controls of one text class in the appearance dialog: font name, style, size, the two
// colour buttons and a sample. Every change goes to the class at once.
class TextClassPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char16_t* kStyles[] = {u"Обычный", u"Курсив", u"Полужирный",
                                                  u"Полужирный Курсив"};

    TextClassPanel(Appearance& appearance, LookClass lookClass, QWidget* parent);

    LookClass lookClass() const { return m_lookClass; }
    QFontComboBox* fontBox() { return m_fontBox; }
    QComboBox* styleBox() { return m_styleBox; }
    QComboBox* sizeBox() { return m_sizeBox; }
    QPushButton* backColourButton() { return m_backColour; }

    // Shows the class as it is now.
    void reloadValues();

  signals:
    // The colour picker is wanted for the font colour (true) or the back colour.
    void colourRequested(LookClass lookClass, bool fontColour);

  private:
    void edit(const std::function<void(TextClassLook&)>& change);

    Appearance& m_appearance;
    LookClass m_lookClass;
    QFontComboBox* m_fontBox = nullptr;
    QComboBox* m_styleBox = nullptr;
    QComboBox* m_sizeBox = nullptr;
    QPushButton* m_backColour = nullptr;
    QWidget* m_sample = nullptr;
};

}  // namespace tally
