// SPDX-License-Identifier: MIT
// Bounds the time of the calls on an automation server. An outgoing COM call cannot simply be
// interrupted; while the calling (single-threaded apartment) thread waits for the answer, COM
// asks the apartment's message filter what to do with the messages that arrive. The guard
// installs such a filter: once the deadline of the running operation has passed, it answers
// "cancel the call", and the waiting call returns RPC_E_CALL_CANCELED. A watchdog thread posts
// a message to the waiting thread at the deadline, so that the filter is asked even when no
// other message comes. A server that is busy and rejects a call is asked again every 100 ms
// until the deadline. Starting a server (CoCreateInstance) is bounded by COM's own wait for
// the server's class object, not by the guard.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kccom {

class CallGuard {
  public:
    CallGuard();
    ~CallGuard();
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;

    void arm(std::chrono::milliseconds timeout);
    void disarm();
    // True when the deadline of the last armed operation passed before it ended.
    bool expired() const;

    // Called by the message filter on the waiting thread.
    bool pastDeadline() const;

  private:
    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::chrono::steady_clock::time_point deadline_;
    bool armed_ = false;
    bool expired_ = false;
    bool stop_ = false;
    DWORD waitingThread_;
    IMessageFilter* filter_ = nullptr;
    IMessageFilter* previous_ = nullptr;
    std::thread thread_;
};

// Arms the guard for one scope.
class Deadline {
  public:
    Deadline(CallGuard& g, int timeoutMs)
        : g_(g) {
        g_.arm(std::chrono::milliseconds(timeoutMs));
    }
    ~Deadline() { g_.disarm(); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;

  private:
    CallGuard& g_;
};

} // namespace kccom
