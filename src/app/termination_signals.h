#pragma once

#include <QObject>

class QSocketNotifier;

namespace tally {

// Turns SIGTERM, SIGHUP and SIGINT (kill, a closed terminal, Ctrl+C) into a request for the
// program's orderly end, so that they save the work like Exit does. The signal handler only
// writes a byte to a socket the event loop watches; everything else happens in the loop.
class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

  signals:
    void terminationRequested();

  private:
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace tally
