#include "app/plot_appearance.h"

#include <QPainter>

#include "appearance/skin.h"

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

std::optional<PlotDress> plotDressOf(const Appearance& appearance) {
    if (!appearance.dressed()) return std::nullopt;
    ResolvedLook window = appearance.resolved(LookClass::WindowText);
    PlotDress dress;
    dress.paintSkin = [skin = appearance.skin()](QPainter& painter, const QRect& area) {
        painter.drawPixmap(area.topLeft(), coverWithSkin(skin, area.size()));
    };
    dress.titleFont = window.font;
    dress.titleColour = window.colour;
    dress.paintKey = [window](QPainter& painter, const QRect& key, const QString& caption,
                              bool down) {
        paintDressedKey(painter, key, caption, window, down ? KeyState::Down : KeyState::Up);
    };
    return dress;
}

}  // namespace tally
