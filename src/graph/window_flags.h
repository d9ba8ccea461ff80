#pragma once

#include <Qt>

class QWidget;

namespace tally {

// Sets or clears a flag of a window where the window stands: changing a flag recreates the
// window hidden, so it is put back at the same place and size and shown again when it was
// shown. False when the flag was already so and nothing changed.
bool changeWindowFlag(QWidget& window, Qt::WindowType flag, bool on);

}  // namespace tally
