#pragma once

#include <QString>
#include <functional>

namespace tally {

// What the program does at exit when its last save failed.
enum class ExitSaveChoice { Retry, SaveElsewhere, Quit };
// Asks about unsaved work; for SaveElsewhere, `folder` is where to save.
using ExitSaveQuestion = std::function<ExitSaveChoice(const QString& problem, QString& folder)>;

// The program's own question: try again, save into a folder the user picks, or end without
// saving. Cancelling the folder choice asks again.
ExitSaveChoice askAboutUnsavedWork(const QString& problem, QString& folder);

}  // namespace tally
