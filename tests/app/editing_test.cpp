// The Edit menu, the find dialog, undo and redo, printing, help and the window modes, used
// through the real window on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/document_printer.h"
#include "app/edit_commands.h"
#include "app/find_dialog.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/message_dialog.h"
#include "app/settings_store.h"
#include "app/tray_icon.h"
#include "app/window_modes.h"
#include "document/text_search.h"
#include "engine/message_window.h"
#include "graph/plot_window.h"

using namespace tally;

class EditingTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    AutomaticMessageWindow m_messages;
    std::unique_ptr<Application> m_application;

    MainWindow& window() { return m_application->window(); }
    DocumentEditor& editor() { return window().editor(); }
    EditCommands& commands() { return window().editCommands(); }
    QAction* action(const char* name) {
        auto* found = window().findChild<QAction*>(QString::fromLatin1(name));
        if (!found) qFatal("no action %s", name);
        return found;
    }
    // A document of `text` with the caret at `caret` and nothing selected.
    void setDocument(const QString& text, int caret = 0) {
        editor().setPlainText(text);
        window().resetUndoHistory();
        placeCaret(caret);
    }
    void placeCaret(int caret, int selected = 0) {
        QTextCursor cursor = editor().textCursor();
        cursor.setPosition(caret);
        cursor.setPosition(caret + selected, QTextCursor::KeepAnchor);
        editor().setTextCursor(cursor);
    }
    void useCommaRegion(bool convert) {
        m_application->driver().options().decimalPointIsDot = false;
        window().convertSeparatorsAction()->setChecked(convert);
    }
    QString text() { return editor().toPlainText(); }
    QString selection() { return editor().textCursor().selectedText(); }
    int selectionStart() { return editor().textCursor().selectionStart(); }
    QColor colourAt(int position) {
        QTextCursor cursor(editor().document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().foreground().color();
    }
    FindDialog& openFind(const QString& findText) {
        action("mnuEditFind")->trigger();
        FindDialog* dialog = commands().findDialog();
        if (!dialog) qFatal("no find dialog");
        dialog->findField()->setText(findText);
        return *dialog;
    }

  private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_messages.shown.clear();
        m_application = std::make_unique<Application>(
            m_folder->path(), m_folder->filePath(QStringLiteral("settings.ini")), &m_messages);
        m_application->startUp();
        // What start-up had to say (a missing skin picture) is not what these tests look at.
        m_messages.shown.clear();
        editor().setFocus();
    }
    void cleanup() { m_application.reset(); }

    void editMenuHasItsItemsInBothMenus() {
        const QStringList expected = {
            QStringLiteral("Отменить"),     QStringLiteral("Восстановить"),
            QStringLiteral("Вырезать"),     QStringLiteral("Копировать"),
            QStringLiteral("Вставить"),     QStringLiteral("Удалить"),
            QStringLiteral("Выделить все"), QStringLiteral("Найти"),
            QStringLiteral("Найти далее"),  QStringLiteral("Заменить"),
            QStringLiteral("Печать")};
        for (const char* name : {"mnuEdit", "pmnuEdit"}) {
            auto* menu = window().findChild<QMenu*>(QString::fromLatin1(name));
            QVERIFY(menu);
            QStringList captions;
            for (QAction* item : menu->actions()) {
                if (!item->isSeparator()) captions << item->text();
            }
            QCOMPARE(captions, expected);
        }
        QCOMPARE(window().menuBar()->actions().value(1)->text(), QStringLiteral("Правка"));
    }

    // Copy converts to the clipboard's notation, paste converts back, in both regions.
    void clipboardConversion_data() {
        QTest::addColumn<bool>("commaRegion");
        QTest::addColumn<bool>("convert");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("comma region, converting") << true << true << QStringLiteral("f(1,5; 2)");
        QTest::newRow("comma region, not converting")
            << true << false << QStringLiteral("f(1.5, 2)");
        QTest::newRow("point region, option on") << false << true << QStringLiteral("f(1.5, 2)");
    }
    void clipboardConversion() {
        QFETCH(bool, commaRegion);
        QFETCH(bool, convert);
        QFETCH(QString, clipboard);
        m_application->driver().options().decimalPointIsDot = !commaRegion;
        window().convertSeparatorsAction()->setChecked(convert);
        setDocument(QStringLiteral("f(1.5, 2)"));
        action("mnuEditSelectAll")->trigger();
        action("mnuEditCopy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), clipboard);
        setDocument(QString());
        action("mnuEditPaste")->trigger();
        QCOMPARE(text(), QStringLiteral("f(1.5, 2)"));
    }

    void documentKeysGoThroughTheCommands() {
        useCommaRegion(true);
        setDocument(QStringLiteral("x=1.5"));
        QTest::keyClick(&editor(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selection(), QStringLiteral("x=1.5"));
        QTest::keyClick(&editor(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("x=1,5"));
        QTest::keyClick(&editor(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text(), QString());
        QTest::keyClick(&editor(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text(), QStringLiteral("x=1.5"));
        QTest::keyClick(&editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), QString());
    }

    // A paste brings plain text only, and every pasted line is coloured.
    void pastedLinesAreColoured() {
        setDocument(QString());
        QApplication::clipboard()->setText(QStringLiteral("Sin(x)\r\n` note"));
        action("mnuEditPaste")->trigger();
        QCOMPARE(text(), QStringLiteral("Sin(x)\n` note"));
        QCOMPARE(colourAt(0), QColor(0x80, 0x40, 0x00));
        QCOMPARE(colourAt(8), QColor(0x00, 0x80, 0x00));
    }

    void cutDeleteAndEmptySelections() {
        setDocument(QStringLiteral("2+3*4"), 1);
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        action("mnuEditCopy")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
        placeCaret(1, 2);
        action("mnuEditCut")->trigger();
        QCOMPARE(text(), QStringLiteral("2*4"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("+3"));
        placeCaret(1, 1);
        action("mnuEditDelete")->trigger();
        QCOMPARE(text(), QStringLiteral("24"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("+3"));
    }

    // Forward: first, second, the question in the decimal field, the first again.
    void findStepsWrapWithAQuestion() {
        setDocument(QStringLiteral("ab ab"));
        FindDialog& dialog = openFind(QStringLiteral("ab"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Поиск"));
        QLineEdit* decimal = window().resultBox()->lineEdit();
        const QList<int> expected = {0, 3, 3, 0};
        for (int i = 0; i < expected.size(); ++i) {
            decimal->clear();
            dialog.findButton()->click();
            QCOMPARE(selectionStart(), expected[i]);
            QCOMPARE(selection(), QStringLiteral("ab"));
            QCOMPARE(decimal->text(),
                     i == 2 ? QStringLiteral("Продолжить с начала текста?") : QString());
        }
        QVERIFY(commands().editorIdle());
    }

    void findDialogTakesTheSelectionAndKeepsItsTextOnClosing() {
        setDocument(QStringLiteral("Sin(x)+sin(y)"));
        placeCaret(7, 3);
        action("mnuEditFind")->trigger();
        FindDialog* dialog = commands().findDialog();
        QCOMPARE(dialog->findField()->text(), QStringLiteral("sin"));
        dialog->findButton()->click();
        // Opened on the selection, the step looks beyond it and wraps.
        QCOMPARE(window().resultBox()->lineEdit()->text(),
                 QStringLiteral("Продолжить с начала текста?"));
        // The case box counts from the next step on, before the dialog is closed.
        dialog->findChild<QCheckBox*>(QStringLiteral("chkMatchCase"))->setChecked(true);
        dialog->findButton()->click();
        QCOMPARE(selectionStart(), 7);
        dialog->close();
        QCOMPARE(commands().search().findText, std::u16string(u"sin"));
        QVERIFY(commands().search().matchCase);
        // Find Next goes on without the dialog.
        placeCaret(0);
        action("mnuEditFindNext")->trigger();
        QCOMPARE(selectionStart(), 7);
        QVERIFY(!dialog->isVisible());
    }

    void findNextWithoutSearchTextOpensTheDialog() {
        setDocument(QStringLiteral("abc"));
        action("mnuEditFindNext")->trigger();
        QVERIFY(commands().findDialog());
        QVERIFY(commands().findDialog()->isVisible());
        QVERIFY(!commands().findDialog()->findButton()->isEnabled());
    }

    void replaceRevealsItsFieldThenReplacesMatchesOnly() {
        setDocument(QStringLiteral("x+x*y"));
        FindDialog& dialog = openFind(QStringLiteral("x"));
        QVERIFY(dialog.replaceHidden());
        dialog.replaceButton()->click();
        QVERIFY(!dialog.replaceHidden());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Заменить"));
        QCOMPARE(text(), QStringLiteral("x+x*y"));
        dialog.replaceField()->setText(QStringLiteral("Sin(t)"));
        // Nothing selected yet: the press only finds.
        dialog.replaceButton()->click();
        QCOMPARE(selectionStart(), 0);
        dialog.replaceButton()->click();
        QCOMPARE(text(), QStringLiteral("Sin(t)+x*y"));
        QCOMPARE(selection(), QStringLiteral("x"));
        // The replaced line is coloured again: "Sin" is a function name.
        QCOMPARE(colourAt(0), QColor(0x80, 0x40, 0x00));
        // A selection that is not the search text is never replaced.
        placeCaret(9, 1);
        dialog.replaceButton()->click();
        QCOMPARE(text(), QStringLiteral("Sin(t)+x*y"));
    }

    // Searching backwards, a replacement that holds the search text is not searched again.
    void backwardReplacementGoesOnBeforeItself() {
        setDocument(QStringLiteral("a a"), 3);
        FindDialog& dialog = openFind(QStringLiteral("a"));
        dialog.findChild<QRadioButton*>(QStringLiteral("optBackward"))->click();
        dialog.replaceButton()->click();
        dialog.replaceField()->setText(QStringLiteral("aa"));
        dialog.replaceButton()->click();
        QCOMPARE(selectionStart(), 0);
        dialog.replaceButton()->click();
        QCOMPARE(text(), QStringLiteral("aa a"));
        QCOMPARE(window().resultBox()->lineEdit()->text(),
                 QStringLiteral("Продолжить с начала текста?"));
        dialog.replaceButton()->click();
        QCOMPARE(selectionStart(), 3);
        dialog.replaceButton()->click();
        QCOMPARE(text(), QStringLiteral("aa aa"));
    }

    void mnuEditReplaceOpensInReplaceMode() {
        setDocument(QStringLiteral("a"));
        action("mnuEditReplace")->trigger();
        QVERIFY(commands().findDialog()->replaceField()->isVisible());
    }

    // Typing, deleting and undoing through the real editor: text and colours come back.
    void undoAndRedoRestoreTextAndColour() {
        setDocument(QString());
        QTest::keyClicks(&editor(), QStringLiteral("Sin(x)"));
        QCOMPARE(colourAt(0), QColor(0x80, 0x40, 0x00));
        QCOMPARE(commands().history().history().undoCount(), std::size_t{6});
        // The caret moves back; Delete removes the "(" after it.
        placeCaret(3);
        QTest::keyClick(&editor(), Qt::Key_Delete);
        QCOMPARE(text(), QStringLiteral("Sinx)"));
        action("mnuEditUndo")->trigger();
        QCOMPARE(text(), QStringLiteral("Sin(x)"));
        QCOMPARE(colourAt(0), QColor(0x80, 0x40, 0x00));
        action("mnuEditUndo")->trigger();
        QCOMPARE(text(), QStringLiteral("Sin(x"));
        action("mnuEditRedo")->trigger();
        action("mnuEditRedo")->trigger();
        QCOMPARE(text(), QStringLiteral("Sinx)"));
        QVERIFY(!action("mnuEditRedo")->isEnabled());
        // A new change after an undo empties the redo list.
        action("mnuEditUndo")->trigger();
        QVERIFY(action("mnuEditRedo")->isEnabled());
        QTest::keyClick(&editor(), Qt::Key_End);
        QTest::keyClicks(&editor(), QStringLiteral("+1"));
        QVERIFY(!action("mnuEditRedo")->isEnabled());
        QCOMPARE(text(), QStringLiteral("Sin(x)+1"));
    }

    void undoStopsAtTheLimitAndAtTheLoadedDocument() {
        setDocument(QStringLiteral("loaded"), 6);
        QVERIFY(!action("mnuEditUndo")->isEnabled());
        QTest::keyClicks(&editor(), QStringLiteral("abcdefghijklmnopqrstu"));
        int undone = 0;
        while (action("mnuEditUndo")->isEnabled()) {
            action("mnuEditUndo")->trigger();
            ++undone;
        }
        QCOMPARE(undone, 20);
        QCOMPARE(text(), QStringLiteral("loadeda"));
    }

    // Colouring changes formats only: it never becomes a change to undo.
    void calculationIsUndoneStepByStep() {
        setDocument(QString());
        QTest::keyClicks(&editor(), QStringLiteral("2+3"));
        QTest::keyClick(&editor(), Qt::Key_Return);
        QCOMPARE(text(), QStringLiteral("2+3=5\n"));
        const std::size_t typed = 3;
        QVERIFY(commands().history().history().undoCount() > typed);
        while (text() != QStringLiteral("2+3"))
            action("mnuEditUndo")->trigger();
        QCOMPARE(commands().history().history().undoCount(), typed);
    }

    void commandsWaitWhileTheEditorIsBusy() {
        const QString line = QStringLiteral("FSum(x,x=1,1E8)");
        setDocument(line, static_cast<int>(line.size()));
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        bool sawBusy = false;
        QTimer::singleShot(50, this, [&] {
            sawBusy = !commands().editorIdle();
            placeCaret(0, 4);
            action("mnuEditDelete")->trigger();
            action("mnuEditPaste")->trigger();
            action("mnuEditUndo")->trigger();
            QTest::keyClick(&editor(), Qt::Key_Escape);
        });
        QTest::keyClick(&editor(), Qt::Key_Return);
        QVERIFY(sawBusy);
        QVERIFY(text().startsWith(line));
        QVERIFY(!text().contains(QStringLiteral("pasted")));
        QVERIFY(commands().editorIdle());
    }

    void printsTheDocumentIntoAPdf() {
        setDocument(QStringLiteral("2+3=5\nSin(x)"));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder->filePath(QStringLiteral("out.pdf")));
        QVERIFY(commands().printer().printOn(printer));
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);
        printer.setOutputFileName(m_folder->filePath(QStringLiteral("missing/folder/out.pdf")));
        QVERIFY(!commands().printer().printOn(printer));
    }

    void toolTipIsCutTo63Characters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("program's tooltip")
            << QStringLiteral("Tally Калькулятор") << QStringLiteral("Tally Калькулятор");
        QTest::newRow("63") << QString(63, u'я') << QString(63, u'я');
        QTest::newRow("64") << QString(64, u'я') << QString(63, u'я');
        QTest::newRow("empty") << QString() << QString();
    }
    void toolTipIsCutTo63Characters() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(TrayIcon::cutToolTip(text), shown);
    }

    void clickCodesOfTheNotificationArea_data() {
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("code");
        QTest::newRow("left click") << int(QSystemTrayIcon::Trigger) << 2;
        QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << 3;
        QTest::newRow("right click") << int(QSystemTrayIcon::Context) << 5;
        QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << 0;
        QTest::newRow("unknown") << int(QSystemTrayIcon::Unknown) << 0;
    }
    void clickCodesOfTheNotificationArea() {
        QFETCH(int, reason);
        QFETCH(int, code);
        auto click = TrayIcon::clickOf(static_cast<QSystemTrayIcon::ActivationReason>(reason));
        QCOMPARE(click ? int(*click) : 0, code);
    }

    void closeBoxHidesToTheNotificationAreaAndTheIconBringsTheWindowBack() {
        WindowModes& modes = window().windowModes();
        modes.setTrayAvailability([] { return true; });
        QCOMPARE(modes.trayIcon().toolTipText(), QStringLiteral("Tally Калькулятор"));
        setDocument(QStringLiteral("2+3=5"));
        FindDialog& dialog = openFind(QStringLiteral("3"));
        QSignalSpy exits(&window(), &MainWindow::exitRequested);
        QSignalSpy hidden(&window(), &MainWindow::hiddenToTray);
        QVERIFY(window().close() == false);
        QVERIFY(window().isHidden());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(exits.count(), 0);
        QCOMPARE(hidden.count(), 1);
        emit modes.trayIcon().onIcon(TrayIcon::LeftButtonUp);
        QVERIFY(window().isVisible());
        QCOMPARE(text(), QStringLiteral("2+3=5"));
        // The tray menu's Exit ends the program: the window then lets itself be closed.
        modes.trayIcon().exitAction()->trigger();
        QCOMPARE(exits.count(), 1);
        QVERIFY(window().close());
        QCOMPARE(exits.count(), 1);
    }

    void closeBoxEndsTheProgramWithoutANotificationArea() {
        window().windowModes().setTrayAvailability([] { return false; });
        QSignalSpy exits(&window(), &MainWindow::exitRequested);
        // Hiding would leave no way back: the keypad's "X" minimises instead.
        window().hideToTray();
        QVERIFY(window().isMinimized());
        QCOMPARE(exits.count(), 0);
        window().close();
        QCOMPARE(exits.count(), 1);
    }

    void alwaysOnTopKeepsThePlaceAndToolWindowsFollow() {
        window().show();
        window().setGeometry(100, 120, 640, 480);
        QRect before = window().geometry();
        QSignalSpy changes(&window(), &MainWindow::alwaysOnTopChanged);
        action("mnuAlwaysOnTop")->trigger();
        QVERIFY(window().isAlwaysOnTop());
        QVERIFY(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window().isVisible());
        QCOMPARE(window().geometry(), before);
        QCOMPARE(changes.count(), 1);
        FindDialog& dialog = openFind(QStringLiteral("x"));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        action("mnuAlwaysOnTop")->trigger();
        QVERIFY(!window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void thePlotWindowGoesAndComesWithTheMainWindow() {
        WindowModes& modes = window().windowModes();
        modes.setTrayAvailability([] { return true; });
        window().show();
        setDocument(QStringLiteral("FPlot(x,x=0,1)"));
        QTest::keyClick(&editor(), Qt::Key_Return);
        PlotWindow* plot = window().plotWindow().window();
        QVERIFY(plot && plot->isVisible());
        action("mnuAlwaysOnTop")->trigger();
        QVERIFY(plot->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        window().hideToTray();
        QVERIFY(!plot->isVisible());
        // A double click on the icon asks for the plot window.
        emit modes.trayIcon().onIcon(TrayIcon::LeftDoubleClick);
        QVERIFY(plot->isVisible());
        action("mnuAlwaysOnTop")->trigger();
        QVERIFY(!plot->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void silencedMessageTitleAnswersContinueAndIsKept() {
        MessageDialog dialog(nullptr);
        // Tick the box and answer "Отменить".
        QTimer::singleShot(0, [] {
            QWidget* shown = QApplication::activeModalWidget();
            QVERIFY(shown);
            shown->findChild<QCheckBox*>(QStringLiteral("chkDontShowAgain"))->setChecked(true);
            for (auto* button : shown->findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("Отменить")) button->click();
            }
        });
        MessageWindow::Reply first = dialog.show(u"Tally Ошибка размерности", u"вопрос", true);
        QVERIFY(!first.proceed);
        QVERIFY(first.dontShowAgain);
        QCOMPARE(dialog.suppressedTitle(), QStringLiteral("Tally Ошибка размерности"));
        // Not shown again: a question of that title goes on.
        MessageWindow::Reply again = dialog.show(u"Tally Ошибка размерности", u"другой", true);
        QVERIFY(again.proceed);

        WindowSettings settings;
        settings.suppressedMessage = dialog.suppressedTitle();
        QSettings store(m_folder->filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
        SettingsStore::write(store, settings, false);
        WindowSettings read;
        SettingsStore::read(store, read);
        QCOMPARE(read.suppressedMessage, QStringLiteral("Tally Ошибка размерности"));
    }

    void helpWindowShowsContentsAndSearches() {
        HelpWindow help;
        QString error;
        QVERIFY(help.load(QStringLiteral(TALLY_HELP_DIR), error));
        QVERIFY(help.contents()->count() >= 8);
        QCOMPARE(help.currentPage(), QStringLiteral("index.html"));
        QStringList gamma = help.pagesContaining(QStringLiteral("gamma"));
        QVERIFY(gamma.contains(QStringLiteral("functions.html")));
        QVERIFY(!gamma.contains(QStringLiteral("files.html")));
        help.searchField()->setText(QStringLiteral("Gamma"));
        int shown = 0;
        for (int i = 0; i < help.contents()->count(); ++i)
            shown += help.contents()->item(i)->isHidden() ? 0 : 1;
        QCOMPARE(shown, gamma.size());
        QTest::keyClick(help.searchField(), Qt::Key_Return);
        QCOMPARE(help.browser()->textCursor().selectedText().toLower(), QStringLiteral("gamma"));
        QVERIFY(help.pagesContaining(QStringLiteral("несуществующее слово")).isEmpty());
    }

    void missingHelpIsReportedByTheMessageWindow() {
        // The temporary program folder has no help beside it.
        window().findChild<QAction*>(QStringLiteral("mnuHelpHelp"))->trigger();
        QVERIFY(!m_application->helpWindow());
        QCOMPARE(m_messages.shown.size(), std::size_t{1});
        QVERIFY(
            m_messages.shown.front().starts_with(u" Tally Не удается прочитать файл справки: "));
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
