#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

// The program's own message window: a title, a text, and either one button ("Закрыть") or
// two ("Продолжить", "Отменить"), with a "Больше не показывать" box.
class MessageWindow {
  public:
    struct Reply {
        bool proceed = true;  // "Продолжить" (or "Закрыть" for a notice)
        bool dontShowAgain = false;
    };
    virtual ~MessageWindow() = default;
    virtual Reply show(std::u16string_view title, std::u16string_view text, bool askToProceed) = 0;
};

// Remembers the texts the user asked not to see again, and the answer that then stands.
class Messages {
  public:
    explicit Messages(MessageWindow& window) : m_window(window) {}

    void notify(std::u16string_view title, std::u16string_view text) { ask(title, text, false); }
    // True when the user chose to proceed.
    bool confirm(std::u16string_view title, std::u16string_view text) {
        return ask(title, text, true);
    }

  private:
    bool ask(std::u16string_view title, std::u16string_view text, bool askToProceed) {
        std::u16string key(text);
        if (auto found = m_silenced.find(key); found != m_silenced.end()) return found->second;
        MessageWindow::Reply reply = m_window.show(title, text, askToProceed);
        if (reply.dontShowAgain) m_silenced.emplace(std::move(key), reply.proceed);
        return reply.proceed;
    }

    MessageWindow& m_window;
    std::map<std::u16string, bool> m_silenced;
};

// Answers every message with "Продолжить" and keeps the texts: for the batch calculator and
// the tests.
class AutomaticMessageWindow : public MessageWindow {
  public:
    Reply show(std::u16string_view title, std::u16string_view text, bool) override {
        shown.push_back(std::u16string(title) + u": " + std::u16string(text));
        return {};
    }
    std::vector<std::u16string> shown;
};

}  // namespace tally
