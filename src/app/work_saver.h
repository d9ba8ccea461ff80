#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "session/autosave_schedule.h"
#include "session/document_file.h"

namespace tally {

class DocumentEditor;
class Session;
class UserDefinitionsFile;

// Keeps the user's work on disk: the document and the definitions are saved at most two
// seconds after the first change not yet saved, whatever follows, and whenever asked. A
// save that fails is reported every time (the reason and the path) and tried again every
// ten seconds until one succeeds.
class WorkSaver : public QObject {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kDelay{2000};
    // After a failure the save is tried again this often, changes or not.
    static constexpr std::chrono::milliseconds kRetryDelay{10000};

    WorkSaver(Session& session, DocumentEditor& editor, DocumentFile& document,
              UserDefinitionsFile& definitions);

    // Something worth saving changed.
    void changed();
    // Saves both files now; false when either could not be written.
    bool saveNow();
    bool lastSaveFailed() const { return !m_problem.isEmpty(); }
    const QString& problem() const { return m_problem; }
    // Saves into another folder (the user's choice after a failure); false on failure.
    bool saveInto(const QString& folder);
    // Loading is not a change worth saving.
    void forgetChanges();

  signals:
    void saveFailed(const QString& problem);
    void saveSucceeded();

  private:
    Session& m_session;
    DocumentEditor& m_editor;
    DocumentFile& m_document;
    UserDefinitionsFile& m_definitions;
    AutosaveSchedule m_schedule{kDelay};
    QTimer m_timer;
    QString m_problem;
};

}  // namespace tally
