#pragma once

#include <QRect>

namespace tally {

// A window's frame moved into the available area of its screen; a frame larger than the area
// is cut to it first, so that its top-left corner (where it is dragged from) stays reachable.
QRect keepOnScreen(const QRect& frame, const QRect& available);

}  // namespace tally
