#pragma once
// Many independent runs on several threads, each run's outcome taken on the
// caller's thread in run order, so that what they print reads as a serial
// run prints it.

#include <cstddef>
#include <functional>

namespace fw {

// Runs run(index) for index 0 ... count - 1 on up to `jobs` threads, and
// calls take(index) on the caller's thread for each in index order as soon
// as it and every run before it are done. An exception of run(index) is
// thrown from the caller's thread in place of take(index), after the runs
// already started have ended. With jobs <= 1, or no thread to be had, every
// run and take happens on the caller's thread, one after the other.
void RunInOrder(std::size_t count, int jobs, const std::function<void(std::size_t)>& run,
                const std::function<void(std::size_t)>& take);

// The number of cores, at least 1.
int CoreCount();

}  // namespace fw
