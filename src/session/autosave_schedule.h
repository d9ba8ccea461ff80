#pragma once

#include <chrono>
#include <optional>

namespace tally {

// When unsaved work is saved: at most a fixed delay after the first change that is not yet
// saved, however many changes follow, so that steady typing is saved too.
class AutosaveSchedule {
  public:
    using Clock = std::chrono::steady_clock;

    explicit AutosaveSchedule(std::chrono::milliseconds delay) : m_delay(delay) {}

    // A change at `now`; returns the time by which it is to be saved.
    Clock::time_point changed(Clock::time_point now) {
        if (!m_deadline) m_deadline = now + m_delay;
        return *m_deadline;
    }
    // Everything was saved (or the save was tried and reported): the next change starts a
    // new wait.
    void saved() { m_deadline.reset(); }
    std::optional<Clock::time_point> deadline() const { return m_deadline; }

  private:
    std::chrono::milliseconds m_delay;
    std::optional<Clock::time_point> m_deadline;
};

}  // namespace tally
