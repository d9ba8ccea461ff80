// The appearance as a user meets it, on the offscreen platform: the dialog and its panels,
// the colour picker, the dressed and undressed looks, the screen size, and what survives a
// restart.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "appearance/appearance_dialog.h"
#include "appearance/colour_picker.h"
#include "appearance/cube_view.h"
#include "appearance/text_class_panel.h"
#include "engine/message_window.h"

using namespace tally;

class AppearanceDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    AutomaticMessageWindow m_messages;

    QString settingsFile() const { return m_folder->filePath(QStringLiteral("settings.ini")); }
    QString skinsFolder() const { return m_folder->filePath(QStringLiteral("Skins")); }
    // The program folder gets the pictures the build painted.
    void giveSkins() {
        QDir(m_folder->path()).mkpath(QStringLiteral("Skins"));
        for (const QString& name : QDir(QStringLiteral(TALLY_SKINS_FOLDER)).entryList(QDir::Files))
            QFile::copy(QDir(QStringLiteral(TALLY_SKINS_FOLDER)).filePath(name),
                        QDir(skinsFolder()).filePath(name));
    }
    std::unique_ptr<Application> start() {
        auto application =
            std::make_unique<Application>(m_folder->path(), settingsFile(), &m_messages);
        application->startUp();
        return application;
    }
    void store(const QString& key, const QString& value) {
        QSettings(settingsFile(), QSettings::IniFormat).setValue(key, value);
    }
    QString stored(const QString& key) {
        return QSettings(settingsFile(), QSettings::IniFormat).value(key).toString();
    }
    static QTextCharFormat formatAt(Application& application, int position) {
        QTextCursor cursor(application.window().editor().document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    }
    static AppearanceDialog& openDialog(Application& application) {
        application.window().appearanceAction()->trigger();
        AppearanceDialog* dialog = application.window().appearanceDialog();
        Q_ASSERT(dialog);
        return *dialog;
    }
    static void click(QWidget& parent, const char* name) {
        auto* button = parent.findChild<QPushButton*>(QString::fromLatin1(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static bool frameless(Application& application) {
        return application.window().windowFlags().testFlag(Qt::FramelessWindowHint);
    }
    int skinMessages() const {
        return static_cast<int>(
            std::count_if(m_messages.shown.begin(), m_messages.shown.end(),
                          [](const std::u16string& m) { return m.starts_with(u"Tally Обложка"); }));
    }

  private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_messages.shown.clear();
    }

    void entriesShowThePanelOfTheirClass() {
        auto application = start();
        AppearanceDialog& dialog = openDialog(*application);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Настройка  внешнего  вида"));
        QVERIFY(!dialog.isModal());
        QVERIFY(!application->window().appearanceAction()->isEnabled());
        const std::pair<int, LookClass> entries[] = {{0, LookClass::CharacterKeys},
                                                     {9, LookClass::EditorText},
                                                     {2, LookClass::Function},
                                                     {12, LookClass::WindowText}};
        for (auto [position, lookClass] : entries) {
            dialog.showEntry(position);
            QCOMPARE(dialog.currentPanel()->lookClass(), lookClass);
        }
        dialog.findChild<QListWidget*>(QStringLiteral("lstClasses"))->setCurrentRow(5);
        QCOMPARE(dialog.currentPanel()->lookClass(), LookClass::Comment);
        QVERIFY(!dialog.panelOf(LookClass::Comment)->backColourButton());
        QVERIFY(dialog.panelOf(LookClass::KeyInFocus)->backColourButton());
        click(dialog, "cmdOk");
        QTRY_VERIFY(!application->window().appearanceDialog());
        QVERIFY(application->window().appearanceAction()->isEnabled());
    }

    void editingAClassRecoloursTheWholeDocument() {
        auto application = start();
        DocumentEditor& editor = application->window().editor();
        editor.clear();
        editor.insertPlainText(QStringLiteral("x=1` first\n"));
        editor.insertPlainText(QStringLiteral("2*3` second"));
        const int firstComment = 3;
        const int secondComment = 15;
        AppearanceDialog& dialog = openDialog(*application);
        TextClassPanel* comments = dialog.panelOf(LookClass::Comment);
        comments->styleBox()->setCurrentIndex(2);  // "Полужирный"
        QCOMPARE(formatAt(*application, firstComment).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(*application, secondComment).fontWeight(), int(QFont::Bold));
        QVERIFY(!application->window().appearance().isDefaultLook());

        dialog.panelOf(LookClass::Number)->sizeBox()->setCurrentText(QStringLiteral("14"));
        QCOMPARE(formatAt(*application, 2).fontPointSize(), 14.0);

        click(*comments, "cmdFontColor");
        ColourPicker* picker = dialog.colourPicker();
        QVERIFY(picker && picker->isVisible());
        QCOMPARE(picker->targetClass(), LookClass::Comment);
        QVERIFY(picker->targetIsFont());
        picker->chooseCell(4 + 25 * 4);  // red and blue full: magenta
        QCOMPARE(formatAt(*application, firstComment).foreground().color(), QColor(255, 0, 255));
        QCOMPARE(formatAt(*application, secondComment).foreground().color(), QColor(255, 0, 255));

        // Clicks on the painted cube: left takes the cell under the mouse, right zooms.
        CubeView& cube = picker->cubeView();
        QPoint point = cube.centreOf(62);
        int under = cube.cellAt(point);
        QVERIFY(under >= 0);
        QTest::mouseClick(&cube, Qt::LeftButton, {}, point);
        QCOMPARE(formatAt(*application, secondComment).foreground().color(),
                 toQColor(cube.cube().cell(under).colour));
        auto* back = picker->findChild<QPushButton*>(QStringLiteral("cmdBack"));
        QVERIFY(back->isHidden());
        QTest::mouseClick(&cube, Qt::RightButton, {}, point);
        QCOMPARE(cube.cube().level(), 1);
        QVERIFY(!back->isHidden());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(cube.cube().level(), 0);
        QVERIFY(back->isHidden());

        // Closing the dialog closes the picker with it.
        QPointer<ColourPicker> watched = picker;
        click(dialog, "cmdOk");
        QTRY_VERIFY(!watched);
    }

    void theBackColourGoesOnlyToClassesThatHaveOne() {
        auto application = start();
        Appearance& appearance = application->window().appearance();
        AppearanceDialog& dialog = openDialog(*application);
        click(*dialog.panelOf(LookClass::EditorText), "cmdBackColor");
        dialog.colourPicker()->chooseCell(0);
        QCOMPARE(appearance.look(LookClass::EditorText).backColour, 0u);
        QCOMPARE(application->window().editor().palette().color(QPalette::Base), QColor(0, 0, 0));
        StoredColour before = appearance.look(LookClass::Comment).backColour;
        dialog.colourPicker()->setTarget(LookClass::Comment, false);
        dialog.colourPicker()->chooseCell(124);
        QCOMPARE(appearance.look(LookClass::Comment).backColour, before);
        QCOMPARE(appearance.look(LookClass::Comment).fontColour, 0xFFFFFFu);
    }

    void dressingAndUndressingChangeTheFrameAndTheKeys() {
        giveSkins();
        auto application = start();
        Appearance& appearance = application->window().appearance();
        QCOMPARE(skinMessages(), 0);
        QVERIFY(appearance.dressed());
        QVERIFY(frameless(*application));
        AppearanceDialog& dialog = openDialog(*application);

        click(dialog, "cmdUndress");
        QVERIFY(!appearance.dressed());
        QVERIFY(!frameless(*application));
        QVERIFY(application->window().isVisible());
        QCOMPARE(appearance.look(LookClass::CharacterKeys).fontColour, kButtonTextColour);
        QVERIFY(!appearance.look(LookClass::CharacterKeys).bold);

        click(dialog, "cmdDress");
        QVERIFY(frameless(*application));
        QCOMPARE(appearance.look(LookClass::CharacterKeys).fontColour, 0xFFFFFFu);
        QVERIFY(appearance.look(LookClass::CharacterKeys).bold);
        QVERIFY(!appearance.isDefaultLook());

        // The chooser starts where the pictures are and walks folders; a picture chosen while
        // dressed is put on when the dialog closes.
        QCOMPARE(dialog.skinFolder(), skinsFolder());
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("lstSkins"));
        QCOMPARE(list->item(0)->text(), QStringLiteral(".."));
        emit list->itemActivated(list->item(0));
        QCOMPARE(dialog.skinFolder(), QDir(m_folder->path()).absolutePath());
        QList<QListWidgetItem*> skins = list->findItems(QStringLiteral("Skins"), Qt::MatchExactly);
        QCOMPARE(skins.size(), 1);
        emit list->itemActivated(skins.front());
        QCOMPARE(dialog.skinFolder(), skinsFolder());
        QString slate = QDir(skinsFolder()).filePath(QStringLiteral("DarkSlate.jpg"));
        list->setCurrentItem(
            list->findItems(QStringLiteral("DarkSlate.jpg"), Qt::MatchExactly).front());
        QCOMPARE(dialog.chosenSkin(), slate);
        click(dialog, "cmdOk");
        QCOMPARE(appearance.skinPath(), slate);
        QVERIFY(appearance.dressed());

        openDialog(*application);
        click(*application->window().appearanceDialog(), "cmdDefault");
        QVERIFY(appearance.isDefaultLook());
    }

    // Mouse events as the platform delivers them: to the window, at screen positions, routed
    // by Qt to the widget under the mouse or to the one holding the mouse.
    static void mouseAt(MainWindow& window, QEvent::Type type, const QPoint& global) {
        QWindow* handle = window.windowHandle();
        QPoint local = window.mapFromGlobal(global);
        if (type == QEvent::MouseButtonPress) QTest::mousePress(handle, Qt::LeftButton, {}, local);
        if (type == QEvent::MouseMove) QTest::mouseMove(handle, local);
        if (type == QEvent::MouseButtonRelease) {
            QTest::mouseRelease(handle, Qt::LeftButton, {}, local);
        }
    }

    void theDressedWindowIsDraggedByItsBody() {
        giveSkins();
        auto application = start();
        MainWindow& window = application->window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const AngleMode mode = window.angleMode();
        auto* angleKey = window.findChild<QLabel*>(QStringLiteral("lblOptions2"));
        QVERIFY(angleKey);
        // A drag that starts on the angle key moves the window and does not click the key.
        const QPoint start = window.pos();
        const QPoint pressed = angleKey->mapToGlobal(QPoint(4, 4));
        mouseAt(window, QEvent::MouseButtonPress, pressed);
        mouseAt(window, QEvent::MouseMove, pressed + QPoint(26, 20));
        mouseAt(window, QEvent::MouseMove, pressed + QPoint(60, 40));
        mouseAt(window, QEvent::MouseButtonRelease, pressed + QPoint(60, 40));
        QCOMPARE(window.pos(), start + QPoint(60, 40));
        QCOMPARE(window.angleMode(), mode);
        // A click without a drag is the key's.
        const QPoint key = angleKey->mapToGlobal(QPoint(4, 4));
        mouseAt(window, QEvent::MouseButtonPress, key);
        mouseAt(window, QEvent::MouseButtonRelease, key);
        QVERIFY(window.angleMode() != mode);
        // Without a skin the window has its frame and stays where it is.
        window.appearance().undress();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint framed = window.pos();
        const QPoint again = angleKey->mapToGlobal(QPoint(4, 4));
        mouseAt(window, QEvent::MouseButtonPress, again);
        mouseAt(window, QEvent::MouseMove, again + QPoint(60, 40));
        mouseAt(window, QEvent::MouseButtonRelease, again + QPoint(60, 40));
        QCOMPARE(window.pos(), framed);
    }

    void anUnusableSkinIsReportedOnceAndLeavesTheUndressedLook_data() {
        QTest::addColumn<QByteArray>("picture");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("GIF89a but nothing after it");
    }
    void anUnusableSkinIsReportedOnceAndLeavesTheUndressedLook() {
        QFETCH(QByteArray, picture);
        if (!picture.isEmpty()) {
            QDir(m_folder->path()).mkpath(QStringLiteral("Skins"));
            QFile file(QDir(skinsFolder()).filePath(QStringLiteral("Wood6.jpg")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(picture);
        }
        auto application = start();
        Appearance& appearance = application->window().appearance();
        QCOMPARE(skinMessages(), 1);
        QVERIFY(!appearance.dressed());
        QVERIFY(!frameless(*application));
        // The built-in classes of the look shown: plain keys keep readable labels.
        QCOMPARE(appearance.look(LookClass::CharacterKeys).fontColour, kButtonTextColour);
        QVERIFY(!appearance.dress(appearance.skinPath()));
        QCOMPARE(skinMessages(), 1);
        application->shutDown();
        QCOMPARE(stored(QStringLiteral("Settings/Skin")), QStringLiteral("False"));
    }

    void aDressedLookWithoutItsPictureKeepsTheDocumentClassesAndPlainKeys() {
        store(QStringLiteral("Settings/Skin"), QStringLiteral("True"));
        store(QStringLiteral("Settings/Default"), QStringLiteral("False"));
        store(QStringLiteral("Fonts/FontColor4"), QStringLiteral("16777215"));  // white menus
        store(QStringLiteral("Fonts/FontColor10"), QStringLiteral("255"));
        auto application = start();
        const Appearance& appearance = application->window().appearance();
        QVERIFY(!appearance.dressed());
        QCOMPARE(appearance.look(LookClass::WindowText).fontColour, kButtonTextColour);
        QCOMPARE(appearance.look(LookClass::Comment).fontColour, 0x0000FFu);
    }

    void theScreenSizeSetsTheLinesTheDocumentShows() {
        auto application = start();
        MainWindow& window = application->window();
        DocumentEditor& editor = window.editor();
        QFont tenPoint = window.appearance().resolved(LookClass::EditorText).font;
        tenPoint.setPointSize(10);
        const int line = QFontMetrics(tenPoint).lineSpacing();
        int previous = 0;
        for (int lines : {5, 9, 20}) {
            auto* item = window.screenSizeMenu()->findChild<QAction*>(
                QStringLiteral("mnuSize%1").arg(lines));
            QVERIFY(item);
            item->trigger();
            QVERIFY(item->isChecked());
            QTRY_VERIFY(editor.height() > previous);
            int shown = (editor.viewport()->height() -
                         2 * static_cast<int>(editor.document()->documentMargin())) /
                        line;
            QCOMPARE(shown, lines);
            previous = editor.height();
        }
        QCOMPARE(window.screenSizeMenu()->actions().first()->text(), QStringLiteral("&1"));
        QCOMPARE(window.screenSizeMenu()->actions().at(9)->text(), QStringLiteral("1&0"));
        QCOMPARE(window.screenSizeMenu()->actions().last()->text(), QStringLiteral("25"));
        window.screenSizeMenu()->actions().last()->trigger();
        QRect available = window.screen()->availableGeometry();
        QVERIFY(available.contains(window.frameGeometry()));
    }

    void theLookSurvivesARestart() {
        giveSkins();
        {
            auto application = start();
            Appearance& appearance = application->window().appearance();
            AppearanceDialog& dialog = openDialog(*application);
            click(dialog, "cmdUndress");
            dialog.panelOf(LookClass::Comment)->styleBox()->setCurrentIndex(1);  // "Курсив"
            appearance.setScreenNumber(7);
            application->shutDown();
        }
        QCOMPARE(stored(QStringLiteral("Settings/Skin")), QStringLiteral("False"));
        QCOMPARE(stored(QStringLiteral("Settings/Default")), QStringLiteral("False"));
        QCOMPARE(stored(QStringLiteral("Settings/ScreenNum")), QStringLiteral("7"));
        QCOMPARE(stored(QStringLiteral("Fonts/FontItalic10")), QStringLiteral("True"));

        auto again = start();
        Appearance& appearance = again->window().appearance();
        QVERIFY(!appearance.dressed());
        QVERIFY(!frameless(*again));
        QCOMPARE(appearance.screenNumber(), 7);
        QVERIFY(again->window().screenSizeMenu()->actions().at(6)->isChecked());
        QVERIFY(appearance.look(LookClass::Comment).italic);
        QVERIFY(!appearance.isDefaultLook());
    }

    void storedClassesApplyOnlyWithoutTheDefaultLook() {
        store(QStringLiteral("Settings/Skin"), QStringLiteral("False"));
        store(QStringLiteral("Settings/Default"), QStringLiteral("True"));
        store(QStringLiteral("Fonts/FontColor10"), QStringLiteral("255"));
        {
            auto application = start();
            QCOMPARE(application->window().appearance().look(LookClass::Comment).fontColour,
                     0x008000u);
            application->shutDown();
        }
        store(QStringLiteral("Settings/Default"), QStringLiteral("False"));
        store(QStringLiteral("Fonts/FontColor10"), QStringLiteral("255"));
        store(QStringLiteral("Fonts/FontSize6"), QStringLiteral("500"));
        {
            auto application = start();
            const Appearance& appearance = application->window().appearance();
            QCOMPARE(appearance.look(LookClass::Comment).fontColour, 0x0000FFu);
            QCOMPARE(appearance.look(LookClass::Number).size, 10);
            application->shutDown();
        }
        QCOMPARE(stored(QStringLiteral("Fonts/FontSize6")), QStringLiteral("10"));
    }
};

QTEST_MAIN(AppearanceDialogTest)
#include "appearance_dialog_test.moc"
