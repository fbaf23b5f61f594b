// SPDX-License-Identifier: MIT
#include "office/com/call_guard.h"

#include <objbase.h>

namespace kccom {

namespace {

constexpr DWORD retryAfterMs = 100;

class Filter final : public IMessageFilter {
  public:
    explicit Filter(const CallGuard& guard)
        : guard_(guard) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IMessageFilter) {
            *out = static_cast<IMessageFilter*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG n = InterlockedDecrement(&refs_);
        if (n == 0)
            delete this;
        return static_cast<ULONG>(n);
    }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
        return SERVERCALL_ISHANDLED;
    }
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD rejectType) override {
        if (rejectType == SERVERCALL_REJECTED || guard_.pastDeadline())
            return static_cast<DWORD>(-1); // give up: the call fails
        return retryAfterMs;
    }
    // The window does not respond while a server works: its messages wait in the queue.
    DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
        return guard_.pastDeadline() ? PENDINGMSG_CANCELCALL : PENDINGMSG_WAITNOPROCESS;
    }

  private:
    const CallGuard& guard_;
    LONG refs_ = 1;
};

} // namespace

CallGuard::CallGuard()
    : waitingThread_(GetCurrentThreadId())
    , filter_(new Filter(*this))
    , thread_([this] { run(); }) {
    CoRegisterMessageFilter(filter_, &previous_);
}

CallGuard::~CallGuard() {
    IMessageFilter* ours = nullptr;
    CoRegisterMessageFilter(previous_, &ours);
    if (ours)
        ours->Release();
    if (previous_)
        previous_->Release();
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    filter_->Release();
}

void CallGuard::arm(std::chrono::milliseconds timeout) {
    {
        std::lock_guard lock(mutex_);
        deadline_ = std::chrono::steady_clock::now() + timeout;
        armed_ = true;
        expired_ = false;
    }
    wake_.notify_all();
}

void CallGuard::disarm() {
    std::lock_guard lock(mutex_);
    armed_ = false;
}

bool CallGuard::expired() const {
    std::lock_guard lock(mutex_);
    return expired_;
}

bool CallGuard::pastDeadline() const {
    std::lock_guard lock(mutex_);
    return armed_ && std::chrono::steady_clock::now() >= deadline_;
}

void CallGuard::run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        if (!armed_) {
            wake_.wait(lock);
            continue;
        }
        if (wake_.wait_until(lock, deadline_) == std::cv_status::timeout && armed_ &&
            std::chrono::steady_clock::now() >= deadline_) {
            expired_ = true;
            // Wakes the waiting thread's message filter, which then cancels the call; again
            // every 100 ms until the operation ends.
            PostThreadMessageW(waitingThread_, WM_NULL, 0, 0);
            wake_.wait_for(lock, std::chrono::milliseconds(retryAfterMs));
        }
    }
}

} // namespace kccom
