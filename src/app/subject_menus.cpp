#include "app/subject_menus.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolTip>
#include <algorithm>
#include <unordered_map>

#include "appearance/appearance.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "appearance/subject_path_dialog.h"
#include "engine/message_window.h"

namespace tally {

namespace {

constexpr std::u16string_view kSubjectTitle = u"Tally Предметная область";

// Widths are summed from the advance of each character, each measured once: shaping every
// item of a large subject costs ten times as much. Kerning may make a drawn text a pixel
// or two wider than the sum; the menu windows leave padding beside their texts for it.
class FontMetrics : public MenuTextMetrics {
  public:
    explicit FontMetrics(const QFont& font) : m_metrics(font) {}
    int textWidth(std::u16string_view text) const override {
        int width = 0;
        for (char16_t unit : text) {
            auto [found, added] = m_advances.try_emplace(unit, 0);
            if (added) found->second = m_metrics.horizontalAdvance(QChar(unit));
            width += found->second;
        }
        return width;
    }
    int textHeight() const override { return m_metrics.height(); }

  private:
    QFontMetrics m_metrics;
    mutable std::unordered_map<char16_t, int> m_advances;
};

// The rectangle of the screen that holds `point`.
QRect screenAround(QPoint point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

QPoint clampedInto(const QRect& area, QPoint topLeft, QSize size) {
    int x =
        std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - size.width()));
    int y =
        std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - size.height()));
    return {x, y};
}

constexpr const char* kFilledProperty = "subjectMenuFilled";
constexpr const char* kNumberProperty = "subjectMenuNumber";

}  // namespace

SubjectMenus::SubjectMenus(MainWindow& window, Messages& messages)
    : QObject(&window), m_window(window), m_messages(messages) {
    m_look.font = window.font();
    m_look.text = Qt::black;
    m_look.background = Qt::white;
    m_look.formula = Qt::darkBlue;
    m_hoverTimer.setSingleShot(true);
    m_hoverTimer.setInterval(kHoverDelayMilliseconds);
    m_loadAction = new QAction(QStringLiteral("Загрузить предметную область..."), this);
    m_loadAction->setObjectName(QStringLiteral("mnuPath"));
    connect(m_loadAction, &QAction::triggered, this, &SubjectMenus::chooseFile);
    connect(&m_hoverTimer, &QTimer::timeout, this, [this] {
        auto depth = std::find(m_cascade.begin(), m_cascade.end(), m_hoverMenu);
        if (depth == m_cascade.end() || m_hoverItem < 0) return;
        if (m_tree.menu(m_hoverMenu).hasChild(m_hoverItem)) {
            openChild(m_hoverMenu, m_hoverItem);
        } else {
            closeDeeperThan(static_cast<std::size_t>(depth - m_cascade.begin()) + 1);
        }
    });
    window.installEventFilter(this);
}

SubjectMenus::~SubjectMenus() {
    discardWindows();
}

SubjectRead SubjectMenus::read(const QString& path, SubjectTree::Mode mode) {
    closeAll();
    m_hiddenWithWindow.clear();
    discardWindows();
    FontMetrics metrics(m_look.font);
    SubjectRead result = m_tree.read(std::filesystem::path(path.toStdU16String()), mode, metrics);
    switch (result.status) {
        case SubjectRead::Status::SkippedLevel:
            m_messages.notify(kSubjectStructureTitle, skippedLevelMessage(result.text));
            break;
        case SubjectRead::Status::Unreadable:
            m_messages.notify(kSubjectTitle,
                              u"Файл " + toU16(path) + u" не прочитан: " + result.error);
            break;
        case SubjectRead::Status::Read:
        case SubjectRead::Status::Missing:
            break;
    }
    return result;
}

void SubjectMenus::setAppearance(const Appearance& appearance) {
    ResolvedLook base = appearance.resolved(LookClass::EditorText);
    QFont font = base.font;
    font.setPointSize(m_fontSize);
    applyLook({font, base.colour, base.background,
               appearance.resolved(LookClass::Function).colour});
}

void SubjectMenus::setFontSize(int size) {
    m_fontSize = std::clamp(size, 4, 72);
    SubjectMenuLook look = m_look;
    look.font.setPointSize(m_fontSize);
    applyLook(look);
}

void SubjectMenus::applyLook(SubjectMenuLook look) {
    closeAll();
    m_look = std::move(look);
    FontMetrics metrics(m_look.font);
    m_tree.measure(metrics);
    for (auto& [number, window] : m_windows)
        window->setLook(m_look);
    m_popup.reset();
}

void SubjectMenus::chooseFile() {
    SubjectPathDialog dialog(m_path, m_fontSize, m_display == Display::Cascade, &m_window);
    dialog.exec();
    // The font size and the display are taken whichever button closed the dialog.
    if (dialog.fontSize() != m_fontSize) setFontSize(dialog.fontSize());
    setDisplay(dialog.cascade() ? Display::Cascade : Display::Menu);
    if (dialog.choice() != SubjectPathDialog::Choice::None) {
        bool adding = dialog.choice() == SubjectPathDialog::Choice::Add;
        // The file read at the next start is the one a new reading chose.
        if (!adding) m_path = dialog.path();
        (void)read(dialog.path(), adding ? SubjectTree::Mode::Add : SubjectTree::Mode::New);
    }
    if (m_window.isVisible()) m_window.editor().setFocus();
}

void SubjectMenus::setDisplay(Display display) {
    if (display == m_display) return;
    closeAll();
    m_display = display;
}

void SubjectMenus::discardWindows() {
    for (auto& [number, window] : m_windows)
        delete window;
    m_windows.clear();
    m_cascade.clear();
    m_popup.reset();
}

SubjectMenuWindow* SubjectMenus::windowOf(int number) {
    if (number < 1 || number > m_tree.menuCount()) return nullptr;
    auto found = m_windows.find(number);
    if (found != m_windows.end()) return found->second;
    auto* window = new SubjectMenuWindow(m_tree, number, m_look, &m_window);
    connect(window, &SubjectMenuWindow::itemClicked, this,
            [this, number](int item) { choose(number, item); });
    connect(window, &SubjectMenuWindow::itemHovered, this,
            [this, number](int item) { hovered(number, item); });
    connect(window, &SubjectMenuWindow::closeRequested, this, [this, number] {
        auto depth = std::find(m_cascade.begin(), m_cascade.end(), number);
        closeDeeperThan(static_cast<std::size_t>(depth - m_cascade.begin()));
    });
    m_windows.emplace(number, window);
    return window;
}

void SubjectMenus::toggle(QWidget* anchor) {
    bool open = !m_cascade.empty() || (m_popup && m_popup->isVisible());
    if (open) {
        closeAll();
    } else {
        this->open(anchor);
    }
}

void SubjectMenus::open(QWidget* anchor) {
    closeAll();
    if (m_tree.empty()) {
        QToolTip::showText(anchor->mapToGlobal(QPoint(0, 0)),
                           QStringLiteral("Предметная область не загружена: "
                                          "Параметры — Загрузить предметную область..."),
                           anchor);
        return;
    }
    if (m_display == Display::Menu) {
        QMenu* menu = popupOf(1);
        QSize size = menu->sizeHint();
        QPoint corner = anchor->mapToGlobal(QPoint(0, 0)) - QPoint(0, size.height());
        menu->popup(clampedInto(screenAround(corner), corner, size));
        return;
    }
    SubjectMenuWindow* top = windowOf(1);
    placeTop(top, anchor);
    top->show();
    m_cascade = {1};
}

void SubjectMenus::closeAll() {
    m_hoverTimer.stop();
    closeDeeperThan(0);
    if (m_popup) m_popup->close();
}

void SubjectMenus::closeDeeperThan(std::size_t depth) {
    while (m_cascade.size() > depth) {
        if (SubjectMenuWindow* window = windowOf(m_cascade.back())) {
            window->setOpenItem(-1);
            window->hide();
        }
        m_cascade.pop_back();
    }
    if (!m_cascade.empty()) windowOf(m_cascade.back())->setOpenItem(-1);
}

void SubjectMenus::choose(int number, int item) {
    if (number < 1 || number > m_tree.menuCount()) return;
    const SubjectMenu& menu = m_tree.menu(number);
    if (item < 0 || item >= menu.count()) return;
    if (menu.hasChild(item) && m_display == Display::Cascade) openChild(number, item);
    std::u16string formula = subjectInsertion(menu.items[static_cast<std::size_t>(item)]);
    if (!formula.empty()) m_window.insertAtInput(toQString(formula));
}

void SubjectMenus::hovered(int number, int item) {
    m_hoverMenu = number;
    m_hoverItem = item;
    if (item < 0) {
        m_hoverTimer.stop();
        return;
    }
    m_hoverTimer.start();
}

void SubjectMenus::openChild(int number, int item) {
    auto depth = std::find(m_cascade.begin(), m_cascade.end(), number);
    if (depth == m_cascade.end()) return;
    auto level = static_cast<std::size_t>(depth - m_cascade.begin());
    int child = m_tree.menu(number).child[static_cast<std::size_t>(item)];
    if (level + 1 < m_cascade.size() && m_cascade[level + 1] == child) return;
    closeDeeperThan(level + 1);
    SubjectMenuWindow* window = windowOf(child);
    SubjectMenuWindow* parent = windowOf(number);
    placeChild(window, parent, item);
    parent->setOpenItem(item);
    window->show();
    window->raise();
    m_cascade.push_back(child);
}

// The top menu opens upwards from the option label, which stands at the window's foot,
// or downwards when there is no room above.
void SubjectMenus::placeTop(SubjectMenuWindow* window, QWidget* anchor) {
    QPoint corner = anchor->mapToGlobal(QPoint(0, 0));
    QRect area = screenAround(corner);
    QPoint topLeft(corner.x(), corner.y() - window->height());
    if (topLeft.y() < area.top()) topLeft.setY(corner.y() + anchor->height());
    window->move(clampedInto(area, topLeft, window->size()));
}

// A submenu opens to the right of its parent at the height of its item, or to the left
// when the screen ends. When it fits on neither side (wide formulas), it opens under the
// parent, or above it, so that the whole parent stays in sight.
void SubjectMenus::placeChild(SubjectMenuWindow* window, SubjectMenuWindow* parent, int item) {
    QRect frame = parent->geometry();
    QRect row(parent->mapToGlobal(parent->itemRect(item).topLeft()), parent->itemRect(item).size());
    QRect area = screenAround(row.topLeft());
    QSize size = window->size();
    QPoint topLeft(frame.right() + 1, row.top() - 1);
    if (topLeft.x() + size.width() > area.right() + 1) {
        if (frame.left() - size.width() >= area.left()) {
            topLeft.setX(frame.left() - size.width());
        } else {
            topLeft = QPoint(row.left() + row.height(), frame.bottom() + 1);
            if (topLeft.y() + size.height() > area.bottom() + 1) {
                topLeft.setY(frame.top() - size.height());
            }
        }
    }
    window->move(clampedInto(area, topLeft, size));
}

// Each submenu fills itself when it is first shown, so a large subject costs nothing
// until it is browsed.
QMenu* SubjectMenus::popupOf(int number) {
    if (!m_popup) {
        m_popup = std::make_unique<QMenu>();
        m_popup->setObjectName(QStringLiteral("mnuSubject"));
        m_popup->setProperty(kNumberProperty, 1);
    }
    QMenu* menu = m_popup.get();
    if (number != 1) {
        menu = new QMenu(m_popup.get());
        menu->setProperty(kNumberProperty, number);
    }
    menu->setFont(m_look.font);
    auto fill = [this, menu] {
        if (menu->property(kFilledProperty).toBool()) return;
        menu->setProperty(kFilledProperty, true);
        int shown = menu->property(kNumberProperty).toInt();
        const SubjectMenu& subject = m_tree.menu(shown);
        for (int item = 0; item < subject.count(); ++item) {
            const std::u16string& text = subject.items[static_cast<std::size_t>(item)];
            std::u16string heading = subjectHeading(text);
            if (!heading.empty()) {
                menu->addSection(toQString(heading));
                continue;
            }
            if (subject.hasChild(item)) {
                QMenu* child = popupOf(subject.child[static_cast<std::size_t>(item)]);
                child->setTitle(toQString(text));
                menu->addMenu(child);
                continue;
            }
            QAction* action = menu->addAction(toQString(text));
            connect(action, &QAction::triggered, this,
                    [this, shown, item] { choose(shown, item); });
        }
    };
    if (number == 1) {
        fill();
    } else {
        connect(menu, &QMenu::aboutToShow, this, fill);
    }
    return menu;
}

// The menus leave with the main window (hidden to the notification area or minimised)
// and come back with it.
bool SubjectMenus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window) return false;
    bool leaving = event->type() == QEvent::Hide ||
                   (event->type() == QEvent::WindowStateChange && m_window.isMinimized());
    bool returning = event->type() == QEvent::Show || event->type() == QEvent::WindowActivate;
    if (leaving && !m_cascade.empty()) {
        m_hiddenWithWindow = m_cascade;
        closeAll();
    } else if (returning && !m_hiddenWithWindow.empty() && !m_window.isMinimized()) {
        std::vector<int> shown = std::move(m_hiddenWithWindow);
        m_hiddenWithWindow.clear();
        for (int number : shown) {
            if (SubjectMenuWindow* window = windowOf(number)) window->show();
        }
        m_cascade = std::move(shown);
    }
    return false;
}

}  // namespace tally
