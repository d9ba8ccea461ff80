// The keypad as a user meets it, on the offscreen platform: keys clicked with either mouse
// button type into the document or the decimal field, the case key switches letters and
// layouts, "exe", "clr" and the function list do their work, the display modes share the
// window with the document, and the keypad's state survives a restart.
#include <QAction>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/edit_commands.h"
#include "app/input_language.h"
#include "app/keypad.h"
#include "app/main_window.h"
#include "app/option_strip.h"
#include "engine/message_window.h"

using namespace tally;

namespace {

// Where the caret stands in the texts of the tables.
constexpr QChar kCaret = u'‸';

KeyRef letter(int index) {
    return {KeyArray::Letter, index};
}
KeyRef oper(int index) {
    return {KeyArray::Oper, index};
}

// An input language that can be switched, and remembers how it was.
class SwitchingInputLanguage : public InputLanguage {
  public:
    QString current() const override { return m_current; }
    bool activate(const QString& layout) override {
        m_current = layout;
        activations.push_back(layout);
        return true;
    }
    QStringList activations;

  private:
    QString m_current = kEnglishLayout;
};

}  // namespace

class KeypadTest : public QObject {
    Q_OBJECT

  private:
    AutomaticMessageWindow m_messages;
    std::unique_ptr<QTemporaryDir> m_folder;
    // One window for the long typing table; the other tests start their own.
    std::unique_ptr<QTemporaryDir> m_sharedFolder;
    std::unique_ptr<Application> m_shared;

    std::unique_ptr<Application> start(const QString& folder) {
        auto application = std::make_unique<Application>(
            folder, QDir(folder).filePath(QStringLiteral("settings.ini")), &m_messages);
        application->startUp();
        MainWindow& window = application->window();
        window.setKeypadShow(MainWindow::FixedKeypad);
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) qWarning("the window is not active");
        return application;
    }
    std::unique_ptr<Application> start() { return start(m_folder->path()); }
    QString settingsFile() const { return m_folder->filePath(QStringLiteral("settings.ini")); }

    static void click(MainWindow& window, KeyRef key, Qt::MouseButton button = Qt::LeftButton) {
        KeypadKey* widget = window.keypad().key(key);
        QVERIFY(widget && widget->isVisible());
        QTest::mouseClick(widget, button);
    }
    static QLineEdit& field(MainWindow& window) { return *window.resultBox()->lineEdit(); }

    // The input holds `text` with the caret where kCaret stands, and has the focus.
    static void setInput(MainWindow& window, bool inField, QString text) {
        const int caret = static_cast<int>(text.indexOf(kCaret));
        text.remove(kCaret);
        if (inField) {
            field(window).setText(text);
            field(window).setCursorPosition(caret);
            field(window).setFocus();
            return;
        }
        DocumentEditor& editor = window.editor();
        editor.setPlainText(text);
        QTextCursor cursor(editor.document());
        cursor.setPosition(caret);
        editor.setTextCursor(cursor);
        editor.setFocus();
    }
    static QString input(MainWindow& window, bool inField) {
        if (inField) return field(window).text().insert(field(window).cursorPosition(), kCaret);
        DocumentEditor& editor = window.editor();
        return editor.toPlainText().insert(editor.textCursor().position(), kCaret);
    }
    static void useLetters(MainWindow& window, bool russian, bool capitals) {
        const KeypadLetters& letters = window.keypad().letters();
        if ((letters.language() == KeypadLanguage::Russian) != russian)
            window.pressKeypadKey(letter(kCaseKey), KeyButton::Right);
        if (letters.capitals() != capitals)
            window.pressKeypadKey(letter(kCaseKey), KeyButton::Left);
    }
    static QAction* action(MainWindow& window, const char* name) {
        return window.findChild<QAction*>(QString::fromLatin1(name));
    }

    // What a click on a key makes of "7‸8", in the order Latin left, Latin right, Russian
    // left, Russian right.
    struct Typing {
        int index;
        std::array<QString, 4> results;
    };
    static std::vector<Typing> typingTable() {
        auto typed = [](const QString& text) { return QStringLiteral("7") + text + kCaret + u'8'; };
        auto everywhere = [&](const QString& left, const QString& right) {
            return std::array<QString, 4>{typed(left), typed(right), typed(left), typed(right)};
        };
        const QString same = typed(QString());
        std::vector<Typing> table;
        const QString latin = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const QString russian = QStringLiteral("ФИСВУАПРШОЛДЬТЩЗЙКЫЕГМЦЧНЯ");
        for (int index = kFirstLetterKey; index <= kLastLetterKey; ++index) {
            QChar l = latin[index - 1];
            QChar r = russian[index - 1];
            table.push_back({index, {typed(l), typed(l.toLower()), typed(r), typed(r.toLower())}});
        }
        const QString alternatives = QStringLiteral("°;{}#[]&()");
        for (int digit = 0; digit < 10; ++digit) {
            table.push_back({kFirstDigitKey + digit,
                             everywhere(QString::number(digit), alternatives.mid(digit, 1))});
        }
        const QString bars = QStringLiteral("7|") + kCaret + QStringLiteral("|8");
        const QString equalsAtEnd = QStringLiteral("78=") + kCaret;
        table.insert(
            table.end(),
            {
                {kSpaceKey, everywhere(QStringLiteral(" "), QStringLiteral(" "))},
                {28, everywhere(QStringLiteral("."), QStringLiteral("'"))},
                {29, everywhere(QStringLiteral(","), QStringLiteral("\""))},
                {40, everywhere(QStringLiteral("/"), QStringLiteral("{}"))},
                {41,
                 {typed(QStringLiteral("\\")), same, typed(QStringLiteral("Ж")),
                  typed(QStringLiteral("ж"))}},
                {42,
                 {typed(QStringLiteral(":")), same, typed(QStringLiteral("Э")),
                  typed(QStringLiteral("э"))}},
                {43, everywhere(QStringLiteral("*"), QStringLiteral("·"))},
                {44, {typed(QStringLiteral("^")), same, typed(QStringLiteral("^")), same}},
                {45, everywhere(QStringLiteral("-"), QStringLiteral("_"))},
                {46,
                 {typed(QStringLiteral("%")), same, typed(QStringLiteral("Б")),
                  typed(QStringLiteral("б"))}},
                {47, {typed(QStringLiteral("+")), same, typed(QStringLiteral("+")), bars}},
                {48,
                 {typed(QStringLiteral("!")), same, typed(QStringLiteral("Ю")),
                  typed(QStringLiteral("ю"))}},
                {49,
                 {typed(QStringLiteral("=")), equalsAtEnd, typed(QStringLiteral("=")),
                  equalsAtEnd}},
                {50,
                 {QStringLiteral("7(‸)8"), same, QStringLiteral("7(‸)8"), QStringLiteral("7[‸]8")}},
                {51,
                 {QStringLiteral("7[‸]8"), same, typed(QStringLiteral("Х")),
                  typed(QStringLiteral("х"))}},
                {kBackspaceKey,
                 {QStringLiteral("‸8"), QStringLiteral("7‸"), QStringLiteral("‸8"),
                  QStringLiteral("7‸")}},
                {53, everywhere(QStringLiteral("pi"), QStringLiteral("e"))},
                {54, everywhere(QStringLiteral("`"), QStringLiteral("$"))},
                {55, {bars, same, typed(QStringLiteral("Ъ")), typed(QStringLiteral("ъ"))}},
            });
        return table;
    }

  private slots:
    void initTestCase() {
        m_sharedFolder = std::make_unique<QTemporaryDir>();
        m_shared = start(m_sharedFolder->path());
    }
    void cleanupTestCase() { m_shared.reset(); }
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    void everyKeyTypesIntoTheFocusedInput_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("russian");
        QTest::addColumn<bool>("inField");
        QTest::addColumn<QString>("expected");
        for (const Typing& typing : typingTable()) {
            for (int column = 0; column < 4; ++column) {
                const bool right = column % 2 == 1;
                const bool russian = column >= 2;
                for (bool inField : {false, true}) {
                    QTest::addRow("Letter%d %s %s %s", typing.index, right ? "right" : "left",
                                  russian ? "Russian" : "Latin", inField ? "field" : "document")
                        << typing.index << right << russian << inField
                        << typing.results[static_cast<std::size_t>(column)];
                }
            }
        }
    }
    void everyKeyTypesIntoTheFocusedInput() {
        QFETCH(int, index);
        QFETCH(bool, right);
        QFETCH(bool, russian);
        QFETCH(bool, inField);
        QFETCH(QString, expected);
        MainWindow& window = m_shared->window();
        useLetters(window, russian, true);
        setInput(window, inField, QStringLiteral("7‸8"));
        click(window, letter(index), right ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(input(window, inField), expected);
        // The input keeps the focus.
        QCOMPARE(window.decimalFieldActive(), inField);
    }

    // What goes in before the key's own text: "Ans" when an operator starts an empty line,
    // an opening bracket when a sign follows "*", "/", "^", "\" or ":".
    void ansAndBracketGoInFirst_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("right");
        QTest::addColumn<bool>("russian");
        QTest::addColumn<bool>("inField");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        auto row = [](const char* name, int index, bool right, bool russian, bool inField,
                      const char16_t* before, const char16_t* after) {
            QTest::newRow(name) << index << right << russian << inField
                                << QString::fromUtf16(before) << QString::fromUtf16(after);
        };
        row("plus, empty document", kPlusKey, false, false, false, u"‸", u"Ans+‸");
        row("plus, empty line after text", kPlusKey, false, false, false, u"1\n‸", u"1\nAns+‸");
        row("plus, empty line before text", kPlusKey, false, false, false, u"‸\n5", u"Ans+‸\n5");
        row("plus, start of a line with text", kPlusKey, false, false, false, u"‸5", u"+‸5");
        row("times right", 43, true, false, false, u"‸", u"Ans·‸");
        row("minus right is no operator", kMinusKey, true, false, false, u"‸", u"_‸");
        row("Latin backslash", 41, false, false, false, u"‸", u"Ans\\‸");
        row("Russian letter on the backslash key", 41, false, true, false, u"‸", u"Ж‸");
        row("Latin equals", kEqualsKey, false, false, false, u"‸", u"Ans=‸");
        row("Russian equals", kEqualsKey, false, true, false, u"‸", u"=‸");
        row("Russian caret", 44, false, true, false, u"‸", u"Ans^‸");
        row("digit", 31, false, false, false, u"‸", u"1‸");
        row("empty field", kPlusKey, false, false, true, u"‸", u"Ans+‸");
        row("field with text", kPlusKey, false, false, true, u"2‸", u"2+‸");
        row("minus after times", kMinusKey, false, false, false, u"2*‸", u"2*(-‸");
        row("minus after a digit", kMinusKey, false, false, false, u"3‸", u"3-‸");
        row("plus after caret", kPlusKey, false, false, false, u"2^‸", u"2^(+‸");
        row("minus after backslash", kMinusKey, false, false, false, u"2\\‸", u"2\\(-‸");
        row("minus after colon", kMinusKey, false, false, false, u"2:‸", u"2:(-‸");
        row("minus after slash", kMinusKey, false, false, false, u"2/‸", u"2/(-‸");
        row("minus after a line break", kMinusKey, false, false, false, u"2\n‸7", u"2\n-‸7");
        row("underscore after times", kMinusKey, true, false, false, u"2*‸", u"2*(_‸");
        row("Russian bars after times", kPlusKey, true, true, false, u"2*‸", u"2*(|‸|");
        row("Latin plus right does nothing", kPlusKey, true, false, false, u"2*‸", u"2*‸");
        row("field, minus after times", kMinusKey, false, false, true, u"2*‸", u"2*(-‸");
        row("equals right goes to the line end", kEqualsKey, true, false, false, u"a‸bc\nd",
            u"abc=‸\nd");
        row("equals right in an empty document", kEqualsKey, true, false, false, u"‸", u"=‸");
        row("braces leave the caret after them", 40, true, false, false, u"‸", u"{}‸");
        row("backspace at the start", kBackspaceKey, false, false, false, u"‸", u"‸");
    }
    void ansAndBracketGoInFirst() {
        QFETCH(int, index);
        QFETCH(bool, right);
        QFETCH(bool, russian);
        QFETCH(bool, inField);
        QFETCH(QString, before);
        QFETCH(QString, after);
        MainWindow& window = m_shared->window();
        useLetters(window, russian, true);
        setInput(window, inField, before);
        click(window, letter(index), right ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(input(window, inField), after);
    }

    void typingReplacesTheSelection() {
        MainWindow& window = m_shared->window();
        useLetters(window, false, true);
        setInput(window, false, QStringLiteral("abcd‸"));
        QTextCursor cursor = window.editor().textCursor();
        cursor.setPosition(1);
        cursor.setPosition(3, QTextCursor::KeepAnchor);
        window.editor().setTextCursor(cursor);
        click(window, letter(kBracketsKey));
        QCOMPARE(input(window, false), QStringLiteral("a(‸)d"));
        // A press that leaves the key before its release types nothing.
        KeypadKey* seven = window.keypad().key(letter(37));
        QTest::mousePress(seven, Qt::LeftButton);
        QTest::mouseRelease(seven, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(input(window, false), QStringLiteral("a(‸)d"));
    }

    void caseKeySwitchesLettersAndLayouts() {
        auto application = start();
        MainWindow& window = application->window();
        auto language = std::make_unique<SwitchingInputLanguage>();
        SwitchingInputLanguage& languages = *language;
        window.setInputLanguage(std::move(language));
        Keypad& keypad = window.keypad();
        KeypadKey* caseKey = keypad.key(letter(kCaseKey));
        KeypadKey* q = keypad.key(letter(17));
        const QRect qPlace = q->geometry();
        QCOMPARE(caseKey->tag(), QStringLiteral("Lcase"));
        QCOMPARE(caseKey->toolTip(), QStringLiteral("Рус"));
        click(window, letter(kCaseKey));
        QCOMPARE(caseKey->tag(), QStringLiteral("Ucase"));
        QCOMPARE(q->tag(), QStringLiteral("q"));
        click(window, letter(kCaseKey), Qt::RightButton);
        QCOMPARE(q->tag(), QStringLiteral("й"));
        QCOMPARE(keypad.key(letter(51))->tag(), QStringLiteral("х"));
        QCOMPARE(caseKey->toolTip(), QStringLiteral("Lat"));
        QCOMPARE(keypad.key(letter(kPlusKey))->toolTip(), QStringLiteral(" | | "));
        QCOMPARE(keypad.key(letter(kBracketsKey))->toolTip(), QStringLiteral(" [ ] "));
        QCOMPARE(q->geometry(), qPlace);
        QCOMPARE(languages.activations, QStringList{kRussianLayout});

        // A Cyrillic letter typed while the keyboard is English leaves it English.
        languages.activate(kEnglishLayout);
        languages.activations.clear();
        setInput(window, false, QStringLiteral("‸"));
        click(window, letter(17));
        QCOMPARE(input(window, false), QStringLiteral("й‸"));
        QCOMPARE(languages.current(), kEnglishLayout);
        QCOMPARE(languages.activations, (QStringList{kRussianLayout, kEnglishLayout}));
        // Latin text needs no switching.
        click(window, letter(kCaseKey), Qt::RightButton);
        languages.activations.clear();
        click(window, letter(17));
        QCOMPARE(input(window, false), QStringLiteral("йq‸"));
        QVERIFY(languages.activations.isEmpty());
        QCOMPARE(keypad.key(letter(kPlusKey))->toolTip(), QString());
        QCOMPARE(keypad.key(letter(51))->tag(), QStringLiteral("[ ]"));
    }

    void exeCalculatesAndStepsToTheNextLine_data() {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("a new line")
            << false << QStringLiteral("2+3‸") << QStringLiteral("2+3=5\n‸");
        QTest::newRow("onto the empty line that follows")
            << false << QStringLiteral("2‸+3\n\nx") << QStringLiteral("2+3=5\n‸\nx");
        QTest::newRow("an assignment writes its line first")
            << false << QStringLiteral("y=2+3‸") << QStringLiteral("y=2+3\ny=5\n‸");
        QTest::newRow("a message keeps the caret on the line")
            << false << QStringLiteral("2+*3‸") << QStringLiteral("2+*3‸");
        QTest::newRow("right button: the next line only")
            << true << QStringLiteral("2+3‸") << QStringLiteral("2+3\n‸");
        QTest::newRow("right button onto the empty line")
            << true << QStringLiteral("2+3‸\n\nx") << QStringLiteral("2+3\n‸\nx");
    }
    void exeCalculatesAndStepsToTheNextLine() {
        QFETCH(bool, right);
        QFETCH(QString, before);
        QFETCH(QString, after);
        auto application = start();
        MainWindow& window = application->window();
        setInput(window, false, before);
        click(window, oper(kExeKey), right ? Qt::RightButton : Qt::LeftButton);
        QCOMPARE(input(window, false), after);
    }

    void exeInTheDecimalFieldAddsACalculation() {
        auto application = start();
        MainWindow& window = application->window();
        setInput(window, false, QStringLiteral("2+3‸"));
        click(window, oper(kExeKey));
        setInput(window, true, QStringLiteral("Ans*2‸"));
        click(window, oper(kExeKey));
        QCOMPARE(window.resultBox()->itemText(0), QStringLiteral("Ans*2=10"));
        QVERIFY(!window.decimalFieldActive());
        QVERIFY(window.editor().hasFocus());
    }

    void clearTakesTheSelectionOrTheWholeInput() {
        auto application = start();
        MainWindow& window = application->window();
        setInput(window, false, QStringLiteral("abc\ndef‸"));
        click(window, oper(kClearKey));
        QCOMPARE(window.editor().toPlainText(), QString());
        // One undo brings the whole document back.
        window.editCommands().undo();
        QCOMPARE(window.editor().toPlainText(), QStringLiteral("abc\ndef"));
        QTextCursor cursor = window.editor().textCursor();
        cursor.setPosition(1);
        cursor.setPosition(5, QTextCursor::KeepAnchor);
        window.editor().setTextCursor(cursor);
        click(window, oper(kClearKey));
        QCOMPARE(window.editor().toPlainText(), QStringLiteral("aef"));

        setInput(window, true, QStringLiteral("12345‸"));
        field(window).setSelection(1, 2);
        click(window, oper(kClearKey));
        QCOMPARE(field(window).text(), QStringLiteral("145"));
        click(window, oper(kClearKey));
        QCOMPARE(field(window).text(), QString());
        QVERIFY(window.decimalFieldActive());
    }

    void functionListTurnsAndTypesCalls() {
        std::vector<std::u16string> one = {u"sin"};
        auto application = start();
        MainWindow& window = application->window();
        FunctionListView* list = window.keypad().functionListView();
        QCOMPARE(list->shownEntries(), (QStringList{"cos", "ln", "sin", "sqrt"}));
        click(window, oper(kFirstToEndKey));
        QCOMPARE(list->shownEntries(), (QStringList{"ln", "sin", "sqrt", "tg"}));
        click(window, oper(kLastToFrontKey));
        click(window, oper(kLastToFrontKey));
        QCOMPARE(list->shownEntries(), (QStringList{"arctg", "cos", "ln", "sin"}));
        setInput(window, false, QStringLiteral("2*‸"));
        QTest::mouseClick(list, Qt::LeftButton, {}, list->entryRect(1).center());
        QCOMPARE(input(window, false), QStringLiteral("2*cos(‸)"));

        // A list shorter than its columns shows what it has; one entry does not turn.
        window.setKeypadFunctions(one);
        QCOMPARE(list->shownEntries(), QStringList{"sin"});
        QCOMPARE(list->columns(), 1);
        click(window, oper(kLastToFrontKey));
        QCOMPARE(one, std::vector<std::u16string>{u"sin"});
    }

    void menusSetTheFunctionList() {
        auto application = start();
        MainWindow& window = application->window();
        KeypadFunctionList& list = window.keypad().functionList();
        auto shown = [&](const char* name) {
            QMenu* menu = window.findChild<QMenu*>(QString::fromLatin1(name));
            emit menu->aboutToShow();
            return menu;
        };
        auto item = [](QMenu* menu, const QString& caption) -> QAction* {
            for (QAction* action : menu->actions()) {
                if (action->text() == caption) return action;
            }
            return nullptr;
        };
        QMenu* trigonometric = shown("mnuInsFuncTrigonometric");
        QAction* sine = item(trigonometric, QStringLiteral("Sin (x)"));
        QVERIFY(sine && sine->isChecked());
        sine->trigger();
        QVERIFY(!list.contains(u"sin"));
        QVERIFY(!item(shown("mnuInsFuncTrigonometric"), QStringLiteral("Sin (x)"))->isChecked());
        item(shown("mnuInsFuncAlgebraic"), QStringLiteral("LogN (x, N)"))->trigger();
        QCOMPARE(list.names().back(), u"LogN");

        // The user's functions: none yet, then the one just defined.
        QMenu* user = window.findChild<QMenu*>(QStringLiteral("mnuInsFuncUser"));
        shown("mnuKeypadFunc");
        QVERIFY(!user->isEnabled());
        setInput(window, false, QStringLiteral("f(a)=a*a‸"));
        click(window, oper(kExeKey));
        shown("mnuKeypadFunc");
        QVERIFY(user->isEnabled());
        item(shown("mnuInsFuncUser"), QStringLiteral("f(a)=a*a"))->trigger();
        QCOMPARE(list.names().back(), u"f");
        application->shutDown();

        // The list is the definitions file's.
        auto again = start();
        QCOMPARE(again->window().keypad().functionList().names(), list.names());
    }

    void autoAddingListsNewUserFunctions() {
        auto application = start();
        MainWindow& window = application->window();
        KeypadFunctionList& list = window.keypad().functionList();
        setInput(window, false, QStringLiteral("g(x)=x+1‸"));
        click(window, oper(kExeKey));
        QVERIFY(!list.contains(u"g"));
        action(window, "mnuAddUserFuncToKeypad")->trigger();
        setInput(window, false, QStringLiteral("h(x)=x+1‸"));
        click(window, oper(kExeKey));
        QCOMPARE(list.names().back(), u"h");
        const std::size_t count = list.names().size();
        setInput(window, false, QStringLiteral("h(x)=x+2‸"));
        click(window, oper(kExeKey));
        QCOMPARE(list.names().size(), count);
    }

    void displayModesShareTheWindowWithTheDocument() {
        auto application = start();
        MainWindow& window = application->window();
        auto settle = [&] { window.centralWidget()->layout()->activate(); };
        settle();
        Keypad& keypad = window.keypad();
        QVERIFY(keypad.isVisible());
        QVERIFY(action(window, "mnuFixed")->isChecked());
        const int withKeypad = window.editor().height();
        action(window, "mnuAbsent")->trigger();
        settle();
        QVERIFY(!keypad.isVisible());
        const int withoutKeypad = window.editor().height();
        QVERIFY2(withoutKeypad >= withKeypad + keypad.minimumSizeHint().height(),
                 qPrintable(QStringLiteral("%1 / %2").arg(withKeypad).arg(withoutKeypad)));
        action(window, "mnuPopUp")->trigger();
        settle();
        QCOMPARE(window.editor().height(), withoutKeypad);
        QVERIFY(!keypad.isVisible());
        QVERIFY(!action(window, "mnuFixed")->isChecked());

        // Over the option strip the keypad comes up above it, over the document.
        OptionStrip& strip = window.optionStrip();
        QCursor::setPos(strip.mapToGlobal(strip.rect().center()));
        window.updatePopUpKeypad();
        QVERIFY(keypad.isVisible());
        QCOMPARE(keypad.geometry().bottom() + 1, strip.geometry().top());
        QCOMPARE(window.editor().height(), withoutKeypad);
        QCursor::setPos(keypad.mapToGlobal(keypad.rect().center()));
        window.updatePopUpKeypad();
        QVERIFY(keypad.isVisible());
        QCursor::setPos(window.editor().mapToGlobal(QPoint(2, 2)));
        window.updatePopUpKeypad();
        QVERIFY(!keypad.isVisible());
    }

    void keypadStateSurvivesARestart() {
        {
            auto application = start();
            MainWindow& window = application->window();
            action(window, "mnuNormal")->trigger();
            action(window, "mnuCol3")->trigger();
            action(window, "mnuAddUserFuncToKeypad")->trigger();
            click(window, oper(kFirstToEndKey));
            QCOMPARE(window.keypad().key(oper(kExeKey))->tag(), QStringLiteral("do"));
            action(window, "mnuAbsent")->trigger();
            application->shutDown();
        }
        QSettings store(settingsFile(), QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Settings/Style")).toString(), QStringLiteral("0"));
        QCOMPARE(store.value(QStringLiteral("Settings/KeypadShow")).toString(),
                 QStringLiteral("3"));
        QCOMPARE(store.value(QStringLiteral("Settings/NumFuncListCol")).toString(),
                 QStringLiteral("3"));
        QCOMPARE(store.value(QStringLiteral("Settings/AddFuncToKeypad")).toString(),
                 QStringLiteral("True"));

        auto again = std::make_unique<Application>(m_folder->path(), settingsFile(), &m_messages);
        again->startUp();
        MainWindow& window = again->window();
        QCOMPARE(window.keypad().keyStyle(), KeyStyle::Normal);
        QVERIFY(action(window, "mnuNormal")->isChecked());
        QCOMPARE(window.keypadShow(), int(MainWindow::AbsentKeypad));
        QVERIFY(action(window, "mnuAbsent")->isChecked());
        QVERIFY(action(window, "mnuCol3")->isChecked());
        QVERIFY(action(window, "mnuAddUserFuncToKeypad")->isChecked());
        QCOMPARE(window.keypad().functionListView()->shownEntries(),
                 (QStringList{"ln", "sin", "sqrt"}));
    }

    // A stored mode the menu does not know checks none of its items; the keypad stays in
    // sight, and the number is kept.
    void anUnknownDisplayModeLeavesTheKeypadPresent() {
        QSettings(settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Settings/KeypadShow"), QStringLiteral("7"));
        Application application(m_folder->path(), settingsFile(), &m_messages);
        application.startUp();
        MainWindow& window = application.window();
        for (const char* name : {"mnuPopUp", "mnuFixed", "mnuAbsent"})
            QVERIFY(!action(window, name)->isChecked());
        QVERIFY(window.keypad().isVisible());
        application.shutDown();
        QCOMPARE(QSettings(settingsFile(), QSettings::IniFormat)
                     .value(QStringLiteral("Settings/KeypadShow"))
                     .toString(),
                 QStringLiteral("7"));
    }

    void keysWaitWhileALineCalculates() {
        auto application = start();
        MainWindow& window = application->window();
        const QString line = QStringLiteral("Do(x,x=0,1,999999)+FSum(x,x=1,1E7)");
        setInput(window, false, line + kCaret);
        bool clicked = false;
        QTimer::singleShot(100, [&] {
            click(window, letter(37));
            click(window, oper(kClearKey));
            clicked = true;
            QTest::keyClick(&window.editor(), Qt::Key_Escape);
        });
        click(window, oper(kExeKey));
        QVERIFY(clicked);
        QCOMPARE(window.editor().document()->firstBlock().text(), line);
    }

    // The calculations of the introduction, typed with mouse clicks alone: each character
    // is looked for on the keys as they are labelled now, switching case or layout with the
    // case key where it is not there, and each line ends with "exe".
    void theIntroductionIsCalculatedWithTheKeypadAlone_data() {
        QTest::addColumn<bool>("russian");
        QTest::addColumn<bool>("compact");
        QTest::newRow("Latin, compact keys") << false << true;
        QTest::newRow("Russian, normal keys") << true << false;
    }
    void theIntroductionIsCalculatedWithTheKeypadAlone() {
        QFETCH(bool, russian);
        QFETCH(bool, compact);
        auto application = start();
        MainWindow& window = application->window();
        action(window, compact ? "mnuCompact" : "mnuNormal")->trigger();
        if (russian) click(window, letter(kCaseKey), Qt::RightButton);
        setInput(window, false, QStringLiteral("‸"));
        const QStringList lines = {
            QStringLiteral("(1+2)*3^2-4/5"),   QStringLiteral("r=2"),
            QStringLiteral("S(r)=pi*r^2"),     QStringLiteral("S(r)"),
            QStringLiteral("5[км/ч]*2[ч]"),    QStringLiteral("100[°C]"),
            QStringLiteral("FInt(x^2,x=0,1)"), QStringLiteral("FZero(x^2-2,x=0,2)"),
        };
        auto keyFor = [&](QChar wanted) -> std::optional<std::pair<KeyRef, Qt::MouseButton>> {
            for (int index = 0; index < kLetterKeyCount; ++index) {
                for (KeyButton button : {KeyButton::Left, KeyButton::Right}) {
                    KeyAction typed = keyAction(letter(index), button, window.keypad().letters());
                    if (typed.command == KeyCommand::Type && typed.stepBack == 0 &&
                        typed.text == std::u16string(1, wanted.unicode())) {
                        return std::pair{letter(index), button == KeyButton::Left
                                                            ? Qt::LeftButton
                                                            : Qt::RightButton};
                    }
                }
            }
            return std::nullopt;
        };
        for (const QString& line : lines) {
            for (QChar c : line) {
                auto key = keyFor(c);
                // Not on the keys: the other case, the other layout, or both.
                for (int attempt = 0; !key && attempt < 3; ++attempt) {
                    click(window, letter(kCaseKey),
                          attempt == 1 ? Qt::RightButton : Qt::LeftButton);
                    key = keyFor(c);
                }
                QVERIFY2(key, qPrintable(QStringLiteral("no key types ") + c));
                click(window, key->first, key->second);
            }
            click(window, oper(kExeKey));
        }
        QCOMPARE(window.editor().toPlainText().split(u'\n'),
                 (QStringList{
                     QStringLiteral("(1+2)*3^2-4/5=26.2"), QStringLiteral("r=2"),
                     QStringLiteral("S(r)=pi*r^2"), QStringLiteral("S(r)=12.5663706143592"),
                     QStringLiteral("5[км/ч]*2[ч]=10000[м]"), QStringLiteral("100[°C]=373.15[К]"),
                     QStringLiteral("FInt(x^2,x=0,1)=0.333333333333333"),
                     QStringLiteral("FZero(x^2-2,x=0,2)=1.41421356237314"), QString()}));
    }

    void optionStripActs() {
        auto application = start();
        MainWindow& window = application->window();
        OptionStrip& strip = window.optionStrip();
        auto clickLabel = [&](OptionStrip::Index index) {
            QTest::mouseClick(strip.label(index), Qt::LeftButton);
        };
        const AngleMode mode = window.angleMode();
        clickLabel(OptionStrip::AngleMode);
        QVERIFY(window.angleMode() != mode);
        QCOMPARE(strip.label(OptionStrip::AngleMode)->text(), mode == AngleMode::Radians
                                                                  ? QStringLiteral("Градусы")
                                                                  : QStringLiteral("Радианы"));
        clickLabel(OptionStrip::Options);
        QTRY_COMPARE(QApplication::activePopupWidget(), window.optionsMenu());
        window.optionsMenu()->close();
        clickLabel(OptionStrip::Definitions);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QMenu* definitions = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QCOMPARE(definitions->objectName(), QStringLiteral("pmnuDefinitions"));
        QStringList submenus;
        for (QAction* item : definitions->actions())
            submenus << item->menu()->objectName();
        QCOMPARE(submenus, (QStringList{"mnuConstants", "mnuConversions", "mnuFormulas"}));
        definitions->close();
        clickLabel(OptionStrip::Help);
        QTRY_COMPARE(QApplication::activePopupWidget(), window.helpMenu());
        window.helpMenu()->close();
        QVERIFY(strip.label(OptionStrip::Subject)->isEnabled());
        clickLabel(OptionStrip::Hide);
        QTRY_VERIFY(window.windowState() & Qt::WindowMinimized);
    }
};

QTEST_MAIN(KeypadTest)
#include "keypad_test.moc"
