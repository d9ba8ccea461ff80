#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

namespace tally {

class Appearance;

// A label that acts as a button: flat until the mouse is over it, then raised (painted as a
// key on a skin); a left click performs its action. A press is left to the window, so that
// the dressed window can be dragged from a label too.
class OptionLabel : public QLabel {
  public:
    OptionLabel(const QString& text, const Appearance& appearance, QWidget* parent);
    std::function<void()> clicked;

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void showRaised(bool raised);

    const Appearance& m_appearance;
    bool m_raised = false;
};

// The option strip above the keypad (lblOptions): "Параметры", "Функции", the angle mode,
// "X", "Определения", "Предмет", "Справка", with the evaluation counter of long solver runs.
class OptionStrip : public QWidget {
  public:
    enum Index { Options, Functions, AngleMode, Hide, Definitions, Subject, Help, Count };

    OptionStrip(const Appearance& appearance, QWidget* parent);

    OptionLabel* label(Index index) const { return m_labels[index]; }
    QLabel* counter() const { return m_counter; }

  private:
    std::array<OptionLabel*, Count> m_labels{};
    QLabel* m_counter = nullptr;
};

}  // namespace tally
