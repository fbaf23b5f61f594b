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

// A process held through a pidfd (Linux 5.3 on): a signal sent through it reaches that process
// or, once it has ended, none; never another process that has taken its pid since.
class ProcessHandle {
  public:
    ProcessHandle() = default;
    ~ProcessHandle() { release(); }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    // `child`: an unreaped child of this process, whose pid no other process can take yet, so
    // that a plain kill() is safe where the kernel has no pidfds.
    void hold(pid_t pid, bool child);
    void release();
    pid_t pid() const { return pid_; }
    int fd() const { return fd_; }
    bool child() const { return child_; }
    // Sends the signal; false when it reached no process.
    bool signal(int sig) const;

  private:
    pid_t pid_ = 0;
    int fd_ = -1;
    bool child_ = false;
};

class Watchdog {
  public:
    Watchdog();
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    // `onExpiry`, when given, runs on the watchdog's thread instead of the kill.
    void arm(const ProcessHandle& process, std::chrono::milliseconds timeout,
             std::function<void()> onExpiry = {});
    void disarm();
    bool fired() const;

  private:
    void run();
    void dropTarget();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    pid_t pid_ = 0; // the target, through its own copy of the process's pidfd
    int fd_ = -1;
    bool child_ = false;
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
    Deadline(Watchdog& w, const ProcessHandle& process, int timeoutMs,
             std::function<void()> onExpiry = {})
        : w_(w) {
        w_.arm(process, std::chrono::milliseconds(timeoutMs), std::move(onExpiry));
    }
    ~Deadline() { w_.disarm(); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

  private:
    Watchdog& w_;
};

} // namespace kcuno
