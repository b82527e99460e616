#pragma once
// Two halves of a pass over millions of values, each on a thread of its own.
// One core keeps too few of the memory's requests in flight to reach its
// pace: a pass that streams values runs nearly twice as fast on two.

#include <cstdint>
#include <functional>

namespace fw {

// Below this many values a thread costs more than it saves.
inline constexpr int64_t kRunBothMinValues = int64_t{1} << 18;

// Runs first() on a helper thread and second() on the caller's, and returns
// once both are done; an exception of either reaches the caller. The helper
// is one thread kept for the process's life: a thread started for every
// call (a file is read a megabyte at a time) costs as much as the half it
// takes, and its end stops every core to forget its stack. When the helper
// is busy with another caller's half, cannot be started, or the caller is
// one of several runs at once (SeveralRunsAtOnce), both run on the caller's
// thread, first() first.
void RunBoth(const std::function<void()>& first, const std::function<void()>& second);

// While one lives, the thread it was made on is one of several runs at once
// (a batch's inputs on every core): RunBoth there does not ask for a core
// the other runs are using.
class SeveralRunsAtOnce {
public:
    SeveralRunsAtOnce();
    ~SeveralRunsAtOnce();
    SeveralRunsAtOnce(const SeveralRunsAtOnce&) = delete;
    SeveralRunsAtOnce& operator=(const SeveralRunsAtOnce&) = delete;

    // Whether the calling thread is one of several runs at once.
    static bool OnThisThread();

private:
    bool before_;
};

}  // namespace fw
