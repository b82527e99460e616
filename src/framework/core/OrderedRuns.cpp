#include "framework/core/OrderedRuns.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "framework/core/RunBoth.h"

namespace fw {
namespace {

class RunQueue {
public:
    RunQueue(std::size_t count, const std::function<void(std::size_t)>& run)
        : run_(run), failures_(count), done_(count, false) {}

    // Takes the next run not started until none is left or the caller stops.
    void Work() {
        for (;;) {
            std::size_t index = 0;
            {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (stopped_ || next_ == done_.size()) return;
                index = next_++;
            }
            std::exception_ptr failure;
            try {
                run_(index);
            } catch (...) {
                failure = std::current_exception();
            }
            const std::lock_guard<std::mutex> lock(mutex_);
            failures_[index] = failure;
            done_[index] = true;
            changed_.notify_all();
        }
    }

    // Waits for run index; rethrows what it threw.
    void WaitFor(std::size_t index) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return done_[index]; });
        if (failures_[index]) std::rethrow_exception(failures_[index]);
    }

    // No run starts after this.
    void Stop() {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }

private:
    const std::function<void(std::size_t)>& run_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::exception_ptr> failures_;
    std::vector<bool> done_;
    std::size_t next_ = 0;
    bool stopped_ = false;
};

void RunSerially(std::size_t count, const std::function<void(std::size_t)>& run,
                 const std::function<void(std::size_t)>& take) {
    for (std::size_t index = 0; index < count; ++index) {
        run(index);
        take(index);
    }
}

}  // namespace

void RunInOrder(std::size_t count, int jobs, const std::function<void(std::size_t)>& run,
                const std::function<void(std::size_t)>& take) {
    const std::size_t threads = std::min<std::size_t>(count, static_cast<std::size_t>(std::max(jobs, 1)));
    if (threads <= 1) return RunSerially(count, run, take);
    RunQueue queue(count, run);
    std::vector<std::thread> workers;
    try {
        for (std::size_t i = 0; i < threads; ++i) {
            workers.emplace_back([&queue] {
                const SeveralRunsAtOnce several;
                queue.Work();
            });
        }
    } catch (const std::system_error&) {
        // Fewer threads than asked still take every run, the caller's own
        // loop below waiting on them.
        if (workers.empty()) return RunSerially(count, run, take);
    }
    const auto join = [&] {
        queue.Stop();
        for (std::thread& worker : workers) worker.join();
    };
    try {
        for (std::size_t index = 0; index < count; ++index) {
            queue.WaitFor(index);
            take(index);
        }
    } catch (...) {
        join();
        throw;
    }
    join();
}

int CoreCount() { return static_cast<int>(std::max(1U, std::thread::hardware_concurrency())); }

}  // namespace fw
