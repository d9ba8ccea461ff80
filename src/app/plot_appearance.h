#pragma once

#include "appearance/appearance.h"
#include "graph/plot_look.h"

namespace tally {

// The plot window's look from the text classes: the plot area and its axes from the editor's
// base text, the window and its range labels from the window text, curves and points in the
// function colour.
PlotLook plotLookOf(const Appearance& appearance);

}  // namespace tally
