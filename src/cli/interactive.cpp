#include "cli/interactive.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <editline/readline.h>

#include "cli/batch_calculator.h"
#include "lang/code_page.h"

namespace tally {

int runInteractive(BatchCalculator& calculator) {
    bool anyMessage = false;
    for (;;) {
        char* input = readline("> ");
        if (input == nullptr) break;
        std::string line(input);
        std::free(input);
        if (!line.empty()) add_history(line.c_str());
        const auto& lines = calculator.document().lines();
        std::size_t first = calculator.document().lines().size();
        // The first appended line fills the empty line a new document starts with.
        if (first == 1 && lines[0].empty()) first = 0;
        std::u16string message = calculator.calculate(fromUtf8(line));
        for (std::size_t i = first; i < lines.size(); ++i) {
            std::cout << toUtf8(lines[i]) << '\n';
        }
        if (!message.empty()) {
            anyMessage = true;
            std::cout << "! " << toUtf8(message) << '\n';
        }
        std::cout.flush();
    }
    return anyMessage ? 1 : 0;
}

}  // namespace tally
