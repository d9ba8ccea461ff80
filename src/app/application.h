#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/exit_save_dialog.h"
#include "app/message_dialog.h"
#include "app/settings_store.h"
#include "app/termination_signals.h"
#include "app/work_saver.h"
#include "engine/message_window.h"
#include "session/document_file.h"
#include "session/session.h"
#include "session/user_definitions_file.h"

class QLabel;
class QSettings;

namespace tally {

class DefinitionsDialogs;
class DocumentEditor;
class HelpWindow;
class MainWindow;
class SubjectMenus;

// The life of the program: start-up builds the engine's tables and the catalogue, reads
// the settings, the user's definitions and the document, and shows the window; shut-down
// (Exit, the end of the session, or a termination signal) writes them all back. Work is
// also saved at most two seconds after a change, so that a crash loses nothing.
class Application : public QObject {
    Q_OBJECT
  public:
    // `programFolder` is where the program itself lives; its read-only data is found from
    // there. `settingsFile` empty: the per-user store of the system; `messageWindow` null:
    // the program's own message dialog.
    explicit Application(const QString& programFolder, const QString& settingsFile = QString(),
                         MessageWindow* messageWindow = nullptr);
    ~Application() override;

    void startUp();
    void shutDown();

    MainWindow& window() { return *m_window; }
    Session& session() { return *m_session; }
    Engine& engine() { return m_session->engine(); }
    CalculationDriver& driver() { return m_session->driver(); }
    const QString& dataFolder() const { return m_dataFolder; }
    // Where the program's read-only data (introduction, skins, help) lives.
    const QString& programDataFolder() const { return m_programDataFolder; }
    QString documentPath() const;
    // How reading the user definitions went at start-up.
    const DefinitionsLoad& definitionsLoad() const { return m_definitionsLoad; }
    // Saves the document and the definitions now; false when something could not be
    // written (the window says so until a save succeeds).
    bool saveWork();
    WorkSaver& workSaver() { return *m_saver; }
    // Who decides at exit when the last save failed; the program's own dialog by default,
    // tests answer themselves.
    void setExitSaveQuestion(ExitSaveQuestion question) {
        m_exitSaveQuestion = std::move(question);
    }
    // The Options menu's dialogs of the user's definitions and the units list.
    DefinitionsDialogs& definitionsDialogs() { return *m_definitionsDialogs; }
    // The help subjects and the option label that opens them.
    SubjectMenus& subjects() { return *m_subjects; }
    QLabel* subjectLabel() { return m_subjectLabel; }

    // The help window on the help beside the program; when the help cannot be read the
    // message window says so.
    void showHelp();
    void showAbout();
    HelpWindow* helpWindow() const;

  private:
    std::unique_ptr<QSettings> openSettings() const;
    void applyLook();
    void readSettings();
    void writeSettings();
    void loadDocument();
    void addDefinitionsAndSubjects();
    void readSubjects();
    void report(const QString& text);
    void saveBeforeExit();
    // Runs one step of start-up or shut-down; a failure is confined to its step, so the
    // others still run, and the user is told which step failed.
    void runStep(const char* name, const std::function<void()>& step);

    QString m_programDataFolder;
    QString m_settingsFile;
    QString m_dataFolder;
    WindowSettings m_settings;
    DocumentEditor* m_editor = nullptr;
    std::unique_ptr<MessageDialog> m_messageDialog;
    MessageWindow* m_messageWindow = nullptr;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<UserDefinitionsFile> m_definitionsFile;
    DefinitionsLoad m_definitionsLoad;
    std::unique_ptr<MainWindow> m_window;
    QPointer<HelpWindow> m_help;
    DefinitionsDialogs* m_definitionsDialogs = nullptr;  // owned by the window
    SubjectMenus* m_subjects = nullptr;                  // owned by the window
    QLabel* m_subjectLabel = nullptr;
    std::unique_ptr<DocumentFile> m_documentFile;
    std::unique_ptr<WorkSaver> m_saver;
    TerminationSignals* m_termination = nullptr;
    ExitSaveQuestion m_exitSaveQuestion = askAboutUnsavedWork;
    bool m_shutDown = false;
};

}  // namespace tally
