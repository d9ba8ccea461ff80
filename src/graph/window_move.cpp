#include "graph/window_move.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tally {

void WindowMove::begin(QWidget& part, const QMouseEvent& press) {
    QWidget* frame = part.window();
    if (frame->windowHandle() && frame->windowHandle()->startSystemMove()) return;
    m_offset = press.globalPosition().toPoint() - frame->pos();
}

bool WindowMove::follow(QWidget& part, const QMouseEvent& move) {
    if (!m_offset || move.buttons() == Qt::NoButton) return false;
    part.window()->move(move.globalPosition().toPoint() - *m_offset);
    return true;
}

}  // namespace tally
