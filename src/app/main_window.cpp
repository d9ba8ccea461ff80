#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/document_editor.h"
#include "app/qt_text.h"
#include "app/settings_store.h"
#include "document/calculation_driver.h"
#include "engine/engine.h"

namespace tally {

namespace {

// A label that acts as a button of the option strip.
class OptionLabel : public QLabel {
  public:
    using QLabel::QLabel;
    std::function<void()> clicked;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && clicked) clicked();
    }
};

}  // namespace

MainWindow::MainWindow(Engine& engine, CalculationDriver& driver, DocumentEditor& editor,
                       const Catalogue& catalogue, QWidget* parent)
    : QMainWindow(parent), m_engine(engine), m_driver(driver), m_editor(editor) {
    setObjectName(QStringLiteral("frmCalc"));
    setWindowTitle(QStringLiteral("Калькулятор"));
    buildLayout();
    buildMenus(catalogue);
    m_engine.setEventPump(&m_pump);
    m_progress = std::make_unique<LabelProgress>(m_counter);
    m_engine.setProgressSink(m_progress.get());
    m_driver.setClipboard(&m_clipboard);
    qApp->installEventFilter(&m_pump);
    connect(&m_editor, &DocumentEditor::calculateRequested, this,
            &MainWindow::calculateCurrentLine);
    connect(&m_editor, &DocumentEditor::cancelRequested, this, [this] { m_pump.cancel(); });
    connect(m_editor.document(), &QTextDocument::contentsChanged, this, &MainWindow::workChanged);
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

    // The option strip: the angle mode switches with a click; the evaluation counter of long
    // solver runs stands beside it.
    auto* strip = new QHBoxLayout;
    m_strip = strip;
    auto* angle = new OptionLabel(angleModeText(AngleMode::Radians), central);
    angle->setObjectName(QStringLiteral("lblOptions2"));
    angle->setCursor(Qt::PointingHandCursor);
    // Looks like the key it is: raised, with room around the text.
    angle->setFrameStyle(QFrame::Panel | QFrame::Raised);
    angle->setMargin(3);
    angle->setToolTip(QStringLiteral("Единица измерения углов: щелкните, чтобы сменить"));
    angle->clicked = [this] {
        setAngleMode(angleMode() == AngleMode::Radians ? AngleMode::Degrees : AngleMode::Radians);
    };
    m_angleLabel = angle;
    strip->addWidget(m_angleLabel);
    strip->addStretch();
    m_counter = new QLabel(central);
    m_counter->setObjectName(QStringLiteral("txtCounter"));
    strip->addWidget(m_counter);
    layout->addLayout(strip);
    setCentralWidget(central);

    connect(m_cmbDec->lineEdit(), &QLineEdit::returnPressed, this, &MainWindow::addCalculation);
    connect(m_cmbDec->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_cmbDec->lineEdit()->setStyleSheet(QString()); });
    connect(m_cmbDec, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        m_driver.resultBox().selectedIndex = index;
        m_driver.resultBox().showText(toU16(m_cmbDec->itemText(index)));
        showResultBox();
    });
    connect(m_cmbVar, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        QString name = toQString(VariablesList::nameOf(toU16(m_cmbVar->itemText(index))));
        m_cmbVar->setCurrentIndex(-1);
        m_editor.setFocus();
        insertAtInput(name);
    });
}

QLabel* MainWindow::addOptionLabel(const QString& objectName, const QString& caption,
                                   const QString& toolTip, std::function<void()> clicked) {
    auto* label = new OptionLabel(caption, m_strip->parentWidget());
    label->setObjectName(objectName);
    label->setCursor(Qt::PointingHandCursor);
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setMargin(3);
    label->setToolTip(toolTip);
    label->clicked = std::move(clicked);
    // Labels stand side by side at the left, before the stretch.
    int stretch = m_strip->count();
    for (int i = 0; i < m_strip->count(); ++i) {
        if (m_strip->itemAt(i)->spacerItem()) {
            stretch = i;
            break;
        }
    }
    m_strip->insertWidget(stretch, label);
    return label;
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
    m_optionsEnd = options->addSeparator();
    QAction* exit = options->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("mnuExitMenu"));
    connect(exit, &QAction::triggered, this, &MainWindow::exitRequested);
}

void MainWindow::applyAppearance(const Appearance& appearance) {
    m_appearance = &appearance;
    m_editor.setAppearance(&appearance);
    const TextClassLook& menus = appearance.at(4);
    QFont font = menus.font();
    menuBar()->setFont(font);
}

void MainWindow::setAngleMode(AngleMode mode) {
    m_angleLabel->setText(angleModeText(mode));
    m_engine.setAngleMode(mode);
}

AngleMode MainWindow::angleMode() const {
    return m_engine.settings().angleMode;
}

void MainWindow::calculateCurrentLine() {
    // A calculation started from events let in by a running one waits its turn.
    if (m_engine.calculating()) {
        QApplication::beep();
        return;
    }
    m_pump.begin();
    m_counter->clear();
    QTextBlock first = m_editor.textCursor().block();
    m_editor.setColouringEnabled(false);
    m_driver.calculateCurrentLine();
    m_editor.setColouringEnabled(true);
    // The line and whatever the calculation wrote after it are coloured again.
    QTextBlock last = m_editor.textCursor().block();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        m_editor.colourBlock(block);
        if (block == last) break;
    }
    m_editor.openNewLine();
    m_editor.setFocus();
    showResultBox();
    refreshLists();
    emit workChanged();
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
    QColor colour =
        m_appearance
            ? m_appearance->of(box.showsError ? TextClass::SyntaxError : TextClass::Normal).colour
            : QColor(Qt::black);
    m_cmbDec->lineEdit()->setStyleSheet(QStringLiteral("color: %1").arg(colour.name()));
}

void MainWindow::refreshLists() {
    m_cmbVar->clear();
    for (const std::u16string& item : m_driver.variables().items())
        m_cmbVar->addItem(toQString(item));
    m_cmbVar->setCurrentIndex(-1);
    rebuildUserFunctionMenu();
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

void MainWindow::insertAtInput(const QString& text, int stepBack) {
    // The window remembers its focused widget while another window (a units list, a
    // subject menu) is active.
    QLineEdit* field = m_cmbDec->lineEdit();
    if (focusWidget() == field) {
        field->insert(text);
        field->setCursorPosition(std::max(0, field->cursorPosition() - stepBack));
        field->setFocus();
        return;
    }
    m_editor.insertPlainText(text);
    if (stepBack > 0) {
        QTextCursor cursor = m_editor.textCursor();
        cursor.setPosition(std::max(0, cursor.position() - stepBack));
        m_editor.setTextCursor(cursor);
    }
    m_editor.setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Without a notification icon to come back through, closing ends the program.
    event->ignore();
    emit exitRequested();
}

}  // namespace tally
