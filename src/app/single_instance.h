#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace tally {

// One program per data folder: two programs saving the same document would each overwrite
// the other's work. The first takes a lock in the data folder (a lock left by a program that
// died is taken over) and listens; a second start finds the lock, asks the first to come to
// the front and ends.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& dataFolder, QObject* parent = nullptr);

    enum class Start {
        First,               // this program keeps the data folder
        AnotherRunning,      // the running program was asked to come to the front
        AnotherUnreachable,  // it holds the lock but does not answer
    };
    Start acquire();

  signals:
    // A second start asked this program to show itself.
    void activationRequested();

  private:
    QString m_serverName;
    QLockFile m_lock;
    QLocalServer m_server;
};

}  // namespace tally
