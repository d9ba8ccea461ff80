#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QSettings>
#include <filesystem>
#include <functional>

#include "app/definitions_dialogs.h"
#include "app/document_editor.h"
#include "app/main_window.h"
#include "app/option_strip.h"
#include "app/qt_text.h"
#include "app/rich_text_bridge.h"
#include "app/subject_menus.h"
#include "appearance/skin.h"
#include "identity/application_name.h"
#include "installation/program_data.h"
#include "session/data_folder.h"

namespace tally {

Application::Application(const QString& programFolder, const QString& settingsFile,
                         MessageWindow* messageWindow)
    : m_programDataFolder(
          QString::fromStdU16String(findProgramData(programFolder.toStdU16String()).u16string())),
      m_settingsFile(settingsFile),
      m_messageWindow(messageWindow) {
    std::filesystem::path program = programFolder.toStdU16String();
    bool installed = findProgramData(program) != program;
    std::filesystem::path folder = chooseDataFolder(program, installed);
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    m_dataFolder = QString::fromStdU16String(folder.u16string());
    m_definitionsFile =
        std::make_unique<UserDefinitionsFile>(UserDefinitionsFile::inFolder(folder));
    m_documentFile = std::make_unique<DocumentFile>(DocumentFile::inFolder(folder));
    m_settings = SettingsStore::defaults(m_programDataFolder, m_dataFolder);
}

Application::~Application() = default;

std::unique_ptr<QSettings> Application::openSettings() const {
    if (!m_settingsFile.isEmpty()) {
        return std::make_unique<QSettings>(m_settingsFile, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromUtf8(kApplicationName));
}

QString Application::documentPath() const {
    return QString::fromStdU16String(m_documentFile->path().u16string());
}

void Application::runStep(const char* name, const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        QString text = QStringLiteral("Не выполнен шаг «%1»: %2")
                           .arg(QString::fromUtf8(name), QString::fromLocal8Bit(error.what()));
        m_messageWindow->show(u"Tally Ошибка", text.toStdU16String(), false);
    }
}

void Application::startUp() {
    m_editor = new DocumentEditor;
    if (!m_messageWindow) {
        m_messageDialog = std::make_unique<MessageDialog>(nullptr);
        m_messageWindow = m_messageDialog.get();
    }
    runStep("чтение настроек", [this] { readSettings(); });
    if (m_messageDialog) m_messageDialog->setSuppressedTitle(m_settings.suppressedMessage);
    m_session = std::make_unique<Session>(*m_editor, *m_messageWindow);
    Engine& engine = m_session->engine();
    CalculationDriver& driver = m_session->driver();
    driver.options().decimalPointIsDot = QLocale().decimalPoint() == u'.';
    m_window = std::make_unique<MainWindow>(engine, driver, *m_editor, m_session->catalogue());
    m_window->setKeypadFunctions(m_session->definitions().keypadFunctions);
    connect(m_window.get(), &MainWindow::exitRequested, this, [this] {
        shutDown();
        QApplication::quit();
    });
    m_saver =
        std::make_unique<WorkSaver>(*m_session, *m_editor, *m_documentFile, *m_definitionsFile);
    connect(m_window.get(), &MainWindow::workChanged, m_saver.get(), &WorkSaver::changed);
    connect(m_saver.get(), &WorkSaver::saveFailed, m_window.get(), &MainWindow::showNotice);
    connect(m_saver.get(), &WorkSaver::saveSucceeded, m_window.get(), &MainWindow::clearNotice);
    m_termination = new TerminationSignals(this);
    connect(m_termination, &TerminationSignals::terminationRequested, m_window.get(),
            &MainWindow::requestExit);
    connect(m_window.get(), &MainWindow::helpRequested, this, &Application::showHelp);
    connect(m_window.get(), &MainWindow::aboutRequested, this, &Application::showAbout);
    m_window->setMessages(&m_session->messages());
    // The end of the session may not close the window: what it would save is saved now.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] {
        runStep("запись настроек", [this] { writeSettings(); });
        runStep("сохранение работы", [this] { saveWork(); });
    });
    runStep("внешний вид", [this] { applyLook(); });
    addDefinitionsAndSubjects();
    runStep("настройка окна", [this, &engine] {
        m_window->setAngleMode(m_settings.angles);
        m_window->resultToClipboardAction()->setChecked(m_settings.resultToClipboard);
        m_window->convertSeparatorsAction()->setChecked(m_settings.convertSeparators);
        m_window->useDimensionsAction()->setChecked(m_settings.useDimensions);
        engine.setUseDimensions(m_settings.useDimensions);
        m_window->applyKeypadSettings(m_settings);
    });
    runStep("чтение определений пользователя", [this] {
        // The loader tells the user itself what it could not read; an incompletely read
        // file is kept as a backup before it is next written.
        m_definitionsLoad = m_session->loadDefinitions(*m_definitionsFile);
        m_window->buildMenus(m_session->catalogue());
        m_window->refreshLists();
    });
    runStep("чтение документа", [this] { loadDocument(); });
    runStep("чтение предметной области", [this] { readSubjects(); });
    runStep("восстановление Ans", [this, &engine] {
        engine.setAns(m_settings.ans);
        m_session->driver().restoreResultBox(m_settings.ans);
        m_window->showResultBox();
    });
    runStep("размещение окна", [this] {
        m_window->resize(720, 520);
        m_window->setScreenSize();
        if (m_settings.hasPosition) {
            m_window->move(m_settings.position);
        } else if (QScreen* screen = QApplication::primaryScreen()) {
            QRect area = screen->availableGeometry();
            m_window->move(area.center() - m_window->rect().center());
        }
        m_window->placeOnScreen();
    });
    m_window->show();
    m_editor->setFocus();
    // The caret stands where the user left off; it is brought into view once the window has
    // its size.
    m_editor->ensureCursorVisible();
    // Loading is not a change worth saving.
    m_saver->forgetChanges();
}

// The stored look, before the document is loaded: the document is drawn with it from the
// start. A skin picture that cannot be read is reported once and the window goes undressed.
void Application::applyLook() {
    Appearance& appearance = m_window->appearance();
    appearance.setSkinFolders(skinFolders(m_programDataFolder, m_dataFolder));
    connect(&appearance, &Appearance::skinFailed, this,
            [this](const QString& path, const QString& reason) {
                m_session->messages().notify(
                    u"Tally Обложка", QStringLiteral("Не удалось загрузить рисунок обложки %1: %2.")
                                          .arg(QDir::toNativeSeparators(path), reason)
                                          .toStdU16String());
            });
    appearance.restore(m_settings.look);
}

// The Options items of the definitions dialogs, the units list and the subject file, and
// the option label that opens the subjects.
void Application::addDefinitionsAndSubjects() {
    m_definitionsDialogs = new DefinitionsDialogs(*m_session, *m_window);
    m_subjects = new SubjectMenus(*m_window, m_session->messages());
    m_window->addOptionsItems(m_definitionsDialogs->unitActions() << m_subjects->loadAction());
    m_window->addOptionsItems(m_definitionsDialogs->editingActions());
    m_subjectLabel = m_window->optionStrip().label(OptionStrip::Subject);
    m_subjectLabel->setToolTip(QStringLiteral("Формулы предметной области"));
    m_subjectLabel->setEnabled(true);
    m_window->optionStrip().label(OptionStrip::Subject)->clicked = [this] {
        m_subjects->toggle(m_subjectLabel);
    };
}

void Application::readSubjects() {
    m_subjects->setPath(m_settings.subjectPath);
    m_subjects->setFontSize(m_settings.subjectFontSize);
    m_subjects->setAppearance(m_window->appearance());
    connect(&m_window->appearance(), &Appearance::classesChanged, this,
            [this] { m_subjects->setAppearance(m_window->appearance()); });
    m_subjects->setDisplay(m_settings.subjectMenuMode == 1 ? SubjectMenus::Display::Menu
                                                           : SubjectMenus::Display::Cascade);
    (void)m_subjects->read(m_subjects->path(), SubjectTree::Mode::New);
}

void Application::readSettings() {
    std::unique_ptr<QSettings> store = openSettings();
    SettingsStore::read(*store, m_settings);
}

void Application::writeSettings() {
    m_settings.angles = m_window->angleMode();
    m_settings.resultToClipboard = m_window->resultToClipboardAction()->isChecked();
    m_settings.convertSeparators = m_window->convertSeparatorsAction()->isChecked();
    m_settings.useDimensions = m_window->useDimensionsAction()->isChecked();
    m_settings.ans = m_session->engine().ans();
    m_settings.look = m_window->appearance().settings();
    if (m_messageDialog) m_settings.suppressedMessage = m_messageDialog->suppressedTitle();
    m_settings.subjectPath = m_subjects->path();
    m_settings.subjectFontSize = m_subjects->fontSize();
    m_settings.subjectMenuMode = m_subjects->display() == SubjectMenus::Display::Menu ? 1 : 0;
    m_window->keepKeypadSettings(m_settings);
    bool minimised = m_window->isMinimized();
    if (!minimised) m_settings.position = m_window->pos();
    std::unique_ptr<QSettings> store = openSettings();
    SettingsStore::write(*store, m_settings, !minimised);
}

// The saved document, or the introduction when there is none yet; either way it is saved
// as Calculations.rtf, so the introduction is never overwritten.
void Application::loadDocument() {
    const CharFormat textFormat{u"Courier New", 10, {0, 0, 0}, false, false};
    DocumentRead read = m_documentFile->load(textFormat);
    int caret = -1;
    QString path = documentPath();
    if (read.kind == DocumentRead::Kind::Missing) {
        path = m_programDataFolder + QStringLiteral("/Introduction.rtf");
        QFile introduction(path);
        if (!introduction.open(QIODevice::ReadOnly)) return;
        QByteArray bytes = introduction.readAll();
        read = readDocumentBytes(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
            textFormat);
        caret = 158;
    } else if (!read.complete) {
        report(QStringLiteral("Документ %1 прочитан не полностью: %2. Прежний файл будет "
                              "сохранён как %3 перед первой записью.")
                   .arg(path, toQString(read.problem), path + QStringLiteral(".bak")));
    } else if (read.kind == DocumentRead::Kind::PlainText) {
        report(QStringLiteral("Документ %1 не в формате RTF и прочитан как текст. Прежний файл "
                              "будет сохранён как %2 перед первой записью.")
                   .arg(path, path + QStringLiteral(".bak")));
    }
    m_editor->setColouringEnabled(false);
    fillDocument(*m_editor->document(), read.document);
    m_editor->setColouringEnabled(true);
    QTextCursor cursor(m_editor->document());
    int end = m_editor->document()->characterCount() - 1;
    cursor.setPosition(caret >= 0 ? std::min(caret, end) : end);
    m_editor->setTextCursor(cursor);
    // Undoing stops at the document as it was loaded.
    m_window->resetUndoHistory();
}

bool Application::saveWork() {
    return m_saver->saveNow();
}

void Application::report(const QString& text) {
    m_session->messages().notify(u"Tally Документ", text.toStdU16String());
}

void Application::shutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    m_saver->forgetChanges();
    runStep("запись настроек", [this] { writeSettings(); });
    runStep("сохранение работы", [this] { saveBeforeExit(); });
}

// The work is saved one last time; when that fails the user decides, and nothing is given up
// without being asked.
void Application::saveBeforeExit() {
    while (!m_saver->saveNow()) {
        if (!m_exitSaveQuestion) return;
        QString folder;
        ExitSaveChoice choice = m_exitSaveQuestion(m_saver->problem(), folder);
        if (choice == ExitSaveChoice::Quit) return;
        if (choice == ExitSaveChoice::SaveElsewhere && !folder.isEmpty() &&
            m_saver->saveInto(folder)) {
            return;
        }
    }
}

}  // namespace tally
