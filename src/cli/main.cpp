#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include <CLI/CLI.hpp>
#include <array>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_calculator.h"
#include "cli/interactive.h"
#include "graph/plot_layout.h"
#include "graph/svg_plot_writer.h"
#include "lang/code_page.h"
#include "lang/text_lines.h"
#include "session/text_file.h"

namespace {

constexpr int kUsageOrFileError = 2;

// Reads everything a descriptor gives until its end, in large blocks; the text grows only by
// what was read.
bool readAll(int descriptor, std::string& text) {
    std::array<char, 1 << 16> block;
    for (;;) {
        ssize_t count = ::read(descriptor, block.data(), block.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return false;
        if (count == 0) return true;
        text.append(block.data(), static_cast<std::size_t>(count));
    }
}

// Reads a whole input; "-" is standard input.
bool readInput(const std::string& name, std::string& text) {
    if (name == "-") return readAll(STDIN_FILENO, text);
    int descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool read = readAll(descriptor, text);
    ::close(descriptor);
    return read;
}

// Writes the plot the lines drew as SVG; false, with the reason on standard error, when there
// is none or it could not be written.
bool writePlot(const tally::PlotModel& plot, const std::string& name) {
    if (!plot.rangesFixed()) {
        std::cerr << "tally-calc: the lines drew no plot; " << name << " not written\n";
        return false;
    }
    std::string svg = tally::plotSvg(plot, tally::PlotLook{}, tally::PlotLayout::kDefaultBodyWidth,
                                     tally::PlotLayout::kDefaultBodyHeight);
    tally::FileWrite written = tally::replaceFile(name, svg);
    if (!written.ok) {
        std::cerr << "tally-calc: cannot write " << name << ": " << tally::toUtf8(written.error)
                  << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Tally batch calculator: calculates each input line as a document line and "
        "prints the document."};
    app.set_version_flag("--version", "tally-calc 0.1.0");
    bool degrees = false;
    bool noUnits = false;
    std::string definitions;
    std::string plotFile;
    std::vector<std::string> files;
    app.add_flag("--degrees", degrees, "Trigonometric functions take degrees (default radians)");
    app.add_flag("--no-units", noUnits, "Units act as plain factors; no dimensions are kept");
    app.add_option("--defs", definitions, "User definitions file to load first (read-only)");
    app.add_option("--plot", plotFile, "Write the plot that the lines drew to this file as SVG");
    app.add_option("files", files, "Files of calculation lines; - or none reads standard input");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? 0 : kUsageOrFileError;
    }

    tally::BatchCalculator calculator({degrees, !noUnits});
    if (!definitions.empty()) {
        if (!calculator.loadDefinitions(definitions)) {
            std::cerr << "tally-calc: cannot read " << definitions << '\n';
            return kUsageOrFileError;
        }
        for (const std::u16string& message : calculator.messagesShown()) {
            std::cerr << "tally-calc: " << definitions << ": " << tally::toUtf8(message) << '\n';
        }
    }
    if (files.empty() && isatty(STDIN_FILENO)) {
        int status = tally::runInteractive(calculator);
        if (!plotFile.empty() && !writePlot(calculator.plot(), plotFile)) {
            return kUsageOrFileError;
        }
        return status;
    }
    if (files.empty()) files.push_back("-");

    std::vector<std::string> inputs(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!readInput(files[i], inputs[i])) {
            std::cerr << "tally-calc: cannot read " << files[i] << '\n';
            return kUsageOrFileError;
        }
    }

    bool anyMessage = false;
    long lineNumber = 0;
    std::ostringstream errors;
    for (const std::string& input : inputs) {
        tally::forEachLine(std::string_view(input), [&](std::string_view line) {
            ++lineNumber;
            std::u16string message = calculator.calculateUtf8(line);
            if (message.empty()) return;
            anyMessage = true;
            errors << lineNumber << ": " << tally::toUtf8(message) << '\n';
        });
    }
    std::string output;
    if (lineNumber != 0) {
        // Room for the longest conversion, three bytes a unit: what is never written to is
        // never given memory.
        output.reserve(3 * calculator.document().text().size() + 1);
        tally::appendUtf8(output, calculator.document().text());
        output += '\n';
    }
    std::cout << output;
    std::cerr << errors.str();
    if (!plotFile.empty() && !writePlot(calculator.plot(), plotFile)) return kUsageOrFileError;
    return anyMessage ? 1 : 0;
}
