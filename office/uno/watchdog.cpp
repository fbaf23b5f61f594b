// SPDX-License-Identifier: MIT
#include "office/uno/watchdog.h"

#include <csignal>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

// The same numbers on every architecture since Linux 5.3; older C libraries do not name them.
#ifndef SYS_pidfd_send_signal
#define SYS_pidfd_send_signal 424
#endif
#ifndef SYS_pidfd_open
#define SYS_pidfd_open 434
#endif

namespace kcuno {

namespace {

bool sendThrough(int fd, pid_t pid, bool child, int sig) {
    if (fd >= 0)
        return ::syscall(SYS_pidfd_send_signal, fd, sig, nullptr, 0) == 0;
    return child && pid > 0 && ::kill(pid, sig) == 0; // no pidfds: only an unreaped child
}

} // namespace

void ProcessHandle::hold(pid_t pid, bool child) {
    release();
    pid_ = pid;
    child_ = child;
    if (pid > 0)
        fd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

void ProcessHandle::release() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    pid_ = 0;
    child_ = false;
}

bool ProcessHandle::signal(int sig) const {
    return sendThrough(fd_, pid_, child_, sig);
}

Watchdog::Watchdog()
    : thread_([this] { run(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    dropTarget();
}

void Watchdog::dropTarget() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    pid_ = 0;
}

void Watchdog::arm(const ProcessHandle& process, std::chrono::milliseconds timeout,
                   std::function<void()> onExpiry) {
    {
        std::lock_guard lock(mutex_);
        dropTarget();
        pid_ = process.pid();
        fd_ = process.fd() >= 0 ? ::fcntl(process.fd(), F_DUPFD_CLOEXEC, 0) : -1;
        child_ = process.child();
        onExpiry_ = std::move(onExpiry);
        deadline_ = std::chrono::steady_clock::now() + timeout;
        armed_ = true;
        fired_ = false;
    }
    wake_.notify_all();
}

void Watchdog::disarm() {
    std::lock_guard lock(mutex_);
    armed_ = false;
}

bool Watchdog::fired() const {
    std::lock_guard lock(mutex_);
    return fired_;
}

void Watchdog::run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        if (!armed_) {
            wake_.wait(lock);
            continue;
        }
        if (wake_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_ &&
            std::chrono::steady_clock::now() >= deadline_) {
            armed_ = false;
            fired_ = true;
            std::function<void()> expiry;
            expiry.swap(onExpiry_);
            if (expiry) {
                lock.unlock(); // giving a call up may wait for the bridge's threads
                expiry();
                lock.lock();
            } else {
                sendThrough(fd_, pid_, child_, SIGKILL);
            }
        }
    }
}

} // namespace kcuno
