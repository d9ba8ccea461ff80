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
        std::u16string message = calculator.calculateUtf8(line);
        std::cout << toUtf8(calculator.linesOfLastCalculation()) << '\n';
        if (!message.empty()) {
            anyMessage = true;
            std::cout << "! " << toUtf8(message) << '\n';
        }
        std::cout.flush();
    }
    return anyMessage ? 1 : 0;
}

}  // namespace tally
