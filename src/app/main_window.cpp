#include "app/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSizeGrip>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QWindow>

#include "app/document_editor.h"
#include "app/input_language.h"
#include "app/keypad.h"
#include "app/keypad_targets.h"
#include "app/option_strip.h"
#include "app/plot_appearance.h"
#include "app/qt_text.h"
#include "app/settings_store.h"
#include "app/window_modes.h"
#include "appearance/appearance_dialog.h"
#include "appearance/screen_placement.h"
#include "appearance/skin.h"
#include "appearance/window_drag.h"
#include "document/calculation_driver.h"
#include "engine/engine.h"
#include "graph/window_flags.h"

namespace tally {

MainWindow::MainWindow(Engine& engine, CalculationDriver& driver, DocumentEditor& editor,
                       const Catalogue& catalogue, QWidget* parent)
    : QMainWindow(parent),
      m_engine(engine),
      m_driver(driver),
      m_editor(editor),
      m_catalogue(catalogue),
      m_inputLanguage(std::make_unique<SystemInputLanguage>()) {
    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(QStringLiteral("Калькулятор"));
    buildLayout();
    m_documentTarget = std::make_unique<DocumentTarget>(m_editor, *m_inputLanguage);
    m_fieldTarget = std::make_unique<DecimalFieldTarget>(*m_cmbDec->lineEdit());
    buildMenus(catalogue);
    buildEditingAndModes();
    m_engine.setEventPump(&m_pump);
    m_progress = std::make_unique<LabelProgress>(m_counter);
    m_engine.setProgressSink(m_progress.get());
    m_engine.setPlotSink(&m_plot);
    m_driver.setClipboard(&m_clipboard);
    qApp->installEventFilter(&m_pump);
    connect(&m_editor, &DocumentEditor::calculateRequested, this,
            &MainWindow::calculateCurrentLine);
    connect(&m_editor, &DocumentEditor::cancelRequested, this, [this] { m_pump.cancel(); });
    connect(m_editor.document(), &QTextDocument::contentsChanged, this, &MainWindow::workChanged);

    m_drag = new WindowDrag(this);
    m_drag->watch(menuBar());
    m_editor.setAppearance(&m_appearance);
    connect(&m_appearance, &Appearance::classesChanged, this, [this] {
        setGenFont();
        colourResultBox();
        m_plot.setLook(plotLookOf(m_appearance));
        m_plot.setDress(plotDressOf(m_appearance));
    });
    connect(&m_appearance, &Appearance::skinChanged, this, &MainWindow::setSkin);
    // The keypad types into the decimal field from the moment it gets the focus until the
    // document gets it back; other widgets taking the focus change nothing.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == m_cmbDec || now == m_cmbDec->lineEdit()) m_decimalFieldActive = true;
        if (now == &m_editor) m_decimalFieldActive = false;
    });
    m_popUpTimer.setInterval(100);
    connect(&m_popUpTimer, &QTimer::timeout, this, &MainWindow::updatePopUpKeypad);
    connectOptionStrip();
    setKeypadShow(PopUpKeypad);
    connect(&m_appearance, &Appearance::screenNumberChanged, this, [this](int number) {
        if (m_screenSizes && number <= m_screenSizes->actions().size())
            m_screenSizes->actions().at(number - 1)->setChecked(true);
        setScreenSize();
    });
    setSkin();
    m_plot.setLook(plotLookOf(m_appearance));
}

// The children outlive the appearance member; those that read it let go of it first.
MainWindow::~MainWindow() {
    delete m_appearanceDialog;
    m_editor.setAppearance(nullptr);
}

void MainWindow::buildLayout() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* top = new QHBoxLayout;
    m_cmbDec = new QComboBox(central);
    m_cmbDec->setObjectName(QStringLiteral("cmbDec"));
    m_cmbDec->setEditable(true);
    m_cmbDec->setInsertPolicy(QComboBox::NoInsert);
    // What the user types is an expression of their own, never completed from the list.
    m_cmbDec->setCompleter(nullptr);
    m_cmbDec->lineEdit()->setObjectName(QStringLiteral("txtDec"));
    m_cmbDec->lineEdit()->setPlaceholderText(toQString(ResultBox::kDefaultText));
    m_cmbDec->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    top->addWidget(m_cmbDec, 3);

    m_cmbVar = new QComboBox(central);
    m_cmbVar->setObjectName(QStringLiteral("cmbVar"));
    m_cmbVar->setPlaceholderText(toQString(VariablesList::kCaption));
    m_cmbVar->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    top->addWidget(m_cmbVar, 2);
    layout->addLayout(top);

    m_editor.setParent(central);
    layout->addWidget(&m_editor, 1);

    m_notice = new QLabel(central);
    m_notice->setObjectName(QStringLiteral("lblNotice"));
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Dark red on a pale ground, readable on every skin.
    m_notice->setStyleSheet(
        QStringLiteral("color: #a00000; background: #fff4f0; font-weight: "
                       "bold; border: 1px solid #d08070; padding: 2px;"));
    m_notice->hide();
    layout->addWidget(m_notice);

    // The option strip; the keypad stands below it while it is always present.
    m_optionStrip = new OptionStrip(m_appearance, central);
    m_angleLabel = m_optionStrip->label(OptionStrip::AngleMode);
    m_angleLabel->setToolTip(QStringLiteral("Единица измерения углов: щелкните, чтобы сменить"));
    m_counter = m_optionStrip->counter();
    layout->addWidget(m_optionStrip);
    m_keypad = new Keypad(m_appearance, central);
    layout->addWidget(m_keypad);
    m_centralLayout = layout;
    // Without a frame, the window's corner is where it is resized from.
    m_sizeGrip = new QSizeGrip(central);
    setCentralWidget(central);
    buildTitleButtons();

    connect(m_cmbDec->lineEdit(), &QLineEdit::returnPressed, this, &MainWindow::addCalculation);
    // Typed text is no longer a message: it takes the colour of ordinary text.
    connect(m_cmbDec->lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_driver.resultBox().showsError = false;
        colourResultBox();
    });
    connect(m_cmbDec, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        m_driver.resultBox().selectedIndex = index;
        m_driver.resultBox().showText(toU16(m_cmbDec->itemText(index)));
        showResultBox();
    });
    connect(m_cmbVar, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        QString name = toQString(VariablesList::nameOf(toU16(m_cmbVar->itemText(index))));
        m_driver.variables().showCaption();
        m_cmbVar->setCurrentIndex(-1);
        insertAtInput(name);
    });
    connect(m_keypad, &Keypad::keyReleased, this, &MainWindow::pressKeypadKey);
}

void MainWindow::addOptionsItems(const QList<QAction*>& actions) {
    m_mnuOptions->insertSeparator(m_optionsEnd);
    m_mnuOptions->insertActions(m_optionsEnd, actions);
}

void MainWindow::buildOptionsMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("Параметры"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    m_mnuOptions = options;
    auto checkable = [&](const char* name, const QString& caption) {
        QAction* action = options->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        return action;
    };
    m_mnuAppearance = options->addAction(QStringLiteral("Настройка внешнего вида..."));
    m_mnuAppearance->setObjectName(QStringLiteral("mnuAppearance"));
    connect(m_mnuAppearance, &QAction::triggered, this, &MainWindow::openAppearanceDialog);
    buildScreenSizeMenu(options);
    addKeypadShowMenus(options);
    options->addSeparator();
    m_mnuResClip =
        checkable("mnuResClip", QStringLiteral("Всегда заносить результат в Буфер обмена"));
    m_mnuDotComma = checkable("mnuDotComma",
                              QStringLiteral("Менять разделители в процессе Вставки/Копирования"));
    m_mnuUseDimension = checkable("mnuUseDimension",
                                  QStringLiteral("Учитывать значения размерностей в вычислениях"));
    connect(m_mnuResClip, &QAction::toggled, this,
            [this](bool on) { m_driver.options().resultToClipboard = on; });
    connect(m_mnuDotComma, &QAction::toggled, this,
            [this](bool on) { m_driver.options().convertSeparators = on; });
    connect(m_mnuUseDimension, &QAction::toggled, this,
            [this](bool on) { m_engine.setUseDimensions(on); });
    options->addSeparator();
    addFunctionListMenus(options);
    m_optionsEnd = options->addSeparator();
    QAction* exit = options->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("mnuExitMenu"));
    connect(exit, &QAction::triggered, this, &MainWindow::requestExit);
}

// The dressed window has no title bar: its minimise and close keys stand at the end of the
// menu bar.
void MainWindow::buildTitleButtons() {
    m_titleButtons = new QWidget(menuBar());
    auto* row = new QHBoxLayout(m_titleButtons);
    row->setContentsMargins(0, 1, 2, 1);
    row->setSpacing(2);
    auto key = [&](const QString& caption, const char* name, const QString& tip) {
        auto* label = new OptionLabel(caption, m_appearance, m_titleButtons);
        label->setObjectName(QString::fromLatin1(name));
        label->setToolTip(tip);
        label->setMinimumWidth(label->sizeHint().height());
        row->addWidget(label);
        return label;
    };
    key(QStringLiteral("_"), "lblMinimise", QStringLiteral("Свернуть"))->clicked = [this] {
        showMinimized();
    };
    key(QStringLiteral("X"), "lblClose", QStringLiteral("Закрыть"))->clicked = [this] { close(); };
}

void MainWindow::setGenFont() {
    ResolvedLook window = m_appearance.resolved(LookClass::WindowText);
    // A new font or palette spreads over every child; nothing is done when nothing changed.
    if (m_shownWindowLook && m_shownWindowLook->font == window.font &&
        m_shownWindowLook->colour == window.colour &&
        m_shownWindowLook->background == window.background &&
        m_shownDressed == m_appearance.dressed()) {
        return;
    }
    m_shownWindowLook = window;
    m_shownDressed = m_appearance.dressed();
    setFont(window.font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, window.background);
    setPalette(palette);
    // The window text colour is for the texts that stand on the window itself; boxes and
    // buttons keep theirs.
    for (QWidget* widget : {static_cast<QWidget*>(m_optionStrip), m_titleButtons}) {
        QPalette own = widget->palette();
        own.setColor(QPalette::WindowText, window.colour);
        widget->setPalette(own);
    }
    // On a skin the menu bar lets the picture show through.
    QPalette bar = menuBar()->palette();
    bar.setColor(QPalette::Window,
                 m_appearance.dressed() ? QColor(Qt::transparent) : window.background);
    bar.setColor(QPalette::ButtonText, window.colour);
    bar.setColor(QPalette::WindowText, window.colour);
    menuBar()->setPalette(bar);
    update();
}

void MainWindow::setSkin() {
    const bool dressed = m_appearance.dressed();
    m_drag->setEnabled(dressed);
    // A hidden corner widget still counts in the menu bar's height; it leaves the bar.
    m_titleButtons->setVisible(dressed);
    menuBar()->setCornerWidget(dressed ? m_titleButtons : nullptr, Qt::TopRightCorner);
    m_sizeGrip->setVisible(dressed);
    // The corner keeps room for the grip below the keys.
    const int bottom = dressed ? m_sizeGrip->sizeHint().height() / 2 + 2 : 4;
    m_centralLayout->setContentsMargins(4, 4, 4, bottom);
    placeSizeGrip();
    m_skinCover = dressed ? coverWithSkin(m_appearance.skin(), size()) : QPixmap();
    m_optionStrip->update();
    m_plot.setDress(plotDressOf(m_appearance));
    if (changeWindowFlag(*this, Qt::FramelessWindowHint, dressed)) {
        // Showing it again may stack it over the dialog it owns; the dialog is told its owner
        // again and kept in front.
        if (m_appearanceDialog && m_appearanceDialog->isVisible()) {
            if (QWindow* dialog = m_appearanceDialog->windowHandle())
                dialog->setTransientParent(windowHandle());
            m_appearanceDialog->raise();
        }
    }
    setGenFont();
}

void MainWindow::setScreenSize() {
    QFont tenPoint = m_appearance.resolved(LookClass::EditorText).font;
    tenPoint.setPointSize(10);
    const int lines = m_appearance.screenNumber();
    const int margins =
        2 * (m_editor.frameWidth() + static_cast<int>(m_editor.document()->documentMargin()));
    const int wanted = lines * QFontMetrics(tenPoint).lineSpacing() + margins;
    // Everything around the document keeps its preferred height; that does not depend on
    // the window having been laid out (or shown) yet, nor on a layout that has not yet taken
    // in a change (the keypad coming or going).
    m_centralLayout->invalidate();
    centralWidget()->updateGeometry();
    layout()->invalidate();
    const int around = sizeHint().height() - m_editor.sizeHint().height();
    resize(width(), around + wanted);
    placeOnScreen();
}

void MainWindow::placeOnScreen() {
    // A window saved on a screen that is gone comes back to the one it now overlaps, or the
    // primary one.
    QScreen* screen = QGuiApplication::screenAt(frameGeometry().center());
    if (!screen) screen = this->screen();
    if (screen) {
        QRect frame = frameGeometry();
        QRect placed = keepOnScreen(frame, screen->availableGeometry());
        if (placed.size() != frame.size()) resize(size() - (frame.size() - placed.size()));
        move(placed.topLeft());
    }
}

void MainWindow::openAppearanceDialog() {
    if (m_appearanceDialog) {
        m_appearanceDialog->raise();
        m_appearanceDialog->activateWindow();
        return;
    }
    auto* dialog = new AppearanceDialog(m_appearance, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_appearanceDialog = dialog;
    m_mnuAppearance->setEnabled(false);
    connect(dialog, &QObject::destroyed, this, [this] { m_mnuAppearance->setEnabled(true); });
    dialog->show();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (m_skinCover.isNull()) {
        QMainWindow::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_skinCover);
}

void MainWindow::placeSizeGrip() {
    const QSize grip = m_sizeGrip->sizeHint();
    const QWidget* central = centralWidget();
    m_sizeGrip->setGeometry(central->width() - grip.width(), central->height() - grip.height(),
                            grip.width(), grip.height());
    m_sizeGrip->raise();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeSizeGrip();
    if (m_appearance.dressed()) m_skinCover = coverWithSkin(m_appearance.skin(), size());
}

void MainWindow::buildScreenSizeMenu(QMenu* options) {
    m_mnuScreenSize = options->addMenu(QStringLiteral("Размер экрана"));
    m_mnuScreenSize->setObjectName(QStringLiteral("mnuScreenSize"));
    m_screenSizes = new QActionGroup(this);
    for (int number = kSmallestScreenNumber; number <= kLargestScreenNumber; ++number) {
        // "&1" .. "&9", "1&0", then the plain numbers.
        QString caption = QString::number(number);
        if (number < 10) caption.prepend(u'&');
        if (number == 10) caption = QStringLiteral("1&0");
        QAction* item = m_mnuScreenSize->addAction(caption);
        item->setObjectName(QStringLiteral("mnuSize%1").arg(number));
        item->setCheckable(true);
        item->setChecked(number == m_appearance.screenNumber());
        m_screenSizes->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, number] { m_appearance.setScreenNumber(number); });
    }
}

void MainWindow::setAngleMode(AngleMode mode) {
    m_angleLabel->setText(angleModeText(mode));
    m_engine.setAngleMode(mode);
}

AngleMode MainWindow::angleMode() const {
    return m_engine.settings().angleMode;
}

void MainWindow::calculateCurrentLine() {
    if (calculateLine()) m_editor.openNewLine();
}

bool MainWindow::calculateLine() {
    // A calculation started from events let in by a running one waits its turn.
    if (m_engine.calculating()) {
        QApplication::beep();
        return false;
    }
    const std::vector<std::u16string> userFunctionsBefore = m_driver.userFunctions().items();
    m_pump.begin();
    m_counter->clear();
    QTextBlock first = m_editor.textCursor().block();
    m_editor.setColouringEnabled(false);
    m_driver.calculateCurrentLine();
    m_editor.setColouringEnabled(true);
    m_pump.end();
    // The line and whatever the calculation wrote after it are coloured again.
    QTextBlock last = m_editor.textCursor().block();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        m_editor.colourBlock(block);
        if (block == last) break;
    }
    m_editor.setFocus();
    showResultBox();
    addNewUserFunctionsToKeypad(userFunctionsBefore);
    refreshLists();
    emit workChanged();
    // The close box pressed during the calculation takes effect now.
    if (m_closeAfterCalculation) {
        m_closeAfterCalculation = false;
        emit exitRequested();
        return false;
    }
    return true;
}

void MainWindow::addCalculation() {
    if (m_engine.calculating()) return;
    m_driver.resultBox().text = toU16(m_cmbDec->lineEdit()->text());
    m_driver.addCalculation();
    showResultBox();
    emit workChanged();
}

void MainWindow::showResultBox() {
    const ResultBox& box = m_driver.resultBox();
    m_cmbDec->blockSignals(true);
    m_cmbDec->clear();
    for (const std::u16string& item : box.items)
        m_cmbDec->addItem(toQString(item));
    m_cmbDec->setCurrentIndex(box.selectedIndex);
    m_cmbDec->setEditText(toQString(box.text));
    m_cmbDec->blockSignals(false);
    colourResultBox();
}

// The decimal field shows results in the document's text colour and a failed calculation in
// the colour of syntax errors.
void MainWindow::colourResultBox() {
    LookClass lookClass =
        m_driver.resultBox().showsError ? LookClass::SyntaxError : LookClass::EditorText;
    m_cmbDec->lineEdit()->setStyleSheet(
        QStringLiteral("color: %1").arg(m_appearance.resolved(lookClass).colour.name()));
}

void MainWindow::refreshLists() {
    m_cmbVar->clear();
    for (const std::u16string& item : m_driver.variables().items())
        m_cmbVar->addItem(toQString(item));
    // The variable just assigned is shown; otherwise the box rests on its caption.
    m_cmbVar->setCurrentIndex(m_driver.variables().shownIndex());
    rebuildUserFunctionMenu();
    m_keypad->refreshFunctionList();
}

void MainWindow::rebuildUserFunctionMenu() {
    if (!m_mnuFuncUser) return;
    m_mnuFuncUser->clear();
    for (const std::u16string& item : m_driver.userFunctions().items()) {
        QString caption = toQString(item);
        QAction* action = m_mnuFuncUser->addAction(caption);
        connect(action, &QAction::triggered, this, [this, caption] {
            // A user function inserts as its name with one comma per extra parameter.
            qsizetype open = caption.indexOf(u'(');
            qsizetype close = caption.indexOf(u')', open);
            QString parameters = caption.mid(open + 1, close - open - 1);
            QString commas(parameters.isEmpty() ? 0 : parameters.count(u','), u',');
            insertAtInput(caption.left(open) + u'(' + commas + u')');
        });
    }
    m_mnuFuncUser->setEnabled(!m_mnuFuncUser->isEmpty());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Quitting closes every window first; the window must then let itself be closed.
    if (m_exiting) {
        event->accept();
        return;
    }
    if (m_windowModes->closeToTray(event)) return;
    // Without a notification icon to come back through, closing ends the program; so does
    // the end of the session.
    if (m_engine.calculating()) {
        event->ignore();
    } else {
        event->accept();
    }
    requestExit();
}

void MainWindow::requestExit() {
    if (m_engine.calculating()) {
        m_pump.cancel();
        m_closeAfterCalculation = true;
        return;
    }
    emit exitRequested();
}

void MainWindow::showNotice(const QString& text) {
    m_notice->setText(text);
    m_notice->setToolTip(text);
    m_notice->show();
}

void MainWindow::clearNotice() {
    m_notice->clear();
    m_notice->hide();
}

}  // namespace tally
