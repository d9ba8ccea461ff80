// The definitions editor, the removal dialog, the units list and the help subjects as a
// user meets them, on the offscreen platform.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/definitions_dialog.h"
#include "app/definitions_dialogs.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/removal_dialog.h"
#include "app/subject_menus.h"
#include "app/units_list_window.h"
#include "appearance/subject_path_dialog.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "session/session.h"

using namespace tally;

class DefinitionsWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    AutomaticMessageWindow m_messages;

    std::unique_ptr<Application> start() {
        auto application = std::make_unique<Application>(
            m_folder->path(), m_folder->filePath(QStringLiteral("settings.ini")), &m_messages);
        application->startUp();
        return application;
    }
    static DocumentEditor& editorOf(Application& application) {
        return application.window().editor();
    }
    // Types a line into an empty document and calculates it.
    static QString calculate(Application& application, const QString& line) {
        DocumentEditor& editor = editorOf(application);
        editor.clear();
        editor.setFocus();
        editor.insertPlainText(line);
        application.window().calculateCurrentLine();
        return editor.toPlainText().split(u'\n').value(0);
    }
    static QAction* optionsItem(Application& application, const QString& name) {
        return application.window().findChild<QAction*>(name);
    }
    // Runs `interact` on the modal dialog the action opens, then closes it.
    template <class Dialog>
    static void withModal(QAction* action, const std::function<void(Dialog&)>& interact) {
        bool reached = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr) {
                reached = true;
                interact(*dialog);
                dialog->accept();
            }
        });
        action->trigger();
        QVERIFY(reached);
    }
    static QStringList listRows(QListWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i)
            rows << list->item(i)->text();
        return rows;
    }
    static QStringList menuTexts(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }
    // A menu of the window; menus rebuilt after a change replace the old ones when the
    // event loop deletes those.
    static QMenu* menuOf(Application& application, const QString& name) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return application.window().menuBar()->findChild<QMenu*>(name);
    }
    void writeSubject(const QString& name, const QByteArray& text) {
        QDir(m_folder->path()).mkpath(QStringLiteral("Subjects"));
        QFile file(m_folder->filePath(QStringLiteral("Subjects/") + name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

  private slots:
    void init() { m_folder = std::make_unique<QTemporaryDir>(); }

    void optionsMenuOffersTheDialogsInOrder() {
        auto application = start();
        QMenu* options = menuOf(*application, QStringLiteral("mnuOptions"));
        QStringList names;
        for (QAction* action : options->actions()) {
            if (!action->objectName().isEmpty()) names << action->objectName();
        }
        QStringList expected = {
            QStringLiteral("mnuAllUnits"),     QStringLiteral("mnuCompoundUnits"),
            QStringLiteral("mnuPath"),         QStringLiteral("mnuSetUserConst"),
            QStringLiteral("mnuSetUserConv"),  QStringLiteral("mnuSetUserFunc"),
            QStringLiteral("mnuClearVars"),    QStringLiteral("mnuRemUser"),
            QStringLiteral("mnuRemSolutions"), QStringLiteral("mnuExitMenu")};
        QCOMPARE(names.mid(names.indexOf(QStringLiteral("mnuAllUnits"))), expected);
    }

    // A constant added in the editor is in the Constants menu at once, inserts its value,
    // and is saved like any other change.
    void aConstantAddedInTheEditorIsInTheMenuAndSaved() {
        auto application = start();
        withModal<DefinitionsDialog>(
            optionsItem(*application, QStringLiteral("mnuSetUserConst")),
            [](DefinitionsDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Правка"));
                dialog.text(0)->setText(QStringLiteral("g ="));
                dialog.text(1)->setText(QStringLiteral("9.80665"));
                dialog.text(2)->setText(QStringLiteral("м/с^2"));
                dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
                QCOMPARE(listRows(dialog.list()), QStringList{QStringLiteral("g = 9.80665 м/с^2")});
            });
        QMenu* constants = menuOf(*application, QStringLiteral("mnuConstants"));
        QAction* added = constants->actions().last();
        QCOMPARE(added->text(), QStringLiteral("g = 9.80665 м/с^2"));
        editorOf(*application).clear();
        added->trigger();
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("9.80665"));
        // The autosave comes within its delay and writes the constant.
        QFile file(application->dataFolder() + QStringLiteral("/User-def.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(file.exists(), static_cast<int>(WorkSaver::kDelay.count()) + 3000);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).contains(QStringLiteral("9.80665")));
    }

    void aUnitAddedInTheEditorCalculatesAtOnce() {
        auto application = start();
        withModal<DefinitionsDialog>(
            optionsItem(*application, QStringLiteral("mnuSetUserConv")),
            [](DefinitionsDialog& dialog) {
                dialog.text(0)->setText(QStringLiteral("furlong_x"));
                dialog.text(1)->setText(QStringLiteral("ми/8"));
                dialog.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            });
        QCOMPARE(calculate(*application, QStringLiteral("1[furlong_x]")),
                 QStringLiteral("1[furlong_x]=201.168[м]"));
        QMenu* user = menuOf(*application, QStringLiteral("mnuUserDefinedConv"));
        QCOMPARE(menuTexts(user), QStringList{QStringLiteral("furlong_x     = ми/8")});
    }

    // In the result-dimensions mode a built-in row's texts cannot be replaced, only its
    // in-use box; Translate fills the expansion.
    void resultDimensionsEditorTranslatesAndGuardsBuiltInRows() {
        auto application = start();
        const int separator = application->driver().compoundUnits().builtInCount();
        withModal<DefinitionsDialog>(
            optionsItem(*application, QStringLiteral("mnuCompoundUnits")),
            [separator](DefinitionsDialog& dialog) {
                QVERIFY(dialog.text(2) == nullptr);
                auto* replace = dialog.findChild<QPushButton*>(QStringLiteral("Command2"));
                auto* remove = dialog.findChild<QPushButton*>(QStringLiteral("Command3"));
                dialog.list()->setCurrentRow(0);
                QString name = dialog.text(0)->text();
                QVERIFY(!name.isEmpty());
                QVERIFY(replace->isEnabled());
                QVERIFY(!remove->isEnabled());
                dialog.text(0)->setText(name + QStringLiteral("x"));
                QVERIFY(!replace->isEnabled());
                dialog.text(0)->setText(name);
                dialog.inUse()->setChecked(false);
                replace->click();
                QVERIFY(dialog.list()->item(0)->text().startsWith(QStringLiteral("   ")));
                // The empty row between built-in and user rows cannot be chosen.
                QCOMPARE(dialog.list()->item(separator)->text(), QString());
                QCOMPARE(dialog.list()->item(separator)->flags(), Qt::NoItemFlags);

                dialog.text(0)->setText(QStringLiteral("Дж"));
                dialog.findChild<QPushButton*>(QStringLiteral("Command5"))->click();
                QCOMPARE(dialog.text(1)->text(), QStringLiteral("кг·м^2/с^2"));
            });
        // A designation that does not evaluate is reported, the expansion kept.
        m_messages.shown.clear();
        withModal<DefinitionsDialog>(
            optionsItem(*application, QStringLiteral("mnuCompoundUnits")),
            [](DefinitionsDialog& dialog) {
                dialog.text(0)->setText(QStringLiteral("нет_такой"));
                dialog.text(1)->setText(QStringLiteral("было"));
                dialog.findChild<QPushButton*>(QStringLiteral("Command5"))->click();
                QCOMPARE(dialog.text(1)->text(), QStringLiteral("было"));
            });
        QCOMPARE(m_messages.shown.size(), std::size_t{1});
        QVERIFY(m_messages.shown[0].ends_with(u"Синтаксическая ошибка"));
    }

    void removalFreesVariablesAndTheBoxFollows() {
        auto application = start();
        calculate(*application, QStringLiteral("x=5"));
        calculate(*application, QStringLiteral("y=7"));
        QCOMPARE(application->window().variablesBox()->count(), 2);
        withModal<RemovalDialog>(
            optionsItem(*application, QStringLiteral("mnuClearVars")), [](RemovalDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Освобождение переменных"));
                QVERIFY(!dialog.actionButton()->isEnabled());
                dialog.list()->item(0)->setSelected(true);
                QVERIFY(dialog.actionButton()->isEnabled());
                dialog.actionButton()->click();
                QCOMPARE(listRows(dialog.list()), QStringList{QStringLiteral("y=7")});
            });
        QCOMPARE(application->window().variablesBox()->count(), 1);
        QCOMPARE(application->window().variablesBox()->itemText(0), QStringLiteral("y=7"));
        QCOMPARE(calculate(*application, QStringLiteral("x+1")), QStringLiteral("x+1=1"));
    }

    void removedFunctionsLeaveTheFunctionsMenu() {
        auto application = start();
        calculate(*application, QStringLiteral("f(a)=a^2"));
        QMenu* user = menuOf(*application, QStringLiteral("mnuFuncUser"));
        QCOMPARE(user->actions().size(), 1);
        withModal<RemovalDialog>(optionsItem(*application, QStringLiteral("mnuRemUser")),
                                 [](RemovalDialog& dialog) {
                                     dialog.list()->item(0)->setSelected(true);
                                     dialog.actionButton()->click();
                                 });
        user = menuOf(*application, QStringLiteral("mnuFuncUser"));
        QVERIFY(user->actions().isEmpty());
        QVERIFY(!user->isEnabled());
    }

    void unitsListShowsEveryUnitInBothOrdersAndInserts() {
        auto application = start();
        optionsItem(*application, QStringLiteral("mnuAllUnits"))->trigger();
        UnitsListWindow* units = application->definitionsDialogs().unitsList();
        QVERIFY(units != nullptr && units->isVisible());
        int count = application->engine().units().count();
        QCOMPARE(units->windowTitle(),
                 QStringLiteral("Список всех единиц измерения (всего %1)").arg(count));
        QAbstractItemModel* model = units->view()->model();
        QCOMPARE(model->rowCount(), count);
        QVERIFY(units->sortedAction()->isChecked());
        QVERIFY(units->bracketsAction()->isChecked());

        // Selecting "км" in the sorted order keeps it selected in registration order.
        units->filterBox()->setText(QStringLiteral("км=1e3"));
        QCOMPARE(model->rowCount(), 1);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("км=1e3·м"));
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("1000·м"));
        units->view()->setCurrentIndex(model->index(0, 0));
        units->filterBox()->clear();
        QCOMPARE(model->rowCount(), count);
        units->sortedAction()->trigger();
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("pi=3.141592653589793"));
        QCOMPARE(units->view()->currentIndex().data().toString(), QStringLiteral("км=1e3·м"));

        editorOf(*application).clear();
        units->insertRow(units->view()->currentIndex());
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("[км]"));
        units->bracketsAction()->trigger();
        units->insertRow(units->view()->currentIndex());
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("[км]км"));

        // The Brackets option governs the unit menus too.
        QMenu* length = menuOf(*application, QStringLiteral("mnuLength"));
        QAction* metre = length->actions().first();
        editorOf(*application).clear();
        metre->trigger();
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("м"));
        units->bracketsAction()->trigger();
        editorOf(*application).clear();
        metre->trigger();
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("[м]"));
    }

    void unitsListFilterFindsUnitsOfOneDimension() {
        auto application = start();
        optionsItem(*application, QStringLiteral("mnuAllUnits"))->trigger();
        UnitsListWindow* units = application->definitionsDialogs().unitsList();
        QAbstractItemModel* model = units->view()->model();
        // Key events carry ASCII only; the Cyrillic filter arrives as typed text.
        units->filterBox()->insert(QStringLiteral("кг/(м·с^2)"));
        QVERIFY(model->rowCount() > 50);
        for (int row = 0; row < model->rowCount(); ++row) {
            QVERIFY(model->index(row, 1).data().toString().endsWith(QStringLiteral("кг/(м·с^2)")));
        }
        units->filterBox()->clear();
        QTest::keyClicks(units->filterBox(), QStringLiteral("ATM"));
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->index(row, 0).data().toString();
        QVERIFY(rows.contains(QStringLiteral("atm=101325·Па")));
        // Enter in the filter inserts the first unit found.
        units->filterBox()->setText(QStringLiteral("atm=101325"));
        editorOf(*application).clear();
        QTest::keyClick(units->filterBox(), Qt::Key_Return);
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("[atm]"));
    }

    void subjectCascadeOpensAndInsertsFormulas() {
        writeSubject(QStringLiteral("Subject.txt"),
                     "Механика\n....Сила <2[кг]*3[м/с^2]>\n....Энергия\n........Кинетическая "
                     "<2[кг]*(3[м/с])^2/2>\nГеометрия\n....Круг <pi*2^2>\n");
        auto application = start();
        SubjectMenus& subjects = application->subjects();
        QCOMPARE(subjects.tree().menuCount(), 4);
        QLabel* label = application->subjectLabel();
        QCOMPARE(label->text(), QStringLiteral("Предмет"));

        subjects.toggle(label);
        QCOMPARE(subjects.cascade(), std::vector<int>{1});
        SubjectMenuWindow* top = subjects.windowOf(1);
        QVERIFY(top->isVisible());
        subjects.choose(1, 0);
        QCOMPARE(subjects.cascade(), (std::vector<int>{1, 2}));
        QCOMPARE(top->openItem(), 0);
        subjects.choose(2, 1);
        QCOMPARE(subjects.cascade(), (std::vector<int>{1, 2, 3}));
        QVERIFY(subjects.windowOf(3)->isVisible());

        editorOf(*application).clear();
        subjects.choose(3, 0);
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("2[кг]*(3[м/с])^2/2"));
        // The cascade stays open for the next formula.
        QCOMPARE(subjects.cascade().size(), std::size_t{3});
        // Another top item closes the deeper windows.
        subjects.choose(1, 1);
        QCOMPARE(subjects.cascade(), (std::vector<int>{1, 4}));
        QVERIFY(!subjects.windowOf(3)->isVisible());
        QCOMPARE(subjects.windowOf(2)->openItem(), -1);

        // The windows leave with the main window and come back with it.
        application->window().hide();
        QVERIFY(!top->isVisible());
        application->window().show();
        QVERIFY(top->isVisible());
        QCOMPARE(subjects.cascade(), (std::vector<int>{1, 4}));
        subjects.toggle(label);
        QVERIFY(subjects.cascade().empty());
        QVERIFY(!top->isVisible());
    }

    void subjectMenuDisplayUsesPopUpMenus() {
        writeSubject(QStringLiteral("Subject.txt"),
                     "Механика\n....Сила <2[кг]*3[м/с^2]>\n{Раздел}\nКруг <pi*2^2>\n");
        auto application = start();
        SubjectMenus& subjects = application->subjects();
        subjects.setDisplay(SubjectMenus::Display::Menu);
        subjects.open(application->subjectLabel());
        QMenu* popup = subjects.popupMenu();
        QVERIFY(popup != nullptr);
        QList<QAction*> actions = popup->actions();
        QCOMPARE(actions.size(), 3);
        QVERIFY(actions[0]->menu() != nullptr);
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[1]->text(), QStringLiteral("Раздел"));
        editorOf(*application).clear();
        actions[2]->trigger();
        QCOMPARE(editorOf(*application).toPlainText(), QStringLiteral("pi*2^2"));
        QVERIFY(subjects.cascade().empty());
        popup->close();
    }

    // A file that skips a level is named in the message; what was read before stays.
    void subjectFileWithASkippedLevelIsReported() {
        writeSubject(QStringLiteral("Subject.txt"), "Механика\n........Сила <m*a>\n");
        m_messages.shown.clear();
        auto application = start();
        // Start-up may also speak of a skin picture missing from this test folder.
        std::erase_if(m_messages.shown, [](const std::u16string& text) {
            return text.starts_with(u"Tally Обложка");
        });
        QCOMPARE(m_messages.shown.size(), std::size_t{1});
        QCOMPARE(toQString(m_messages.shown[0]),
                 QStringLiteral("Tally Ошибка в структуре справочника: После: ........Сила "
                                "<m*a> пропущен уровень"));
        QCOMPARE(application->subjects().tree().menuCount(), 1);
    }

    // "Новая" reads a file instead of the subjects, "Добавить" adds its top items; the
    // file chosen anew and the font size are kept in the settings.
    void subjectPathDialogReadsNewOrAddedFiles() {
        writeSubject(QStringLiteral("Subject.txt"), "Механика\n....Сила <m*a>\n");
        writeSubject(QStringLiteral("Other.txt"), "Химия\n....Моль <6.02214076e23>\n");
        QString other = m_folder->filePath(QStringLiteral("Subjects/Other.txt"));
        auto application = start();
        SubjectMenus& subjects = application->subjects();
        auto runDialog = [&](const char* button, int fontSize, const char* display = "optCascade") {
            withModal<SubjectPathDialog>(subjects.loadAction(), [&](SubjectPathDialog& dialog) {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Предметная область"));
                dialog.pathBox()->setText(other);
                dialog.findChild<QSpinBox*>()->setValue(fontSize);
                dialog.findChild<QRadioButton*>(QString::fromLatin1(display))->setChecked(true);
                dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
            });
        };
        runDialog("cmdAdd", 12);
        QCOMPARE(subjects.tree().menu(1).count(), 2);
        QCOMPARE(subjects.fontSize(), 12);
        QCOMPARE(subjects.font().pointSize(), 12);
        QVERIFY(subjects.path().endsWith(QStringLiteral("Subject.txt")));
        runDialog("cmdNew", 9, "optMenu");
        QCOMPARE(subjects.display(), SubjectMenus::Display::Menu);
        QCOMPARE(subjects.tree().menu(1).count(), 1);
        QCOMPARE(toQString(subjects.tree().menu(1).items[0]), QStringLiteral("Химия"));
        QCOMPARE(subjects.path(), other);

        application->shutDown();
        QSettings settings(m_folder->filePath(QStringLiteral("settings.ini")),
                           QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Settings/SubjectPath")).toString(), other);
        QCOMPARE(settings.value(QStringLiteral("Fonts/SubjFontSize")).toString(),
                 QStringLiteral("9"));
        QCOMPARE(settings.value(QStringLiteral("Settings/SubjectMenuMode")).toString(),
                 QStringLiteral("1"));
        // The next start reads the chosen file in the chosen way.
        application.reset();
        auto again = start();
        QCOMPARE(toQString(again->subjects().tree().menu(1).items[0]), QStringLiteral("Химия"));
        QCOMPARE(again->subjects().display(), SubjectMenus::Display::Menu);
        QCOMPARE(again->subjects().fontSize(), 9);
    }
};

QTEST_MAIN(DefinitionsWindowTest)
#include "definitions_window_test.moc"
