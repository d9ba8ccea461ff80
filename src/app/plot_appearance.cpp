#include "app/plot_appearance.h"

namespace tally {

namespace {

std::uint32_t rgbOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.rgb()) & 0xFFFFFFu;
}

}  // namespace

PlotLook plotLookOf(const Appearance& appearance) {
    ResolvedLook area = appearance.resolved(LookClass::EditorText);
    ResolvedLook window = appearance.resolved(LookClass::WindowText);
    ResolvedLook curves = appearance.resolved(LookClass::Function);
    PlotLook look;
    look.windowBackground = rgbOf(window.background);
    look.labelColour = rgbOf(window.colour);
    look.labelFontFamily = window.font.family().toStdString();
    look.labelFontPoints = window.font.pointSize();
    look.labelFontBold = window.font.bold();
    look.areaBackground = rgbOf(area.background);
    look.axisColour = rgbOf(area.colour);
    look.curveColour = rgbOf(curves.colour);
    return look;
}

}  // namespace tally
