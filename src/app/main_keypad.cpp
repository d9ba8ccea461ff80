// The main window's keypad: what its keys do, the input they type into, how it is shown,
// its option strip and its menus.
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "app/document_editor.h"
#include "app/input_language.h"
#include "app/keypad.h"
#include "app/keypad_targets.h"
#include "app/main_window.h"
#include "app/option_strip.h"
#include "app/qt_text.h"
#include "app/settings_store.h"
#include "document/calculation_driver.h"
#include "engine/engine.h"
#include "session/menu_insertion.h"
#include "units/catalogue.h"

namespace tally {

void MainWindow::pressKeypadKey(KeyRef key, KeyButton button) {
    const KeyAction action = keyAction(key, button, m_keypad->letters());
    if (action.command == KeyCommand::None) return;
    // The calculation is not re-entrant: while a line calculates, the keypad does nothing.
    if (m_engine.calculating()) {
        QApplication::beep();
        return;
    }
    switch (action.command) {
        case KeyCommand::None:
            break;
        case KeyCommand::Type:
        case KeyCommand::TypeAtLineEnd:
            typeKey(action, inputTarget());
            break;
        case KeyCommand::DeleteBefore:
        case KeyCommand::DeleteAfter:
            inputTarget();
            sendDeleteKey(inputWidget(), action.command == KeyCommand::DeleteAfter);
            break;
        case KeyCommand::SwitchCase:
            m_keypad->switchCase();
            break;
        case KeyCommand::SwitchLanguage:
            m_keypad->switchLanguage();
            m_inputLanguage->activate(m_keypad->letters().language() == KeypadLanguage::Russian
                                          ? kRussianLayout
                                          : kEnglishLayout);
            break;
        case KeyCommand::Calculate:
        case KeyCommand::NextLine:
            if (decimalFieldActive()) {
                addCalculation();
            } else if (action.command == KeyCommand::NextLine) {
                m_editor.setFocus();
                nextLineStep();
            } else if (calculateLine() && !m_driver.resultBox().showsError) {
                m_editor.moveCaretToLineEnd();
                nextLineStep();
            }
            m_decimalFieldActive = false;
            m_editor.setFocus();
            break;
        case KeyCommand::Clear:
            clearInput();
            break;
        case KeyCommand::LastToFront:
            m_keypad->functionList().lastToFront();
            functionListChanged();
            break;
        case KeyCommand::FirstToEnd:
            m_keypad->functionList().firstToEnd();
            functionListChanged();
            break;
    }
}

void MainWindow::insertAtInput(const QString& text, int stepBack) {
    if (m_engine.calculating()) {
        QApplication::beep();
        return;
    }
    inputTarget().insert(toU16(text), stepBack);
}

bool MainWindow::decimalFieldActive() {
    // The focus as this window last had it also counts while the window is not active.
    QWidget* focus = focusWidget();
    if (focus == m_cmbDec || focus == m_cmbDec->lineEdit()) m_decimalFieldActive = true;
    if (focus == &m_editor) m_decimalFieldActive = false;
    return m_decimalFieldActive;
}

KeypadTarget& MainWindow::inputTarget() {
    if (decimalFieldActive()) {
        m_cmbDec->lineEdit()->setFocus();
        return *m_fieldTarget;
    }
    m_editor.setFocus();
    return *m_documentTarget;
}

QWidget& MainWindow::inputWidget() {
    if (m_decimalFieldActive) return *m_cmbDec->lineEdit();
    return m_editor;
}

void MainWindow::nextLineStep() {
    QTextCursor cursor = m_editor.textCursor();
    QTextBlock next = cursor.block().next();
    if (cursor.atBlockEnd() && next.isValid() && next.length() <= 1) {
        cursor.setPosition(next.position());
    } else {
        cursor.insertBlock();
    }
    m_editor.setTextCursor(cursor);
}

void MainWindow::clearInput() {
    if (decimalFieldActive()) {
        QLineEdit* field = m_cmbDec->lineEdit();
        field->setFocus();
        if (field->hasSelectedText()) {
            field->del();
            return;
        }
        m_driver.resultBox().selectedIndex = -1;
        m_driver.resultBox().showText(std::u16string());
        showResultBox();
        return;
    }
    m_editor.setFocus();
    // One edit of the document, so that Undo brings all of it back.
    QTextCursor cursor = m_editor.textCursor();
    if (!cursor.hasSelection()) cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    m_editor.setTextCursor(cursor);
}

void MainWindow::setInputLanguage(std::unique_ptr<InputLanguage> language) {
    m_inputLanguage = std::move(language);
    m_documentTarget = std::make_unique<DocumentTarget>(m_editor, *m_inputLanguage);
}

void MainWindow::setKeypadFunctions(std::vector<std::u16string>& names) {
    m_keypad->setFunctionNames(names);
}

void MainWindow::functionListChanged() {
    m_keypad->refreshFunctionList();
    emit workChanged();
}

void MainWindow::addNewUserFunctionsToKeypad(const std::vector<std::u16string>& before) {
    if (!m_mnuAddUserFuncToKeypad->isChecked()) return;
    bool added = false;
    for (const std::u16string& item : m_driver.userFunctions().items()) {
        // A function defined anew (a new item, or a new body) counts as newly defined.
        if (std::find(before.begin(), before.end(), item) != before.end()) continue;
        added = m_keypad->functionList().add(functionNameOfCaption(item)) || added;
    }
    if (added) functionListChanged();
}

void MainWindow::setKeypadShow(int show) {
    m_keypadShow = show;
    for (QAction* item : m_keypadShows->actions())
        item->setChecked(item->data().toInt() == show);
    const bool popUp = show == PopUpKeypad;
    // The keypad takes its room below the option strip unless it pops up or is absent;
    // the document takes the room the keypad leaves.
    if (popUp || show == AbsentKeypad) {
        m_centralLayout->removeWidget(m_keypad);
        m_keypad->hide();
    } else if (m_centralLayout->indexOf(m_keypad) < 0) {
        m_centralLayout->addWidget(m_keypad);
    }
    if (!popUp && show != AbsentKeypad) m_keypad->show();
    m_keypad->setOverlay(popUp, &m_skinCover);
    if (popUp) {
        m_popUpTimer.start();
    } else {
        m_popUpTimer.stop();
    }
}

void MainWindow::updatePopUpKeypad() {
    if (m_keypadShow != PopUpKeypad) return;
    // A key held down keeps the keypad as it is until its release.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) return;
    const QPoint cursor = centralWidget()->mapFromGlobal(QCursor::pos());
    const bool over = m_optionStrip->geometry().contains(cursor) ||
                      (m_keypad->isVisible() && m_keypad->geometry().contains(cursor));
    const bool shown = over && isVisible() && !isMinimized();
    if (shown == m_keypad->isVisible()) return;
    if (!shown) {
        m_keypad->hide();
        return;
    }
    // Over the document, just above the option strip, leaving a few of the document's lines
    // in sight; the keys shrink rather than cover them all.
    constexpr int kLinesInSight = 3;
    const QRect strip = m_optionStrip->geometry();
    const int line = m_editor.fontMetrics().lineSpacing();
    const int room = strip.top() - m_editor.geometry().top() - kLinesInSight * line;
    const int height = std::min(
        std::clamp(room, m_keypad->minimumSizeHint().height(), m_keypad->sizeHint().height()),
        strip.top());
    m_keypad->setGeometry(strip.left(), strip.top() - height, strip.width(), height);
    m_keypad->show();
    m_keypad->raise();
    // The line being typed stays in sight above the keypad.
    const int inSight = m_keypad->y() - m_editor.viewport()->mapTo(centralWidget(), QPoint()).y();
    const int below = m_editor.cursorRect().bottom() - inSight;
    if (below > 0) {
        QScrollBar* scroll = m_editor.verticalScrollBar();
        scroll->setValue(scroll->value() + (below + line - 1) / line);
    }
}

void MainWindow::setKeyStyle(KeyStyle style) {
    m_keypad->setKeyStyle(style);
    for (QAction* item : m_keyStyles->actions())
        item->setChecked(item->data().toInt() == static_cast<int>(style));
}

void MainWindow::applyKeypadSettings(const WindowSettings& settings) {
    setKeyStyle(settings.style == 0 ? KeyStyle::Normal : KeyStyle::Compact);
    if (settings.functionListColumns >= 1 &&
        settings.functionListColumns <= KeypadFunctionList::kLargestColumnCount) {
        m_keypad->setFunctionColumns(settings.functionListColumns);
        m_functionColumns->actions().at(settings.functionListColumns - 1)->setChecked(true);
    }
    m_mnuAddUserFuncToKeypad->setChecked(settings.addFunctionsToKeypad);
    setKeypadShow(settings.keypadShow);
}

void MainWindow::keepKeypadSettings(WindowSettings& settings) const {
    settings.style = static_cast<int>(m_keypad->keyStyle());
    settings.keypadShow = m_keypadShow;
    settings.functionListColumns = m_keypad->functionColumns();
    settings.addFunctionsToKeypad = m_mnuAddUserFuncToKeypad->isChecked();
}

namespace {

QMenu* namedMenu(const std::vector<QMenu*>& menus, const QString& name) {
    for (QMenu* menu : menus) {
        if (menu->objectName() == name) return menu;
    }
    return nullptr;
}

}  // namespace

void MainWindow::connectOptionStrip() {
    auto label = [this](OptionStrip::Index index) { return m_optionStrip->label(index); };
    label(OptionStrip::Options)->clicked = [this, label] {
        popUpMenu(m_mnuOptions, label(OptionStrip::Options));
    };
    label(OptionStrip::Functions)->clicked = [this, label] {
        popUpMenu(namedMenu(m_catalogueMenus, QStringLiteral("mnuFunctions")),
                  label(OptionStrip::Functions));
    };
    label(OptionStrip::AngleMode)->clicked = [this] {
        setAngleMode(angleMode() == AngleMode::Radians ? AngleMode::Degrees : AngleMode::Radians);
    };
    label(OptionStrip::Hide)->setToolTip(QStringLiteral("Убрать окно"));
    label(OptionStrip::Hide)->clicked = [this] { hideToTray(); };
    // What the user defines and inserts: constants, units and expressions in one pop-up.
    label(OptionStrip::Definitions)->clicked = [this, label] {
        auto* definitions = new QMenu(this);
        definitions->setObjectName(QStringLiteral("pmnuDefinitions"));
        definitions->setAttribute(Qt::WA_DeleteOnClose);
        for (const char* name : {"mnuConstants", "mnuConversions", "mnuFormulas"}) {
            if (QMenu* menu = namedMenu(m_catalogueMenus, QString::fromLatin1(name)))
                definitions->addMenu(menu);
        }
        popUpMenu(definitions, label(OptionStrip::Definitions));
    };
    // The help subjects open from here; whoever sets them up enables the label and gives it
    // its action.
    label(OptionStrip::Subject)->setEnabled(false);
    label(OptionStrip::Help)->clicked = [this, label] {
        popUpMenu(m_mnuHelp, label(OptionStrip::Help));
    };
    connect(m_keypad, &Keypad::functionChosen, this, [this](const QString& name) {
        // The name with its brackets, the caret after the opening one.
        QString call = toQString(functionInsertion(toU16(name), &m_engine));
        insertAtInput(call, static_cast<int>(call.size() - call.indexOf(u'(') - 1));
    });
}

void MainWindow::popUpMenu(QMenu* menu, QWidget* under) {
    if (!menu) return;
    // Above the label, over the document, unless the screen has no room there.
    menu->popup(under->mapToGlobal(QPoint(0, 0)) - QPoint(0, menu->sizeHint().height()));
}

void MainWindow::addKeypadShowMenus(QMenu* options) {
    QMenu* show = options->addMenu(QStringLiteral("Клавиатура"));
    show->setObjectName(QStringLiteral("mnuKeyPad"));
    m_keypadShows = new QActionGroup(this);
    m_keypadShows->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const std::array<std::pair<const char*, QString>, 3> shows = {{
        {"mnuPopUp", QStringLiteral("Выдвигающаяся")},
        {"mnuFixed", QStringLiteral("Фиксированная")},
        {"mnuAbsent", QStringLiteral("Отсутствует")},
    }};
    for (int mode = PopUpKeypad; mode <= AbsentKeypad; ++mode) {
        const auto& [name, caption] = shows[static_cast<std::size_t>(mode - PopUpKeypad)];
        QAction* item = show->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setData(mode);
        m_keypadShows->addAction(item);
        connect(item, &QAction::triggered, this, [this, mode] { setKeypadShow(mode); });
    }

    QMenu* keys = options->addMenu(QStringLiteral("Кнопки клавиатуры"));
    keys->setObjectName(QStringLiteral("mnuKeys"));
    m_keyStyles = new QActionGroup(this);
    const std::array<std::tuple<const char*, QString, KeyStyle>, 2> styles = {{
        {"mnuCompact", QStringLiteral("Компактные"), KeyStyle::Compact},
        {"mnuNormal", QStringLiteral("Нормальные"), KeyStyle::Normal},
    }};
    for (const auto& [name, caption, style] : styles) {
        QAction* item = keys->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setData(static_cast<int>(style));
        m_keyStyles->addAction(item);
        connect(item, &QAction::triggered, this, [this, style] { setKeyStyle(style); });
    }
    setKeyStyle(m_keypad->keyStyle());
}

void MainWindow::addFunctionListMenus(QMenu* options) {
    QMenu* columns =
        options->addMenu(QStringLiteral("Число колонок в списке функций на клавиатуре"));
    columns->setObjectName(QStringLiteral("mnuColumns"));
    m_functionColumns = new QActionGroup(this);
    for (int count = 1; count <= KeypadFunctionList::kLargestColumnCount; ++count) {
        QAction* item = columns->addAction(QStringLiteral("&%1").arg(count));
        item->setObjectName(QStringLiteral("mnuCol%1").arg(count));
        item->setCheckable(true);
        item->setChecked(count == m_keypad->functionColumns());
        m_functionColumns->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, count] { m_keypad->setFunctionColumns(count); });
    }

    m_mnuAddUserFuncToKeypad =
        options->addAction(QStringLiteral("Авто-добавление в список функций на клавиатуре"));
    m_mnuAddUserFuncToKeypad->setObjectName(QStringLiteral("mnuAddUserFuncToKeypad"));
    m_mnuAddUserFuncToKeypad->setCheckable(true);

    // One submenu per group of functions; a check mark shows a function in the list.
    QMenu* set = options->addMenu(QStringLiteral("Правка списка функций на клавиатуре"));
    set->setObjectName(QStringLiteral("mnuKeypadFunc"));
    for (const FunctionGroup& group : m_catalogue.menus().functionGroups) {
        QMenu* menu = set->addMenu(toQString(
            group.captions.russian.empty() ? group.captions.english : group.captions.russian));
        menu->setObjectName(toQString(group.keypadMenu));
        const std::vector<std::u16string>& signatures = group.signatures;
        connect(menu, &QMenu::aboutToShow, this,
                [this, menu, &signatures] { fillKeypadFunctionMenu(menu, signatures); });
    }
    QMenu* user = set->addMenu(QStringLiteral("Объявленные пользователем"));
    user->setObjectName(QStringLiteral("mnuInsFuncUser"));
    connect(user, &QMenu::aboutToShow, this,
            [this, user] { fillKeypadFunctionMenu(user, m_driver.userFunctions().items()); });
    connect(set, &QMenu::aboutToShow, this,
            [this, user] { user->setEnabled(!m_driver.userFunctions().items().empty()); });
}

void MainWindow::fillKeypadFunctionMenu(QMenu* menu, const std::vector<std::u16string>& captions) {
    menu->clear();
    for (const std::u16string& caption : captions) {
        if (caption == MenuArray::kSeparator) {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(toQString(caption));
        item->setCheckable(true);
        item->setChecked(m_keypad->functionList().contains(functionNameOfCaption(caption)));
        connect(item, &QAction::triggered, this, [this, caption] {
            m_keypad->functionList().toggle(caption);
            functionListChanged();
        });
    }
}

}  // namespace tally
