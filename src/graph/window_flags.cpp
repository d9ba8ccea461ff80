#include "graph/window_flags.h"

#include <QWidget>

namespace tally {

bool changeWindowFlag(QWidget& window, Qt::WindowType flag, bool on) {
    if (window.windowFlags().testFlag(flag) == on) return false;
    const bool visible = window.isVisible();
    const QPoint corner = window.pos();
    const QSize size = window.size();
    window.setWindowFlag(flag, on);
    window.move(corner);
    window.resize(size);
    if (visible) window.show();
    return true;
}

}  // namespace tally
