#include "app/units_list_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "app/qt_text.h"

namespace tally {

void UnitsListModel::setList(UnitsList* list) {
    beginResetModel();
    m_list = list;
    endResetModel();
}

int UnitsListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || m_list == nullptr) return 0;
    return static_cast<int>(m_list->shown().size());
}

int UnitsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

int UnitsListModel::unitRow(const QModelIndex& index) const {
    if (!index.isValid() || m_list == nullptr) return -1;
    return m_list->shown()[static_cast<std::size_t>(index.row())];
}

QVariant UnitsListModel::data(const QModelIndex& index, int role) const {
    int row = unitRow(index);
    if (row < 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    if (index.column() == 0) return toQString(m_list->row(row));
    return toQString(m_list->dimension(row));
}

QVariant UnitsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Единица = определение")
                        : QStringLiteral("В основных единицах");
}

UnitsListWindow::UnitsListWindow(Engine& engine, MainWindow& window, QWidget* parent)
    : QMainWindow(parent), m_engine(engine), m_window(window) {
    setObjectName(QStringLiteral("frmUnits"));
    setAttribute(Qt::WA_QuitOnClose, false);

    QMenu* options = menuBar()->addMenu(QStringLiteral("Параметры"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    m_sorted = options->addAction(QStringLiteral("Сортировка"));
    m_sorted->setObjectName(QStringLiteral("mnuSorted"));
    m_sorted->setCheckable(true);
    m_sorted->setChecked(true);
    m_brackets = options->addAction(QStringLiteral("Заключать в скобки"));
    m_brackets->setObjectName(QStringLiteral("mnuBrackets"));
    m_brackets->setCheckable(true);
    options->addSeparator();
    QAction* exit = options->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    connect(m_sorted, &QAction::toggled, this, &UnitsListWindow::setSorted);
    connect(m_brackets, &QAction::toggled, this, &UnitsListWindow::setBrackets);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    m_filter = new QLineEdit(central);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(
        QStringLiteral("Найти: часть имени, определения или размерности (например, кг/(м·с^2))"));
    m_filter->setClearButtonEnabled(true);
    layout->addWidget(m_filter);
    m_model = new UnitsListModel(this);
    m_view = new QTreeView(central);
    m_view->setObjectName(QStringLiteral("List1"));
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    m_view->setUniformRowHeights(true);
    m_view->setAllColumnsShowFocus(true);
    m_view->setAlternatingRowColors(true);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->header()->setStretchLastSection(true);
    m_view->header()->setSectionsMovable(false);
    layout->addWidget(m_view, 1);
    setCentralWidget(central);
    resize(560, 520);
    m_view->setColumnWidth(0, 300);

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        int selected = m_model->unitRow(m_view->currentIndex());
        m_model->change([&](UnitsList& list) { list.setFilter(toU16(text)); });
        selectUnit(selected);
        showCount();
    });
    connect(m_view, &QAbstractItemView::activated, this, &UnitsListWindow::insertRow);
    // Enter in the filter inserts the unit shown first, or the one selected.
    connect(m_filter, &QLineEdit::returnPressed, this, [this] {
        QModelIndex index = m_view->currentIndex();
        if (!index.isValid()) index = m_model->index(0, 0);
        insertRow(index);
    });
}

// The list goes before the widgets, which still ask the model for rows while they close.
UnitsListWindow::~UnitsListWindow() {
    m_model->setList(nullptr);
}

void UnitsListWindow::open() {
    m_model->setList(nullptr);
    m_list = std::make_unique<UnitsList>(m_engine);
    m_list->setSorted(m_sorted->isChecked());
    m_list->setFilter(toU16(m_filter->text()));
    m_model->setList(m_list.get());
    setWindowTitle(toQString(m_list->caption()));
    showCount();
    // The first opening puts the list beside the main window, or over its right part
    // where the screen ends.
    if (!m_openedBefore) {
        QRect main = m_window.frameGeometry();
        QPoint place(main.right() + 1, main.top());
        if (QScreen* screen = m_window.screen()) {
            QRect area = screen->availableGeometry();
            place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - width())));
            place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - height())));
        }
        move(place);
    }
    // The first opening puts the check mark on Brackets and the brackets with it; after
    // that the mark shows what the unit menus insert.
    bool brackets = m_openedBefore ? !m_window.unitWrapping().open.empty() : true;
    m_openedBefore = true;
    m_brackets->setChecked(brackets);
    setBrackets(brackets);
    show();
    raise();
    activateWindow();
    m_filter->setFocus();
}

void UnitsListWindow::showCount() {
    if (m_list == nullptr) return;
    int shown = static_cast<int>(m_list->shown().size());
    statusBar()->showMessage(
        m_list->filter().empty()
            ? QStringLiteral("Двойной щелчок или Enter вставляет единицу в документ")
            : QStringLiteral("Найдено: %1 из %2").arg(shown).arg(m_list->unitCount()));
}

void UnitsListWindow::closeEvent(QCloseEvent* event) {
    // The rows are made again at the next opening.
    m_model->setList(nullptr);
    m_list.reset();
    event->accept();
}

void UnitsListWindow::setSorted(bool sorted) {
    int selected = m_model->unitRow(m_view->currentIndex());
    m_model->change([&](UnitsList& list) { list.setSorted(sorted); });
    selectUnit(selected);
}

void UnitsListWindow::setBrackets(bool on) {
    m_window.unitWrapping() = on ? UnitWrapping{u"[", u"]"} : UnitWrapping{};
}

void UnitsListWindow::selectUnit(int unitRow) {
    if (m_list == nullptr || unitRow < 0) return;
    int shown = m_list->shownIndexOf(unitRow);
    if (shown < 0) return;
    QModelIndex index = m_model->index(shown, 0);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void UnitsListWindow::insertRow(const QModelIndex& index) {
    int row = m_model->unitRow(index);
    if (row < 0) return;
    std::u16string name = unitNameOfRow(m_list->row(row));
    if (name.empty()) return;
    const UnitWrapping& wrapping = m_window.unitWrapping();
    m_window.insertAtInput(toQString(wrapping.open + name + wrapping.close));
}

}  // namespace tally
