// SPDX-License-Identifier: MIT
#include "office/com/server_thread.h"

#include <objbase.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

namespace kccom {

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto retryAfter = std::chrono::milliseconds(100);
} // namespace

struct ServerThread::Worker {
    std::mutex mutex;
    std::condition_variable wake;
    std::function<void()> job;
    std::exception_ptr error;
    bool busy = false;
    bool stop = false;
    std::atomic<bool> givenUp{false};
    std::atomic<Clock::rep> deadline{0};
    std::thread thread;

    void serve();
};

namespace {
thread_local ServerThread::Worker* current = nullptr;
}

void ServerThread::Worker::serve() {
    current = this;
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    std::unique_lock lock(mutex);
    while (!stop && !givenUp) {
        if (!busy) {
            wake.wait(lock);
            continue;
        }
        auto op = std::move(job);
        lock.unlock();
        std::exception_ptr failure;
        try {
            op();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        error = failure;
        busy = false;
        wake.notify_all();
    }
    lock.unlock();
    CoUninitialize();
}

ServerThread::ServerThread()
    : worker_(std::make_shared<Worker>()) {
    worker_->thread = std::thread([w = worker_] { w->serve(); });
}

ServerThread::~ServerThread() {
    {
        std::lock_guard lock(worker_->mutex);
        worker_->stop = true;
    }
    worker_->wake.notify_all();
    worker_->thread.join();
}

void ServerThread::run(const std::function<void()>& op, int timeoutMs) {
    Worker& w = *worker_;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::unique_lock lock(w.mutex);
    w.job = op;
    w.error = nullptr;
    w.busy = true;
    w.deadline = deadline.time_since_epoch().count();
    w.wake.notify_all();
    if (!w.wake.wait_until(lock, deadline, [&] { return !w.busy; })) {
        w.givenUp = true;
        lock.unlock();
        worker_->thread.detach(); // it ends when its call returns, if ever
        worker_ = std::make_shared<Worker>();
        worker_->thread = std::thread([n = worker_] { n->serve(); });
        throw Late("the server did not answer within " + std::to_string(timeoutMs) + " ms");
    }
    if (w.error)
        std::rethrow_exception(w.error);
}

void ServerThread::checkGivenUp() {
    if (current && current->givenUp)
        throw std::runtime_error("given up: the server was late");
}

bool ServerThread::waitToRetry() {
    if (!current)
        return false;
    const Clock::time_point deadline{Clock::duration(current->deadline.load())};
    if (Clock::now() + retryAfter >= deadline)
        return false;
    std::this_thread::sleep_for(retryAfter);
    return !current->givenUp;
}

} // namespace kccom
