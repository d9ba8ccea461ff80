#include "appearance/subject_menu_window.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>


namespace tally {

namespace {

constexpr int kPadding = 6;
constexpr int kBorder = 1;
constexpr int kRowSpacing = 2;

}  // namespace

SubjectMenuWindow::SubjectMenuWindow(const SubjectTree& tree, int number,
                                     const SubjectMenuLook& look, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      m_tree(tree),
      m_number(number) {
    setObjectName(QStringLiteral("frmMenu%1").arg(number));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setMouseTracking(true);
    setLook(look);
}

QString SubjectMenuWindow::displayText(const SubjectMenu& menu, int item) {
    const std::u16string& text = menu.items[static_cast<std::size_t>(item)];
    std::u16string heading = subjectHeading(text);
    const std::u16string& shown = heading.empty() ? text : heading;
    return QString::fromStdU16String(shown);
}

void SubjectMenuWindow::setOpenItem(int item) {
    if (item == m_openItem) return;
    m_openItem = item;
    update();
}

void SubjectMenuWindow::setLook(const SubjectMenuLook& look) {
    m_look = look;
    setFont(look.font);
    fitToScreen();
    update();
}

int SubjectMenuWindow::rowHeight() const {
    return std::max(menu().itemHeight, QFontMetrics(font()).height()) + kRowSpacing;
}

// The window is as wide as the widest item (measured when the subject was read) with its
// submenu mark, and as tall as its items, up to the screen's height.
void SubjectMenuWindow::fitToScreen() {
    const SubjectMenu& m = menu();
    QFontMetrics metrics(font());
    int width = m.width;
    for (int i = 0; i < m.count(); ++i) {
        if (m.hasChild(i)) {
            width += metrics.horizontalAdvance(QString::fromLatin1(kSubmenuMark));
            break;
        }
    }
    int height = m.count() * rowHeight();
    if (QScreen* screen = this->screen()) {
        height = std::min(height, screen->availableGeometry().height() - 2 * kBorder);
    }
    setFixedSize(width + 2 * (kPadding + kBorder), std::max(height, rowHeight()) + 2 * kBorder);
}

int SubjectMenuWindow::visibleItems() const {
    return std::max(1, (height() - 2 * kBorder) / rowHeight());
}

QRect SubjectMenuWindow::itemRect(int item) const {
    int row = item - m_firstShown;
    return {kBorder, kBorder + row * rowHeight(), width() - 2 * kBorder, rowHeight()};
}

int SubjectMenuWindow::itemAt(QPoint point) const {
    if (point.x() < kBorder || point.x() >= width() - kBorder || point.y() < kBorder) return -1;
    int item = m_firstShown + (point.y() - kBorder) / rowHeight();
    return item < menu().count() ? item : -1;
}

void SubjectMenuWindow::paintEvent(QPaintEvent*) {
    const SubjectMenu& m = menu();
    QPainter painter(this);
    painter.fillRect(rect(), m_look.background);
    painter.setPen(m_look.text);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    int last = std::min(m.count(), m_firstShown + visibleItems());
    QColor openBackground = m_look.text;
    openBackground.setAlpha(64);
    QString submenuMark = QString::fromLatin1(kSubmenuMark).trimmed();
    for (int item = m_firstShown; item < last; ++item) {
        QRect row = itemRect(item);
        bool highlighted = item == m_highlighted;
        QColor text = highlighted ? m_look.background : m_look.text;
        if (highlighted) {
            painter.fillRect(row, m_look.text);
        } else if (item == m_openItem) {
            painter.fillRect(row, openBackground);
        }
        QRect textRect = row.adjusted(kPadding, 0, -kPadding, 0);
        if (m.hasChild(item)) {
            painter.setPen(text);
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignRight, submenuMark);
        }
        const std::u16string& itemText = m.items[static_cast<std::size_t>(item)];
        if (!subjectHeading(itemText).empty()) {
            QFont bold = font();
            bold.setBold(true);
            painter.setFont(bold);
            painter.setPen(text);
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, displayText(m, item));
            painter.setFont(font());
            continue;
        }
        // A formula in angle brackets stands out from the caption before it.
        QString shown = displayText(m, item);
        qsizetype open = shown.indexOf(u'<');
        qsizetype close = open < 0 ? -1 : shown.indexOf(u'>', open);
        if (close < 0 || highlighted) {
            painter.setPen(text);
            painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft, shown);
            continue;
        }
        QFontMetrics metrics(font());
        QString parts[] = {shown.left(open), shown.mid(open, close - open + 1),
                           shown.mid(close + 1)};
        QColor colours[] = {text, m_look.formula, text};
        int x = textRect.left();
        for (int i = 0; i < 3; ++i) {
            painter.setPen(colours[i]);
            painter.drawText(QRect(x, textRect.top(), textRect.right() - x, textRect.height()),
                             Qt::AlignVCenter | Qt::AlignLeft, parts[i]);
            x += metrics.horizontalAdvance(parts[i]);
        }
    }
}

void SubjectMenuWindow::setHighlighted(int item) {
    if (item == m_highlighted) return;
    m_highlighted = item;
    update();
    emit itemHovered(item);
}

void SubjectMenuWindow::mouseMoveEvent(QMouseEvent* event) {
    setHighlighted(itemAt(event->position().toPoint()));
}

void SubjectMenuWindow::leaveEvent(QEvent*) {
    m_highlighted = -1;
    update();
}

void SubjectMenuWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit closeRequested();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    int item = itemAt(event->position().toPoint());
    if (item >= 0) emit itemClicked(item);
}

void SubjectMenuWindow::wheelEvent(QWheelEvent* event) {
    int steps = event->angleDelta().y() / 120;
    int most = std::max(0, menu().count() - visibleItems());
    int first = std::clamp(m_firstShown - steps * 3, 0, most);
    if (first == m_firstShown) return;
    m_firstShown = first;
    setHighlighted(itemAt(event->position().toPoint()));
    update();
}

}  // namespace tally
