// SPDX-License-Identifier: MIT
// Bounds the time of one office operation: when an armed deadline passes, the office process
// is killed, or, for an office that must live on, the call is given up (`onExpiry`); either
// makes the waiting UNO call throw at once.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <sys/types.h>
#include <thread>

namespace kcuno {

class Watchdog {
  public:
    Watchdog();
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // `onExpiry`, when given, runs on the watchdog's thread instead of the kill.
    void arm(pid_t pid, std::chrono::milliseconds timeout, std::function<void()> onExpiry = {});
    void disarm();
    bool fired() const;

  private:
    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    pid_t pid_ = 0;
    std::function<void()> onExpiry_;
    std::chrono::steady_clock::time_point deadline_;
    bool armed_ = false;
    bool fired_ = false;
    bool stop_ = false;
    std::thread thread_;
};

// Arms the watchdog for one scope.
class Deadline {
  public:
    Deadline(Watchdog& w, pid_t pid, int timeoutMs, std::function<void()> onExpiry = {})
        : w_(w) {
        w_.arm(pid, std::chrono::milliseconds(timeoutMs), std::move(onExpiry));
    }
    ~Deadline() { w_.disarm(); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

  private:
    Watchdog& w_;
};

} // namespace kcuno
