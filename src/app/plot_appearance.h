#pragma once

#include "app/appearance.h"
#include "graph/plot_look.h"

namespace tally {

// The plot window's look from the text classes: the plot area and its axes from the editor's
// base text (class 0), the window and its range labels from the menu text (class 4), curves
// and points in the function colour (class 8).
PlotLook plotLookOf(const Appearance& appearance);

}  // namespace tally
