// The window as a user meets it, on the offscreen platform: typing and Enter, colours,
// menus, settings and what survives a restart.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "appearance/text_classes.h"
#include "engine/message_window.h"

using namespace tally;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    AutomaticMessageWindow m_messages;

    QString settingsFile() const { return m_folder->filePath(QStringLiteral("settings.ini")); }
    std::unique_ptr<Application> start() {
        auto application =
            std::make_unique<Application>(m_folder->path(), settingsFile(), &m_messages);
        application->startUp();
        return application;
    }
    static DocumentEditor& editorOf(Application& application) {
        return application.window().editor();
    }
    static void type(Application& application, const QString& line) {
        DocumentEditor& editor = editorOf(application);
        editor.setFocus();
        // Key events carry ASCII only; other characters arrive as typed text.
        bool ascii =
            std::all_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii) {
            QTest::keyClicks(&editor, line);
        } else {
            editor.insertPlainText(line);
        }
        QTest::keyClick(&editor, Qt::Key_Return);
    }
    static QStringList lines(Application& application) {
        return editorOf(application).toPlainText().split(u'\n');
    }
    static QAction* findAction(QMenu* menu, const QString& prefix) {
        for (QAction* action : menu->actions()) {
            if (action->menu()) {
                if (QAction* found = findAction(action->menu(), prefix)) return found;
            } else if (action->text().startsWith(prefix)) {
                return action;
            }
        }
        return nullptr;
    }
    static QColor colourAt(Application& application, int position) {
        QTextCursor cursor(editorOf(application).document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    }

  private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    void firstRunStartsWithDefaults() {
        auto application = start();
        MainWindow& window = application->window();
        QCOMPARE(window.windowTitle(), QStringLiteral("Калькулятор"));
        QCOMPARE(window.angleMode(), AngleMode::Radians);
        QVERIFY(window.useDimensionsAction()->isChecked());
        QVERIFY(!window.resultToClipboardAction()->isChecked());
        QCOMPARE(application->engine().ans(), 0.0);
        QCOMPARE(window.resultBox()->lineEdit()->placeholderText(),
                 QStringLiteral("Дополнительныe вычисления"));
    }

    // Installed, the program reads its introduction from <prefix>/share/tally.
    void installedProgramShowsTheIntroductionFromItsDataFolder() {
        QDir root(m_folder->path());
        QVERIFY(root.mkpath(QStringLiteral("prefix/bin")));
        QVERIFY(root.mkpath(QStringLiteral("prefix/share/tally")));
        QFile introduction(root.filePath(QStringLiteral("prefix/share/tally/Introduction.rtf")));
        QVERIFY(introduction.open(QIODevice::WriteOnly));
        introduction.write("{\\rtf1\\ansi Installed introduction\\par}");
        introduction.close();
        // An installed program keeps the user's work in the per-user folder, not in bin.
        const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("data")).toUtf8());
        Application application(root.filePath(QStringLiteral("prefix/bin")), settingsFile(),
                                &m_messages);
        application.startUp();
        QCOMPARE(lines(application).value(0), QStringLiteral("Installed introduction"));
        QCOMPARE(application.dataFolder(), root.filePath(QStringLiteral("data/Tally")));
        application.shutDown();
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("data/Tally/Calculations.rtf"))));
        QVERIFY(!QFile::exists(root.filePath(QStringLiteral("prefix/bin/Calculations.rtf"))));
        qputenv("XDG_DATA_HOME", savedDataHome);
    }

    void enterWritesTheResultAndOpensANewLine() {
        auto application = start();
        editorOf(*application).clear();
        type(*application, QStringLiteral("2+3"));
        type(*application, QStringLiteral("x=2+y"));
        type(*application, QStringLiteral("2+2=5"));
        QStringList text = lines(*application);
        QCOMPARE(text.value(0), QStringLiteral("2+3=5"));
        QCOMPARE(text.value(1), QStringLiteral("x=2+y"));
        QCOMPARE(text.value(2), QStringLiteral("x=2"));
        QCOMPARE(text.value(3), QStringLiteral("2+2=5"));
        QCOMPARE(text.value(4), QStringLiteral("4<5"));
        QCOMPARE(text.value(5), QString());
        QCOMPARE(application->window().variablesBox()->count(), 1);
    }

    void syntaxErrorIsShownInTheDecimalField() {
        auto application = start();
        editorOf(*application).clear();
        type(*application, QStringLiteral("2+*3"));
        QCOMPARE(application->window().resultBox()->lineEdit()->text(),
                 QStringLiteral("Синтаксическая ошибка"));
        QCOMPARE(lines(*application).value(0), QStringLiteral("2+*3"));
    }

    void linesAreColouredByClass() {
        auto application = start();
        editorOf(*application).clear();
        editorOf(*application).insertPlainText(QStringLiteral("Sin(x)+2[м]` note"));
        QColor function = colourAt(*application, 0);
        QColor identifier = colourAt(*application, 4);
        QColor number = colourAt(*application, 7);
        QColor unit = colourAt(*application, 9);
        QColor comment = colourAt(*application, 13);
        QCOMPARE(function, QColor(0x80, 0x40, 0x00));
        QCOMPARE(identifier, QColor(0x00, 0x00, 0xC0));
        QCOMPARE(number, QColor(0x00, 0x00, 0xC0));
        QCOMPARE(unit, QColor(0x40, 0x40, 0x40));
        QCOMPARE(comment, QColor(0x00, 0x80, 0x00));
        QVERIFY(QTextCursor(editorOf(*application).document()).charFormat().fontWeight() >= 0);
        // A syntax error colours the rest of the line.
        editorOf(*application).clear();
        QTest::keyClicks(&editorOf(*application), QStringLiteral("2+*3"));
        QCOMPARE(colourAt(*application, 2), QColor(0xFF, 0x00, 0x00));
        QCOMPARE(colourAt(*application, 3), QColor(0xFF, 0x00, 0x00));
        // Text typed into the middle of a comment is comment too, though the characters
        // around it already had the comment's colour.
        editorOf(*application).clear();
        editorOf(*application).insertPlainText(QStringLiteral("` ab cd"));
        QTextCursor middle = editorOf(*application).textCursor();
        middle.setPosition(4);
        editorOf(*application).setTextCursor(middle);
        QTest::keyClicks(&editorOf(*application), QStringLiteral("7*6"));
        for (int position = 4; position < 7; ++position)
            QCOMPARE(colourAt(*application, position), QColor(0x00, 0x80, 0x00));
    }

    void menusInsertAtTheCaret() {
        auto application = start();
        DocumentEditor& editor = editorOf(*application);
        editor.clear();
        QMenuBar* bar = application->window().menuBar();
        QMenu* constants = bar->findChild<QMenu*>(QStringLiteral("mnuConstants"));
        QVERIFY(constants);
        QAction* euler = findAction(constants, QStringLiteral("Эйлерова"));
        QVERIFY(euler);
        euler->trigger();
        QCOMPARE(editor.toPlainText(), QStringLiteral("0.57721566490"));
        QMenu* functions = bar->findChild<QMenu*>(QStringLiteral("mnuFunctions"));
        QAction* logN = findAction(functions, QStringLiteral("LogN"));
        QVERIFY(logN);
        logN->trigger();
        QCOMPARE(editor.toPlainText(), QStringLiteral("0.57721566490LogN(,)"));
        QMenu* units = bar->findChild<QMenu*>(QStringLiteral("mnuConversions"));
        QAction* kilometre = findAction(units, QStringLiteral("кило...  км"));
        QVERIFY(kilometre);
        kilometre->trigger();
        QVERIFY(editor.toPlainText().endsWith(QStringLiteral("км")));
    }

    void optionsChangeTheCalculation() {
        auto application = start();
        editorOf(*application).clear();
        application->window().setAngleMode(AngleMode::Degrees);
        type(*application, QStringLiteral("Sin(30)"));
        QCOMPARE(lines(*application).value(0), QStringLiteral("Sin(30)=0.5"));
        application->window().useDimensionsAction()->setChecked(false);
        type(*application, QStringLiteral("2[м]+3[с]"));
        QCOMPARE(lines(*application).value(1), QStringLiteral("2[м]+3[с]=5"));
    }

    void settingsAndWorkSurviveARestart() {
        {
            auto application = start();
            editorOf(*application).clear();
            type(*application, QStringLiteral("f(a)=a*a"));
            type(*application, QStringLiteral("v=f(3)+1"));
            application->window().setAngleMode(AngleMode::Degrees);
            application->window().resultToClipboardAction()->setChecked(true);
            application->shutDown();
        }
        QSettings store(settingsFile(), QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Settings/Angles")).toString(),
                 QStringLiteral("Градусы"));
        QCOMPARE(store.value(QStringLiteral("Settings/Clipboard")).toString(),
                 QStringLiteral("True"));
        QCOMPARE(store.value(QStringLiteral("Settings/Ans")).toDouble(), 10.0);

        auto again = start();
        QCOMPARE(again->window().angleMode(), AngleMode::Degrees);
        QVERIFY(again->window().resultToClipboardAction()->isChecked());
        QCOMPARE(again->engine().ans(), 10.0);
        QCOMPARE(lines(*again).value(0), QStringLiteral("f(a)=a*a"));
        editorOf(*again).moveCursor(QTextCursor::End);
        type(*again, QStringLiteral("f(4)+v"));
        QVERIFY(lines(*again).contains(QStringLiteral("f(4)+v=26")));
    }

    void oldEnglishAngleSettingIsCarriedOver() {
        {
            QSettings store(settingsFile(), QSettings::IniFormat);
            store.setValue(QStringLiteral("Settings/Angles"), QStringLiteral("Degrees"));
            store.setValue(QStringLiteral("Settings/FontColor7"), QStringLiteral("not a number"));
        }
        auto application = start();
        QCOMPARE(application->window().angleMode(), AngleMode::Degrees);
        application->shutDown();
        QSettings store(settingsFile(), QSettings::IniFormat);
        QCOMPARE(store.value(QStringLiteral("Settings/Angles")).toString(),
                 QStringLiteral("Градусы"));
    }

    // While a line is calculated, typing and clicking reach nothing: the line stays as it
    // was, the pointer shows the program busy, and Esc still stops it.
    void inputWaitsWhileALineIsCalculated() {
        auto application = start();
        editorOf(*application).clear();
        bool busy = false;
        QTimer::singleShot(60, [&] {
            busy = QApplication::overrideCursor() &&
                   QApplication::overrideCursor()->shape() == Qt::BusyCursor;
            QTest::keyClicks(&editorOf(*application), QStringLiteral("123"));
            QTest::keyClick(&editorOf(*application), Qt::Key_Return);
            QTest::keyClick(&editorOf(*application), Qt::Key_Escape);
        });
        type(*application, QStringLiteral("Do(x,x=0,1,900000)"));
        QVERIFY(busy);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(lines(*application).value(0), QStringLiteral("Do(x,x=0,1,900000)"));
        QCOMPARE(lines(*application).size(), 2);
    }

    // The decimal field takes what is typed as it stands, and an entry the list holds in any
    // spelling is not added twice.
    void decimalFieldNeitherCompletesNorRepeats() {
        auto application = start();
        MainWindow& window = application->window();
        QVERIFY(window.resultBox()->completer() == nullptr);
        editorOf(*application).clear();
        type(*application, QStringLiteral("255"));
        QLineEdit* field = window.resultBox()->lineEdit();
        for (const QString& entry :
             {QStringLiteral("Hex"), QStringLiteral("hex"), QStringLiteral("Hex(Ans)=FF"),
              QStringLiteral("Ans*2"), QStringLiteral("ANS*2")}) {
            field->setFocus();
            field->setText(entry);
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(window.resultBox()->count(), 2);
        QCOMPARE(window.resultBox()->itemText(0), QStringLiteral("ANS*2=510"));
        QCOMPARE(window.resultBox()->itemText(1), QStringLiteral("Hex(Ans)=FF"));
        // Edited text is ordinary text, in the document's colour, not a message's.
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("+1"));
        QVERIFY(field->styleSheet().contains(
            window.appearance().resolved(LookClass::EditorText).colour.name()));
    }

    void theAssignedVariableIsShown() {
        auto application = start();
        editorOf(*application).clear();
        type(*application, QStringLiteral("a=1"));
        type(*application, QStringLiteral("b=2"));
        QCOMPARE(application->window().variablesBox()->currentText(), QStringLiteral("b=2"));
        type(*application, QStringLiteral("a=a+5"));
        QCOMPARE(application->window().variablesBox()->currentText(), QStringLiteral("a=6"));
    }

    // After a restart the variables keep their order, the added calculations are there for
    // the kept result, and the caret is in view.
    void listsAndCaretComeBackAfterARestart() {
        {
            auto application = start();
            editorOf(*application).clear();
            for (int i = 0; i < 60; ++i)
                type(*application, QStringLiteral("v%1=%1").arg(i));
            type(*application, QStringLiteral("255"));
            QLineEdit* field = application->window().resultBox()->lineEdit();
            field->setFocus();
            field->setText(QStringLiteral("Hex"));
            QTest::keyClick(field, Qt::Key_Return);
            application->shutDown();
        }
        auto again = start();
        MainWindow& window = again->window();
        QComboBox* variables = window.variablesBox();
        QCOMPARE(variables->count(), 60);
        QCOMPARE(variables->itemText(0), QStringLiteral("v0=0"));
        QCOMPARE(variables->itemText(59), QStringLiteral("v59=59"));
        QCOMPARE(window.resultBox()->count(), 1);
        QCOMPARE(window.resultBox()->itemText(0), QStringLiteral("Hex(Ans)=FF"));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        DocumentEditor& editor = editorOf(*again);
        QVERIFY(editor.viewport()->rect().contains(editor.cursorRect().center()));
    }

    // Radians exactly for the Russian word (or the English one of older stores).
    void angleSettingText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("radians");
        QTest::newRow("russian") << QStringLiteral("Радианы") << true;
        QTest::newRow("older english") << QStringLiteral("Radians") << true;
        QTest::newRow("degrees") << QStringLiteral("Градусы") << false;
        QTest::newRow("lower case") << QStringLiteral("радианы") << false;
        QTest::newRow("english lower case") << QStringLiteral("radians") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void angleSettingText() {
        QFETCH(QString, text);
        QFETCH(bool, radians);
        QCOMPARE(angleModeFromText(text) == AngleMode::Radians, radians);
    }

    void escCancelsALongCalculation() {
        auto application = start();
        editorOf(*application).clear();
        QTimer::singleShot(100, [&] { QTest::keyClick(&editorOf(*application), Qt::Key_Escape); });
        type(*application, QStringLiteral("Do(x,x=0,1,900000)+FSum(x,x=1,1E7)"));
        QCOMPARE(application->window().resultBox()->lineEdit()->text(),
                 QStringLiteral("Вычисление прервано"));
        type(*application, QStringLiteral("1+1"));
        QVERIFY(lines(*application).contains(QStringLiteral("1+1=2")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
