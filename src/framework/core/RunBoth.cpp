#include "framework/core/RunBoth.h"

#include <pthread.h>

#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

namespace fw {
namespace {

thread_local bool severalRuns = false;

// The thread that takes first halves, started at the first call.
class Helper {
public:
    // Whether the helper took work, which must live until Wait returns.
    bool Take(const std::function<void()>& work) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (taken_) return false;
        if (!started_) {
            try {
                std::thread([this] { Loop(); }).detach();
            } catch (const std::system_error&) {
                return false;
            }
            started_ = true;
        }
        work_ = &work;
        taken_ = true;
        done_ = false;
        changed_.notify_all();
        return true;
    }

    // Waits for the work Take took; rethrows what it threw.
    void Wait() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return done_; });
        taken_ = false;
        const std::exception_ptr failure = std::move(failure_);
        lock.unlock();
        if (failure) std::rethrow_exception(failure);
    }

private:
    void Loop() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            changed_.wait(lock, [this] { return work_ != nullptr; });
            const std::function<void()>* work = work_;
            work_ = nullptr;
            lock.unlock();
            std::exception_ptr failure;
            try {
                (*work)();
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            failure_ = failure;
            done_ = true;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* work_ = nullptr;
    std::exception_ptr failure_;
    bool started_ = false;
    bool taken_ = false;
    bool done_ = false;
};

// The helper lives in storage of its own, never destroyed (its thread waits
// on it until the process ends), and is made anew in a forked child, where
// the parent's thread is gone and its mutex and condition variable may
// still count that thread as a waiter.
alignas(Helper) unsigned char helperStorage[sizeof(Helper)];
Helper* theHelper = nullptr;

Helper& TheHelper() {
    static const bool made = [] {
        theHelper = new (helperStorage) Helper;
        ::pthread_atfork(nullptr, nullptr, [] { theHelper = new (helperStorage) Helper; });
        return true;
    }();
    static_cast<void>(made);
    return *theHelper;
}

}  // namespace

void RunBoth(const std::function<void()>& first, const std::function<void()>& second) {
    Helper& helper = TheHelper();
    if (severalRuns || !helper.Take(first)) {
        first();
        second();
        return;
    }
    try {
        second();
    } catch (...) {
        try {
            helper.Wait();
        } catch (...) {
            // The caller's own failure is the one told.
        }
        throw;
    }
    helper.Wait();
}

SeveralRunsAtOnce::SeveralRunsAtOnce() : before_(severalRuns) { severalRuns = true; }

SeveralRunsAtOnce::~SeveralRunsAtOnce() { severalRuns = before_; }

bool SeveralRunsAtOnce::OnThisThread() { return severalRuns; }

}  // namespace fw
