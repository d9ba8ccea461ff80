#pragma once

#include <QString>

namespace tally {

// Deletes the entry `applicationName` from the per-user settings store that the calculator
// writes (Qt's native store of the user, the application name as its organisation): every
// section and key below it, and the store's file. An entry that was never written is left
// as it is: absent. Failures are not reported; there is nothing the caller could do.
void deleteSettingsEntry(const QString& applicationName);

}  // namespace tally
