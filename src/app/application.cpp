#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <filesystem>
#include <functional>

#include "app/document_editor.h"
#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/rich_text_bridge.h"
#include "appearance/skin.h"
#include "document/rtf_reader.h"
#include "document/rtf_writer.h"
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
    m_settings = SettingsStore::defaults(m_programDataFolder, m_dataFolder);
    m_autosave.setSingleShot(true);
    m_autosave.setInterval(kAutosaveDelayMilliseconds);
    connect(&m_autosave, &QTimer::timeout, this, [this] { saveWork(); });
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
    return m_dataFolder + QStringLiteral("/Calculations.rtf");
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
    connect(m_window.get(), &MainWindow::workChanged, this, [this] { m_autosave.start(); });
    runStep("внешний вид", [this] { applyLook(); });
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
    runStep("восстановление Ans", [this, &engine] { engine.setAns(m_settings.ans); });
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
    // Loading is not a change worth saving.
    m_autosave.stop();
}

// The stored look, before the document is loaded: the document is drawn with it from the
// start. A skin picture that cannot be read is reported once and the window goes undressed.
void Application::applyLook() {
    Appearance& appearance = m_window->appearance();
    appearance.setSkinFolders(skinFolders(m_programDataFolder, m_dataFolder));
    connect(&appearance, &Appearance::skinFailed, this,
            [this](const QString& path, const QString& reason) {
                m_session->messages().notify(u"Tally Обложка",
                                   QStringLiteral("Не удалось загрузить рисунок обложки %1: %2.")
                                       .arg(QDir::toNativeSeparators(path), reason)
                                       .toStdU16String());
            });
    appearance.restore(m_settings.look);
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
    m_window->keepKeypadSettings(m_settings);
    bool minimised = m_window->isMinimized();
    if (!minimised) m_settings.position = m_window->pos();
    std::unique_ptr<QSettings> store = openSettings();
    SettingsStore::write(*store, m_settings, !minimised);
}

// The saved document, or the introduction when there is none yet; either way it is saved
// as Calculations.rtf, so the introduction is never overwritten.
void Application::loadDocument() {
    QString path = documentPath();
    int caret = -1;
    if (QFileInfo(path).size() <= 0) {
        path = m_programDataFolder + QStringLiteral("/Introduction.rtf");
        caret = 158;
    }
    QFile file(path);
    if (QFileInfo(path).size() <= 0 || !file.open(QIODevice::ReadOnly)) return;
    QByteArray bytes = file.readAll();
    RtfReadResult result =
        readRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!result.ok()) {
        report(QStringLiteral("Документ %1 не прочитан: %2").arg(path, toQString(result.error())));
        return;
    }
    m_editor->setColouringEnabled(false);
    fillDocument(*m_editor->document(), result.document());
    m_editor->setColouringEnabled(true);
    m_editor->document()->clearUndoRedoStacks();
    QTextCursor cursor(m_editor->document());
    int end = m_editor->document()->characterCount() - 1;
    cursor.setPosition(caret >= 0 ? std::min(caret, end) : end);
    m_editor->setTextCursor(cursor);
}

bool Application::saveDocument() {
    std::string rtf = writeRtf(toRichDocument(*m_editor->document()));
    QSaveFile file(documentPath());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(rtf.data(), static_cast<qint64>(rtf.size())) !=
            static_cast<qint64>(rtf.size()) ||
        !file.commit()) {
        report(QStringLiteral("Не удалось сохранить документ %1: %2")
                   .arg(documentPath(), file.errorString()));
        return false;
    }
    return true;
}

bool Application::saveWork() {
    bool saved = saveDocument();
    saved = m_session->saveDefinitions(*m_definitionsFile).saved && saved;
    m_lastSaveFailed = !saved;
    return saved;
}

void Application::report(const QString& text) {
    // A failing disk reports once, not at every automatic save.
    if (m_lastSaveFailed) return;
    m_session->messages().notify(u"Tally Сохранение", text.toStdU16String());
}

void Application::shutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    m_autosave.stop();
    runStep("запись настроек", [this] { writeSettings(); });
    runStep("сохранение работы", [this] { saveWork(); });
}

}  // namespace tally
