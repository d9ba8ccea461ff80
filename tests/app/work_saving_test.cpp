// What keeps the user's work: the document read whatever it holds, saves that fail said on
// screen until one succeeds, saving during steady typing, a termination signal, an exit
// whose save fails, and one program per data folder.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>

#include "app/application.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "engine/message_window.h"
#include "session/document_file.h"

using namespace tally;

class WorkSavingTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    AutomaticMessageWindow m_messages;

    std::unique_ptr<Application> create() {
        return std::make_unique<Application>(
            m_folder->path(), m_folder->filePath(QStringLiteral("settings.ini")), &m_messages);
    }
    std::unique_ptr<Application> start() {
        auto application = create();
        application->startUp();
        return application;
    }
    static void type(Application& application, const QString& line) {
        DocumentEditor& editor = application.window().editor();
        editor.setFocus();
        QTest::keyClicks(&editor, line);
        QTest::keyClick(&editor, Qt::Key_Return);
    }
    static QString documentPath(Application& application) {
        return application.dataFolder() + QStringLiteral("/Calculations.rtf");
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The text of a saved document, without its colours.
    static QString savedText(const QString& path) {
        QByteArray bytes = contents(path);
        DocumentRead read = readDocumentBytes(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), {});
        QStringList lines;
        for (const std::u16string& line : plainLines(read.document))
            lines << QString::fromStdU16String(line);
        return lines.join(u'\n');
    }
    // What the program told the user about its document.
    QStringList documentMessages() const {
        QStringList messages;
        for (const std::u16string& shown : m_messages.shown) {
            QString message = QString::fromStdU16String(shown);
            if (message.startsWith(QStringLiteral("Tally Документ"))) messages << message;
        }
        return messages;
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QLabel* notice(Application& application) {
        return application.window().findChild<QLabel*>(QStringLiteral("lblNotice"));
    }
    // A folder where the document should be: no file can take its name.
    static void blockDocument(Application& application) {
        QFile::remove(documentPath(application));
        QVERIFY(QDir().mkpath(documentPath(application)));
    }

  private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_messages.shown.clear();
    }

    void aDocumentReadOnlyInPartIsKeptBeforeItIsWrittenOver() {
        auto application = create();
        const QByteArray original("{\\rtf1 2+3=5\\par 7*");
        QDir().mkpath(application->dataFolder());
        write(documentPath(*application), original);
        application->startUp();
        QCOMPARE(application->window().editor().toPlainText().left(5), QStringLiteral("2+3=5"));
        QCOMPARE(documentMessages().size(), 1);
        QVERIFY(documentMessages()[0].contains(QStringLiteral("прочитан не полностью")));
        QVERIFY(application->saveWork());
        QCOMPARE(contents(documentPath(*application) + QStringLiteral(".bak")), original);
        QVERIFY(savedText(documentPath(*application)).startsWith(QStringLiteral("2+3=5")));
    }

    void aFailedSaveStaysOnScreenUntilASaveSucceeds() {
        auto application = start();
        QLabel* label = notice(*application);
        QVERIFY(label);
        QVERIFY(label->isHidden());
        blockDocument(*application);
        type(*application, QStringLiteral("2+2"));
        QVERIFY(!application->saveWork());
        QVERIFY(!label->isHidden());
        QVERIFY(label->text().contains(documentPath(*application)));
        // Every later attempt that fails keeps it there; no dialog interrupts the typing.
        QVERIFY(!application->saveWork());
        QVERIFY(!label->isHidden());
        QVERIFY(documentMessages().isEmpty());
        QVERIFY(QDir(documentPath(*application)).removeRecursively());
        // The next change is saved within the usual delay, though a retry is pending.
        type(*application, QStringLiteral("3+3"));
        QTRY_VERIFY_WITH_TIMEOUT(label->isHidden(),
                                 static_cast<int>(WorkSaver::kDelay.count()) + 1000);
        QVERIFY(savedText(documentPath(*application)).contains(QStringLiteral("2+2=4")));
        QVERIFY(savedText(documentPath(*application)).contains(QStringLiteral("3+3=6")));
    }

    void steadyTypingIsSavedWithinTheDelay() {
        auto application = start();
        const QString path = documentPath(*application);
        QFile::remove(path);
        // A line every quarter of a second for four seconds: the first is on disk before
        // the typing stops.
        for (int line = 0; line < 16; ++line) {
            type(*application, QStringLiteral("1+%1").arg(line));
            QTest::qWait(250);
        }
        QVERIFY(savedText(path).contains(QStringLiteral("1+0=1")));
    }

    void aTerminationSignalSavesTheLastChange() {
        auto application = start();
        QSignalSpy exits(&application->window(), &MainWindow::exitRequested);
        type(*application, QStringLiteral("7*6"));
        std::raise(SIGTERM);
        QTRY_COMPARE(exits.count(), 1);
        QVERIFY(savedText(documentPath(*application)).contains(QStringLiteral("7*6=42")));
    }

    void anExitWhoseSaveFailsAsksAndCanSaveElsewhere() {
        auto application = start();
        type(*application, QStringLiteral("5-1"));
        blockDocument(*application);
        QTemporaryDir elsewhere;
        QStringList problems;
        application->setExitSaveQuestion([&](const QString& problem, QString& folder) {
            problems << problem;
            // Trying again first fails again; then the user picks another folder.
            if (problems.size() == 1) return ExitSaveChoice::Retry;
            folder = elsewhere.path();
            return ExitSaveChoice::SaveElsewhere;
        });
        application->shutDown();
        QCOMPARE(problems.size(), 2);
        QVERIFY(problems[0].contains(documentPath(*application)));
        QVERIFY(savedText(elsewhere.filePath(QStringLiteral("Calculations.rtf")))
                    .contains(QStringLiteral("5-1=4")));
        QVERIFY(QFile::exists(elsewhere.filePath(QStringLiteral("User-def.txt"))));
    }

    void anExitWhoseSaveFailsEndsOnlyWhenTheUserSaysSo() {
        auto application = start();
        blockDocument(*application);
        int asked = 0;
        application->setExitSaveQuestion([&](const QString&, QString&) {
            ++asked;
            return ExitSaveChoice::Quit;
        });
        application->shutDown();
        QCOMPARE(asked, 1);
    }

    void aSecondStartBringsTheFirstForward() {
        SingleInstance first(m_folder->path());
        SingleInstance second(m_folder->path());
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        QCOMPARE(first.acquire(), SingleInstance::Start::First);
        QCOMPARE(second.acquire(), SingleInstance::Start::AnotherRunning);
        QTRY_COMPARE(activations.count(), 1);
    }

    void aLockLeftByAProgramThatDiedIsTakenOver() {
        // The lock of a process that no longer runs, as the lock file records it.
        write(m_folder->filePath(QStringLiteral(".tally.lock")),
              QByteArray("2147483646\n") + QCoreApplication::applicationName().toUtf8() + "\n" +
                  QSysInfo::machineHostName().toUtf8() + "\n");
        SingleInstance instance(m_folder->path());
        QCOMPARE(instance.acquire(), SingleInstance::Start::First);
    }
};

QTEST_MAIN(WorkSavingTest)
#include "work_saving_test.moc"
