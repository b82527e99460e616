#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "framework/core/OrderedRuns.h"
#include "framework/core/RunBoth.h"

namespace fw {
namespace {

// Both halves run once each however many callers share the helper, each
// half's failure reaches its caller, and runs at once keep to their thread.
TEST(RunBoth, EveryCallerGetsBothHalvesAndTheirFailures) {
    std::atomic<int> firsts = 0, seconds = 0;
    std::vector<std::thread> callers;
    for (int caller = 0; caller < 4; ++caller) {
        callers.emplace_back([&] {
            for (int i = 0; i < 200; ++i) RunBoth([&] { ++firsts; }, [&] { ++seconds; });
        });
    }
    for (std::thread& caller : callers) caller.join();
    EXPECT_EQ(firsts, 800);
    EXPECT_EQ(seconds, 800);

    EXPECT_THROW(RunBoth([] { throw std::runtime_error("first"); }, [] {}), std::runtime_error);
    EXPECT_THROW(RunBoth([] {}, [] { throw std::logic_error("second"); }), std::logic_error);

    std::vector<std::thread::id> threads(6);
    RunInOrder(
        3, 2,
        [&](std::size_t i) {
            RunBoth([&] { threads[2 * i] = std::this_thread::get_id(); },
                    [&] { threads[2 * i + 1] = std::this_thread::get_id(); });
        },
        [](std::size_t) {});
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(threads[2 * i], threads[2 * i + 1]) << i;
    EXPECT_FALSE(SeveralRunsAtOnce::OnThisThread());

    // A forked child (Python's multiprocessing) finds no helper thread of its own.
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10);
        int halves = 0;
        RunBoth([&] { ++halves; }, [&] { ++halves; });
        ::_exit(halves == 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace fw
