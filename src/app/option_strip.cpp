#include "app/option_strip.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QSizeGrip>

#include "appearance/appearance.h"
#include "appearance/skin.h"

namespace tally {

OptionLabel::OptionLabel(const QString& text, const Appearance& appearance, QWidget* parent)
    : QLabel(text, parent), m_appearance(appearance) {
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setMargin(3);
    showRaised(false);
}

void OptionLabel::showRaised(bool raised) {
    m_raised = raised && isEnabled();
    setFrameStyle(m_raised ? QFrame::Panel | QFrame::Raised : QFrame::Panel | QFrame::Plain);
    // The plain frame keeps the label's size; it is drawn in the window's colour.
    setLineWidth(1);
    update();
}

void OptionLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    showRaised(true);
}

void OptionLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    showRaised(false);
}

void OptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        clicked) {
        clicked();
    }
}

void OptionLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (m_appearance.dressed()) {
        ResolvedLook look = m_appearance.resolved(LookClass::WindowText);
        if (!isEnabled()) look.colour.setAlpha(110);
        if (m_raised) {
            paintDressedKey(painter, rect(), text(), look);
        } else {
            painter.setFont(look.font);
            painter.setPen(look.colour);
            painter.drawText(rect(), Qt::AlignCenter, text());
        }
        return;
    }
    painter.end();
    if (m_raised) {
        QLabel::paintEvent(event);
        return;
    }
    // Flat: the text alone, with room kept for the frame the raised look draws.
    QPainter flat(this);
    flat.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    flat.drawText(contentsRect(), Qt::AlignCenter, text());
}

OptionStrip::OptionStrip(const Appearance& appearance, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    // Captions in the order of the labels' indexes; they stand in the strip in reading
    // order of what they do: the menus, the angle mode, then help and hiding at the right.
    const std::array<QString, Count> captions = {
        QStringLiteral("Параметры"), QStringLiteral("Функции"),     QStringLiteral("Радианы"),
        QStringLiteral("X"),         QStringLiteral("Определения"), QStringLiteral("Предмет"),
        QStringLiteral("Справка")};
    for (int index = 0; index < Count; ++index) {
        auto* label = new OptionLabel(captions[index], appearance, this);
        label->setObjectName(QStringLiteral("lblOptions%1").arg(index));
        m_labels[index] = label;
    }
    m_labels[Hide]->setMinimumWidth(m_labels[Hide]->sizeHint().height());
    for (Index index : {Options, Functions, Definitions, AngleMode})
        row->addWidget(m_labels[index]);
    row->addStretch();
    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("txtCounter"));
    row->addWidget(m_counter);
    for (Index index : {Subject, Help, Hide})
        row->addWidget(m_labels[index]);
    // The window's corner, where a frameless window is resized from, stays free.
    row->addSpacing(QSizeGrip(this).sizeHint().width());
}

}  // namespace tally
