#pragma once

#include <QString>
#include <QWidget>

#include "engine/message_window.h"

namespace tally {

// The program's message window: the text under its title, "Закрыть" for a notice or
// "Продолжить" / "Отменить" for a question, and the box "Больше не показывать". Ticking the
// box silences the messages of that title (one title at a time, kept with the settings);
// a silenced question is answered "Продолжить".
class MessageDialog : public MessageWindow {
  public:
    explicit MessageDialog(QWidget* parent) : m_parent(parent) {}
    Reply show(std::u16string_view title, std::u16string_view text, bool askToProceed) override;

    const QString& suppressedTitle() const { return m_suppressedTitle; }
    void setSuppressedTitle(const QString& title) { m_suppressedTitle = title; }

  private:
    QWidget* m_parent;
    QString m_suppressedTitle;
};

}  // namespace tally
