#pragma once

namespace tally {

// Lets the user interface run while a calculation goes on, and asks whether the user
// cancelled it. The window throttles how often it really processes events.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void processEvents() = 0;
    virtual bool cancelRequested() { return false; }
};

// Shows how many expression evaluations a long solver run has made.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void showEvaluationCount(int count) = 0;
};

}  // namespace tally
