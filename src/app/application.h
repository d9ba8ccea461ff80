#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "app/message_dialog.h"
#include "app/settings_store.h"
#include "document/calculation_driver.h"
#include "engine/engine.h"
#include "engine/message_window.h"
#include "units/user_definitions.h"
#include "units/user_definitions_file.h"

class QSettings;

namespace tally {

class Catalogue;
class DocumentEditor;
class MainWindow;

// The life of the program: start-up builds the engine's tables and the catalogue, reads
// the settings, the user's definitions and the document, and shows the window; shut-down
// writes them all back. Work is also saved a short while after every change, so that a
// crash loses nothing.
class Application : public QObject {
    Q_OBJECT
  public:
    static constexpr int kAutosaveDelayMilliseconds = 2000;

    // `settingsFile` empty: the per-user store of the system; `messageWindow` null: the
    // program's own message dialog.
    explicit Application(const QString& programFolder, const QString& settingsFile = QString(),
                         MessageWindow* messageWindow = nullptr);
    ~Application() override;

    void startUp();
    void shutDown();

    MainWindow& window() { return *m_window; }
    Engine& engine() { return m_engine; }
    CalculationDriver& driver() { return *m_driver; }
    const QString& dataFolder() const { return m_dataFolder; }
    QString documentPath() const;
    // Saves the document and the definitions now; false when something could not be
    // written (the user has been told).
    bool saveWork();

  private:
    std::unique_ptr<QSettings> openSettings() const;
    void applyLook();
    void readSettings();
    void writeSettings();
    void loadDocument();
    bool saveDocument();
    void report(const QString& text);
    DefinitionsSession session();

    QString m_programFolder;
    QString m_settingsFile;
    QString m_dataFolder;
    WindowSettings m_settings;
    Engine m_engine;
    DocumentEditor* m_editor = nullptr;
    std::unique_ptr<CalculationDriver> m_driver;
    std::unique_ptr<MessageDialog> m_messageDialog;
    MessageWindow* m_messageWindow = nullptr;
    std::unique_ptr<Messages> m_messages;
    std::unique_ptr<Catalogue> m_catalogue;
    UserDefinitions m_userDefinitions;
    std::unique_ptr<UserDefinitionsFile> m_definitionsFile;
    std::unique_ptr<MainWindow> m_window;
    QTimer m_autosave;
    bool m_lastSaveFailed = false;
    bool m_shutDown = false;
};

}  // namespace tally
