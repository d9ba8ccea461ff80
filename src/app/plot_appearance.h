#pragma once

#include "appearance/appearance.h"
#include "graph/plot_look.h"
#include "graph/plot_title_bar.h"

namespace tally {

// The plot window's look from the text classes: the plot area and its axes from the editor's
// base text, the window and its range labels from the window text, curves and points in the
// function colour.
PlotLook plotLookOf(const Appearance& appearance);

// The plot window's dress while the program wears a skin: the skin behind its title bar,
// the title and the keys in the window text class, the keys painted as every dressed key.
// No dress while the program is undressed.
std::optional<PlotDress> plotDressOf(const Appearance& appearance);

}  // namespace tally
