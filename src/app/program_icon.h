#pragma once

#include <QIcon>

namespace tally {

// The program's icon in every size it was rendered in, for the window and its dialogs.
QIcon programIcon();

}  // namespace tally
