// SPDX-License-Identifier: MIT
#include "office/uno/watchdog.h"

#include <csignal>

namespace kcuno {

Watchdog::Watchdog()
    : thread_([this] { run(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::arm(pid_t pid, std::chrono::milliseconds timeout, std::function<void()> onExpiry) {
    {
        std::lock_guard lock(mutex_);
        pid_ = pid;
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
            } else if (pid_ > 0) {
                ::kill(pid_, SIGKILL);
            }
        }
    }
}

} // namespace kcuno
