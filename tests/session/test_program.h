#pragma once

#include <string>
#include <string_view>

#include "document/calculation_driver.h"
#include "document/text_document.h"
#include "engine/message_window.h"
#include "session/session.h"

namespace tally::test {

// The core as the window sets it up, over an in-memory document; `Window` answers the
// messages.
template <class Window = AutomaticMessageWindow>
struct TestProgram {
    TextDocument document;
    Window messages;
    Session core{document, messages};

    Engine& engine() { return core.engine(); }
    // Calculates a line as Enter does and returns it as the document then shows it.
    std::u16string calculate(std::u16string_view line) {
        document.appendLine(line);
        core.driver().calculateCurrentLine();
        return document.lines().back();
    }
};

}  // namespace tally::test
