#include "app/work_saver.h"

#include <algorithm>

#include "app/document_editor.h"
#include "app/qt_text.h"
#include "app/rich_text_bridge.h"
#include "session/session.h"
#include "session/user_definitions_file.h"

namespace tally {

WorkSaver::WorkSaver(Session& session, DocumentEditor& editor, DocumentFile& document,
                     UserDefinitionsFile& definitions)
    : m_session(session), m_editor(editor), m_document(document), m_definitions(definitions) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { saveNow(); });
}

void WorkSaver::changed() {
    using Clock = AutosaveSchedule::Clock;
    Clock::time_point now = Clock::now();
    Clock::time_point deadline = m_schedule.changed(now);
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
    int milliseconds = std::max<int>(0, static_cast<int>(wait.count()));
    // A retry after a failure waits longer than a change does.
    if (m_timer.isActive() && m_timer.remainingTime() <= milliseconds) return;
    m_timer.start(milliseconds);
}

void WorkSaver::forgetChanges() {
    m_timer.stop();
    m_schedule.saved();
}

bool WorkSaver::saveNow() {
    m_timer.stop();
    m_schedule.saved();
    QStringList problems;
    KeptFileWrite document = m_document.save(toRichDocument(*m_editor.document()));
    if (!document.saved) problems << QStringLiteral("документ: %1").arg(toQString(document.error));
    DefinitionsSave definitions = m_session.saveDefinitions(m_definitions);
    if (!definitions.saved) {
        problems << QStringLiteral("определения: %1").arg(toQString(definitions.error));
    }
    if (problems.isEmpty()) {
        if (!m_problem.isEmpty()) {
            m_problem.clear();
            emit saveSucceeded();
        }
        return true;
    }
    m_problem = QStringLiteral("Работа не сохранена — %1").arg(problems.join(QStringLiteral("; ")));
    emit saveFailed(m_problem);
    // Tried again by itself, so that the notice goes once the disk is usable again.
    m_timer.start(static_cast<int>(kRetryDelay.count()));
    return false;
}

bool WorkSaver::saveInto(const QString& folder) {
    std::filesystem::path target = folder.toStdU16String();
    DocumentFile document = DocumentFile::inFolder(target);
    UserDefinitionsFile definitions = UserDefinitionsFile::inFolder(target);
    bool saved = document.save(toRichDocument(*m_editor.document())).saved;
    return m_session.saveDefinitions(definitions).saved && saved;
}

}  // namespace tally
