// SPDX-License-Identifier: MIT
// The one office process per profile and the UNO bridge to it. The process is started on
// first use with a private profile and reused while it lives; a process already running on
// the profile (left by an earlier run, showing a workbook) is reused as well.
#pragma once

#include "office/suite.h"
#include "office/uno/watchdog.h"

#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace kcuno {

namespace css = com::sun::star;
using css::uno::Reference;

class Connection {
  public:
    explicit Connection(office::SuiteOptions options);
    ~Connection(); // drops the references only: documents the user sees stay open
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The office's desktop; starts and connects to the office when needed.
    Reference<css::frame::XDesktop2> desktop();
    Reference<css::uno::XComponentContext> context();

    // Connected to an office that still runs.
    bool connected();
    pid_t pid() const { return pid_; }
    // The office process, held so that a signal never reaches a process that took its pid.
    const ProcessHandle& process() const { return process_; }
    const office::SuiteOptions& options() const { return options_; }
    Watchdog& watchdog() { return watchdog_; }

    // Marks the bridge as gone, after a call found the office dead.
    void markLost() { *lost_ = true; }
    // What the watchdog does when a call does not come back: nothing given, it kills the
    // office; for an office that shows the user's documents, it gives the call up.
    std::function<void()> onHang() const;
    // Ends the office when it has no document open; bounded, kills a process that hangs.
    void terminateIfIdle();
    // Starts the office without waiting for it, when none is connected; the next call
    // connects to it.
    void startEarly();

  private:
    struct Spawned {
        std::string pipe;
        pid_t child = 0;   // the process started
        pid_t running = 0; // the office it hands over to, 0 when it is the office itself
    };
    Spawned spawn();
    void start();
    void requirePrivateProfile() const;
    void refuseStrangersPipes() const;
    void prepareProfile();
    void tell(const std::string& what) const;
    bool tryConnect(const std::string& pipe);
    void recordLastVersion();
    void recordLastVersionBounded();
    void reset();
    void reapOrKill(int waitMs);
    // The office the suite talks to from now on (0: none); `child`: one the suite started.
    void adopt(pid_t pid, bool child, const std::string& profile);

    office::SuiteOptions options_;
    Reference<css::uno::XComponentContext> local_;
    Reference<css::bridge::XBridge> bridge_;
    Reference<css::uno::XComponentContext> remote_;
    Reference<css::frame::XDesktop2> desktop_;
    // Set by the bridge's listener when the office goes away.
    std::shared_ptr<std::atomic<bool>> lost_ = std::make_shared<std::atomic<bool>>(false);
    pid_t pid_ = 0;
    bool ownChild_ = false;        // pid_ is our child (waitpid works)
    pid_t helper_ = 0;             // a started process that hands over to a running office
    std::optional<Spawned> early_; // started by startEarly, not yet connected
    ProcessHandle process_;
    Watchdog watchdog_;
};

} // namespace kcuno
