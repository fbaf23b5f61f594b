// SPDX-License-Identifier: MIT
// Bounds the time of the calls on an automation server. A COM call that waits for a server
// cannot be interrupted: a message filter's "cancel" returns at once on Windows, but wine 8
// returns only when the server has answered after all. So every call on a server runs on a
// thread of the suite's own (in the multi-threaded apartment, where the servers' objects then
// live), and the calling thread waits for it within the deadline. When the deadline passes,
// the caller gets a failure at once; the thread is left to its call, makes no further call on
// any server when the call returns, and a new thread takes the next operation. A server that
// rejects a call because it is busy is asked again every 100 ms until the deadline.
//
// What touches the calling thread's own windows stays on the calling thread: the clipboard
// (its owner is a window of that thread) and bringing a window to the front.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>

namespace kccom {

// The failure of an operation that did not end within its deadline.
struct Late : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ServerThread {
  public:
    ServerThread();
    ~ServerThread(); // waits for the thread unless it was left to a call that did not end
    ServerThread(const ServerThread&) = delete;
    ServerThread& operator=(const ServerThread&) = delete;

    // Runs `op` on the thread and gives back its failure; throws Late when it did not end in
    // time. `op` may outlive the call then: it must own whatever it uses.
    void run(const std::function<void()>& op, int timeoutMs);

    // On the thread: throws when its operation has been given up, so that an operation that
    // was late makes no further call; waits before the retry of a rejected call and gives
    // false when the deadline leaves no time for one.
    static void checkGivenUp();
    static bool waitToRetry();

    struct Worker; // one thread and its operation

  private:
    std::shared_ptr<Worker> worker_;
};

} // namespace kccom
