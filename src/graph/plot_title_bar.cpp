#include "graph/plot_title_bar.h"

#include <QMouseEvent>
#include <QPainter>

namespace tally {

namespace {

constexpr int kPadding = 3;

}  // namespace

PlotTitleBar::PlotTitleBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture2"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PlotTitleBar::setDress(const PlotDress& dress) {
    m_dress = dress;
    updateGeometry();
    update();
}

void PlotTitleBar::setTitle(const QString& title) {
    if (title == m_title) return;
    m_title = title;
    setToolTip(title);
    update();
}

int PlotTitleBar::keySize() const {
    return QFontMetrics(m_dress.titleFont).height() + 2 * kPadding;
}

QSize PlotTitleBar::sizeHint() const {
    int key = keySize();
    return {QFontMetrics(m_dress.titleFont).horizontalAdvance(m_title) + 2 * key + 4 * kPadding,
            key + 2 * kPadding};
}

QSize PlotTitleBar::minimumSizeHint() const {
    int key = keySize();
    return {2 * key + 3 * kPadding, key + 2 * kPadding};
}

QRect PlotTitleBar::closeKey() const {
    int key = keySize();
    return {width() - kPadding - key, (height() - key) / 2, key, key};
}

QRect PlotTitleBar::hideKey() const {
    return closeKey().translated(-(keySize() + kPadding), 0);
}

PlotTitleBar::Key PlotTitleBar::keyAt(const QPoint& at) const {
    if (closeKey().contains(at)) return Key::Close;
    if (hideKey().contains(at)) return Key::Hide;
    return Key::None;
}

void PlotTitleBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_dress.paintSkin) {
        m_dress.paintSkin(painter, rect());
    } else {
        painter.fillRect(rect(), palette().window());
    }
    QRect text(kPadding * 2, 0, hideKey().left() - 3 * kPadding, height());
    painter.setFont(m_dress.titleFont);
    painter.setPen(m_dress.titleColour);
    QString shown = painter.fontMetrics().elidedText(m_title, Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, shown);
    if (m_dress.paintKey) {
        m_dress.paintKey(painter, hideKey(), QStringLiteral("_"), m_pressed == Key::Hide);
        m_dress.paintKey(painter, closeKey(), QStringLiteral("X"), m_pressed == Key::Close);
    }
}

void PlotTitleBar::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton ? keyAt(event->position().toPoint()) : Key::None;
    if (m_pressed != Key::None) {
        update();
        return;
    }
    m_windowMove.begin(*this, *event);
}

void PlotTitleBar::mouseMoveEvent(QMouseEvent* event) {
    m_windowMove.follow(*this, *event);
}

void PlotTitleBar::mouseReleaseEvent(QMouseEvent* event) {
    m_windowMove.end();
    Key pressed = m_pressed;
    m_pressed = Key::None;
    if (pressed == Key::None) return;
    update();
    // A key acts when the button is let go over it.
    if (keyAt(event->position().toPoint()) != pressed) return;
    if (pressed == Key::Hide) emit hideRequested();
    if (pressed == Key::Close) emit closeRequested();
}

}  // namespace tally
