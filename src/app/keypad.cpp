#include "app/keypad.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>

#include "app/qt_text.h"
#include "appearance/appearance.h"
#include "appearance/skin.h"
#include "session/keypad_arrangement.h"
#include "session/user_definitions.h"

namespace tally {

namespace {

std::optional<KeyButton> keyButtonOf(Qt::MouseButton button) {
    if (button == Qt::LeftButton) return KeyButton::Left;
    if (button == Qt::RightButton) return KeyButton::Right;
    return std::nullopt;
}

// Where the keypad draws its thin dividers: between the letters and the digits and between
// the digits and the operators, in key widths.
constexpr std::array<double, 2> kDividers = {14.125, 17.375};

}  // namespace

void paintKey(QPainter& painter, const QWidget& widget, const QRect& rect, const QString& text,
              const Appearance& appearance, LookClass lookClass, bool down) {
    const ResolvedLook look = appearance.resolved(lookClass);
    if (appearance.dressed()) {
        paintDressedKey(painter, rect, text, look, down ? KeyState::Down : KeyState::Up);
        return;
    }
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.rect = rect;
    option.text = text;
    option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    if (lookClass == LookClass::KeyInFocus) option.state |= QStyle::State_MouseOver;
    option.state &= ~QStyle::State_HasFocus;
    option.palette.setColor(QPalette::Button, look.background);
    option.palette.setColor(QPalette::ButtonText, look.colour);
    option.fontMetrics = QFontMetrics(look.font);
    painter.save();
    painter.setFont(look.font);
    widget.style()->drawControl(QStyle::CE_PushButton, &option, &painter, &widget);
    painter.restore();
}

KeypadKey::KeypadKey(KeyRef ref, const Appearance& appearance, QWidget* parent)
    : QWidget(parent), m_ref(ref), m_appearance(appearance) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setObjectName(
        QStringLiteral("%1%2")
            .arg(ref.array == KeyArray::Letter ? QStringLiteral("Letter") : QStringLiteral("Oper"))
            .arg(ref.index));
}

void KeypadKey::setTag(const QString& tag) {
    if (tag == m_tag) return;
    m_tag = tag;
    update();
}

void KeypadKey::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    m_hovered = true;
    update();
}

void KeypadKey::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_hovered = false;
    update();
}

void KeypadKey::mousePressEvent(QMouseEvent* event) {
    if (!keyButtonOf(event->button()) || m_held != Qt::NoButton) {
        event->ignore();
        return;
    }
    m_held = event->button();
    update();
}

void KeypadKey::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != m_held) return;
    m_held = Qt::NoButton;
    update();
    // A press that leaves the key before its release is taken back.
    if (rect().contains(event->position().toPoint())) {
        emit released(m_ref, *keyButtonOf(event->button()));
    }
}

void KeypadKey::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    LookClass lookClass =
        m_ref.array == KeyArray::Letter ? LookClass::CharacterKeys : LookClass::OperationKeys;
    if (m_hovered) lookClass = LookClass::KeyInFocus;
    paintKey(painter, *this, rect(), m_tag, m_appearance, lookClass, m_held != Qt::NoButton);
}

FunctionListView::FunctionListView(const KeypadFunctionList& list, const Appearance& appearance,
                                   QWidget* parent)
    : QWidget(parent), m_list(list), m_appearance(appearance) {
    setObjectName(QStringLiteral("FuncList"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

void FunctionListView::setColumns(int columns) {
    m_columns = std::max(columns, 1);
    update();
}

QStringList FunctionListView::shownEntries() const {
    QStringList shown;
    const std::vector<std::u16string>& names = m_list.names();
    for (int column = 0; column < m_columns && column < static_cast<int>(names.size()); ++column)
        shown.push_back(toQString(names[static_cast<std::size_t>(column)]));
    return shown;
}

QRect FunctionListView::entryRect(int column) const {
    const int left = width() * column / m_columns;
    const int right = width() * (column + 1) / m_columns;
    return QRect(left, 0, right - left, height());
}

int FunctionListView::columnAt(const QPoint& point) const {
    if (!rect().contains(point)) return -1;
    int column = std::min(point.x() * m_columns / std::max(width(), 1), m_columns - 1);
    return column < static_cast<int>(m_list.names().size()) ? column : -1;
}

void FunctionListView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    m_hovered = -1;
    update();
}

void FunctionListView::mouseMoveEvent(QMouseEvent* event) {
    int column = columnAt(event->position().toPoint());
    if (column == m_hovered) return;
    m_hovered = column;
    update();
}

void FunctionListView::mousePressEvent(QMouseEvent* event) {
    m_held = event->button() == Qt::LeftButton ? columnAt(event->position().toPoint()) : -1;
    if (m_held < 0) {
        event->ignore();
        return;
    }
    update();
}

void FunctionListView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_held < 0) return;
    const int held = m_held;
    m_held = -1;
    update();
    if (columnAt(event->position().toPoint()) == held)
        emit chosen(toQString(m_list.names()[static_cast<std::size_t>(held)]));
}

void FunctionListView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStringList shown = shownEntries();
    for (int column = 0; column < shown.size(); ++column) {
        LookClass lookClass =
            column == m_hovered ? LookClass::KeyInFocus : LookClass::CharacterKeys;
        QRect entry = entryRect(column).adjusted(1, 0, -1, 0);
        paintKey(painter, *this, entry, shown[column], m_appearance, lookClass, column == m_held);
    }
}

Keypad::Keypad(const Appearance& appearance, QWidget* parent)
    : QWidget(parent),
      m_appearance(appearance),
      m_ownFunctionNames(defaultKeypadFunctions()),
      m_functions(m_ownFunctionNames) {
    setObjectName(QStringLiteral("Keypad"));
    auto connectKey = [this](KeypadKey* key) {
        connect(key, &KeypadKey::released, this, &Keypad::keyReleased);
        return key;
    };
    for (int index = 0; index < kLetterKeyCount; ++index) {
        m_letterKeys[static_cast<std::size_t>(index)] =
            connectKey(new KeypadKey({KeyArray::Letter, index}, appearance, this));
    }
    for (int index = 0; index < kOperKeyCount; ++index) {
        m_operKeys[static_cast<std::size_t>(index)] =
            connectKey(new KeypadKey({KeyArray::Oper, index}, appearance, this));
    }
    m_functionView = new FunctionListView(m_functions, appearance, this);
    connect(m_functionView, &FunctionListView::chosen, this, &Keypad::functionChosen);
    // A new font changes the keys' sizes; a skin changes their look and spacing.
    auto lookChanged = [this] {
        updateGeometry();
        placeKeys();
    };
    connect(&appearance, &Appearance::classesChanged, this, lookChanged);
    connect(&appearance, &Appearance::skinChanged, this, lookChanged);
    relabel();
    refreshFunctionList();
}

KeypadKey* Keypad::key(KeyRef ref) const {
    if (ref.index < 0) return nullptr;
    if (ref.array == KeyArray::Letter) {
        return ref.index < kLetterKeyCount ? m_letterKeys[static_cast<std::size_t>(ref.index)]
                                           : nullptr;
    }
    return ref.index < kOperKeyCount ? m_operKeys[static_cast<std::size_t>(ref.index)] : nullptr;
}

void Keypad::switchCase() {
    m_letters.switchCase();
    relabel();
}

void Keypad::switchLanguage() {
    m_letters.switchLanguage();
    relabel();
}

void Keypad::setKeyStyle(KeyStyle style) {
    if (style == m_style) return;
    m_style = style;
    relabel();
    updateGeometry();
}

void Keypad::setFunctionNames(std::vector<std::u16string>& names) {
    m_functions.setNames(names);
    refreshFunctionList();
}

void Keypad::setFunctionColumns(int columns) {
    m_functionColumns = std::clamp(columns, 1, KeypadFunctionList::kLargestColumnCount);
    refreshFunctionList();
}

void Keypad::refreshFunctionList() {
    m_functionView->setColumns(m_functions.shownColumns(m_functionColumns));
}

void Keypad::relabel() {
    for (KeypadKey* key : m_letterKeys)
        key->setTag(toQString(m_letters.tag(key->ref().index)));
    for (KeypadKey* key : m_operKeys)
        key->setTag(toQString(operCaption(key->ref().index, m_style)));
    for (KeypadKey* key : findChildren<KeypadKey*>())
        key->setToolTip(toQString(keyTooltip(key->ref(), m_letters)));
    placeKeys();
}

Keypad::Metrics Keypad::metrics() const {
    const QFontMetrics characters(m_appearance.resolved(LookClass::CharacterKeys).font);
    const QFontMetrics operations(m_appearance.resolved(LookClass::OperationKeys).font);
    const int line = std::max(characters.lineSpacing(), operations.lineSpacing());
    const bool compact = m_style == KeyStyle::Compact;
    Metrics m;
    m.margin = m_appearance.dressed() ? 6 : 3;
    m.gap = m_appearance.dressed() ? 3 : 2;
    m.keyHeight = compact ? line + 10 : 2 * line + 6;
    m.smallestKeyHeight = line + 4;
    // Normal keys are wider as well as taller; no key is narrower than its caption.
    m.keyWidth = compact ? 2 * line : 3 * line;
    m.smallestKeyWidth = line;
    for (const KeypadKey* key : findChildren<KeypadKey*>()) {
        std::optional<KeySlot> slot = slotOfTag(toU16(key->tag()));
        if (!slot) continue;
        const QFontMetrics& font = key->ref().array == KeyArray::Letter ? characters : operations;
        int needed = font.horizontalAdvance(key->tag()) + 8 + m.gap;
        m.smallestKeyWidth =
            std::max(m.smallestKeyWidth, static_cast<int>(std::ceil(needed / slot->width)));
    }
    m.keyWidth = std::max(m.keyWidth, m.smallestKeyWidth);
    return m;
}

QSize Keypad::sizeFor(int keyWidth, int keyHeight) const {
    const Metrics m = metrics();
    return {static_cast<int>(std::ceil(kKeypadWidth * keyWidth)) + 2 * m.margin,
            kKeypadRows * keyHeight + (kKeypadRows - 1) * m.gap + 2 * m.margin};
}

QSize Keypad::sizeHint() const {
    const Metrics m = metrics();
    return sizeFor(m.keyWidth, m.keyHeight);
}

QSize Keypad::minimumSizeHint() const {
    const Metrics m = metrics();
    return sizeFor(m.smallestKeyWidth, m.smallestKeyHeight);
}

void Keypad::placeKeys() {
    m_metrics = metrics();
    Metrics& m = m_metrics;
    // The keys take the width they are given, and the height up to their style's.
    m_unit = std::max<double>((width() - 2 * m.margin) / kKeypadWidth, 1.0);
    const int rowsHeight = height() - 2 * m.margin - (kKeypadRows - 1) * m.gap;
    m.keyHeight = std::clamp(rowsHeight / kKeypadRows, 1, m.keyHeight);
    auto place = [&](const KeySlot& slot) {
        const int left = m.margin + static_cast<int>(std::lround(slot.left * m_unit));
        const int right =
            m.margin + static_cast<int>(std::lround((slot.left + slot.width) * m_unit)) - m.gap;
        const int top = m.margin + slot.row * (m.keyHeight + m.gap);
        return QRect(left, top, std::max(right - left, 1), m.keyHeight);
    };
    for (KeypadKey* key : findChildren<KeypadKey*>()) {
        std::optional<KeySlot> slot = slotOfTag(toU16(key->tag()));
        key->setVisible(slot.has_value());
        if (slot) key->setGeometry(place(*slot));
    }
    m_functionView->setGeometry(place(kFunctionListSlot));
    update();
}

void Keypad::setOverlay(bool overlay, const QPixmap* cover) {
    m_overlay = overlay;
    m_cover = cover;
    update();
}

void Keypad::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeKeys();
}

void Keypad::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_overlay) {
        if (m_appearance.dressed() && m_cover && !m_cover->isNull()) {
            painter.drawPixmap(QPoint(0, 0), *m_cover,
                               QRect(mapTo(window(), QPoint(0, 0)), size()));
        } else {
            painter.fillRect(rect(), palette().window());
        }
    }
    // Thin grooves part the letters, the digits and the operators.
    const Metrics& m = m_metrics;
    const int top = m.margin + m.keyHeight + m.gap;
    const int bottom = height() - m.margin;
    for (double divider : kDividers) {
        const int x = m.margin + static_cast<int>(std::lround(divider * m_unit)) - m.gap / 2;
        painter.setPen(QColor(0, 0, 0, 60));
        painter.drawLine(x, top, x, bottom);
        painter.setPen(QColor(255, 255, 255, 90));
        painter.drawLine(x + 1, top, x + 1, bottom);
    }
}

}  // namespace tally
