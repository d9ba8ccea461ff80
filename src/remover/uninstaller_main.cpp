// St6unst: takes away an installation of Tally that `cmake --install` made, as its log lists
// it. Started by UnstTally as `St6unst -n LOG`.

#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>

#include "remover/installation_log.h"
#include "remover/uninstall.h"

namespace {

constexpr int kSomethingStayed = 1;
constexpr int kNothingRemoved = 2;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || std::string_view(argv[1]) != "-n") {
        std::cerr << "Usage: St6unst -n LOG\n"
                     "Removes the files and folders that the installation log LOG lists.\n";
        return kNothingRemoved;
    }
    std::error_code error;
    std::filesystem::path logFile = std::filesystem::absolute(argv[2], error);
    if (error) logFile = argv[2];

    const tally::LogReading reading = tally::readInstallationLog(logFile);
    if (!reading.log) {
        std::cerr << "St6unst: " << logFile.string() << ": " << reading.error
                  << "; nothing was removed\n";
        return kNothingRemoved;
    }
    const tally::UninstallReport report = tally::uninstall(*reading.log, logFile);
    for (const std::string& problem : report.problems) {
        std::cerr << "St6unst: not removed: " << problem << '\n';
    }
    return report.complete() ? 0 : kSomethingStayed;
}
