#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "document/editor.h"
#include "engine/interfaces.h"

class QLabel;

namespace tally {

class QtClipboard : public Clipboard {
  public:
    void setText(std::u16string_view text) override;
};

// Lets the window repaint and react while a long calculation runs: events are processed at
// most every few milliseconds, and Esc asks the calculation to stop. Meanwhile nothing the
// user types or clicks reaches the program (the line being calculated must not change), and
// the mouse pointer shows that the program is busy.
class QtEventPump : public QObject, public EventPump {
  public:
    static constexpr int kIntervalMilliseconds = 30;

    void begin();  // a calculation starts
    void end();    // and ends
    void processEvents() override;
    bool cancelRequested() override { return m_cancelled; }
    void cancel() { m_cancelled = true; }
    bool running() const { return m_running; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QElapsedTimer m_sinceLast;
    bool m_cancelled = false;
    bool m_running = false;
};

// Shows the evaluation count of a long solver run.
class LabelProgress : public ProgressSink {
  public:
    explicit LabelProgress(QLabel* label) : m_label(label) {}
    void showEvaluationCount(int count) override;

  private:
    QLabel* m_label;
};

}  // namespace tally
