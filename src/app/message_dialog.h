#pragma once

#include <QWidget>

#include "engine/message_window.h"

namespace tally {

// The program's message window: the text under its title, "Закрыть" for a notice or
// "Продолжить" / "Отменить" for a question, and the box "Больше не показывать".
class MessageDialog : public MessageWindow {
  public:
    explicit MessageDialog(QWidget* parent) : m_parent(parent) {}
    Reply show(std::u16string_view title, std::u16string_view text, bool askToProceed) override;

  private:
    QWidget* m_parent;
};

}  // namespace tally
