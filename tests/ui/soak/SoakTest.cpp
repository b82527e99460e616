// Seeded random sessions through the real window, each checked against the
// model after every action. CTest runs a small budget; ./run.sh soak runs
// as many actions as asked, on one seed, or on a long signal for the
// memory figures.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "SoakRun.h"

namespace soak {
namespace {

std::size_t FromEnvironment(const char* name, std::size_t otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : otherwise;
}

void Soak(const SoakInputs& inputs, uint64_t seed, std::size_t actions, std::size_t checkEvery,
          SoakRunFigures* figures = nullptr) {
    const std::vector<SoakStep> steps = RandomSteps(seed, actions);
    const std::optional<SoakFailure> failure = RunSteps(inputs, steps, checkEvery, figures);
    if (!failure) return;
    // Shrinking a long run takes long: what failed shows first.
    std::cout << "seed " << seed << ", action " << failure->step + 1 << ": " << failure->what << "; shrinking…"
              << std::endl;
    const std::vector<SoakStep> failing(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(failure->step + 1));
    const std::vector<SoakStep> shortest = ShrinkSteps(inputs, failing, failure->what, 300);
    const std::optional<SoakFailure> shortFailure = RunSteps(inputs, shortest);
    ADD_FAILURE() << "seed " << seed << ", action " << failure->step + 1 << " (" << failure->what
                  << ")\nreplay: ./run.sh soak " << actions << " " << seed
                  << "\nthe shortest sequence that still fails ("
                  << (shortFailure ? shortFailure->what : std::string("no longer fails")) << "):\n"
                  << Describe(shortest);
}

TEST(SoakTest, RandomSessionsShowWhatTheModelSays) {
    const std::size_t actions = FromEnvironment("QUELMAR_SOAK_ACTIONS", 300);
    const std::size_t seed = FromEnvironment("QUELMAR_SOAK_SEED", 0);
    if (seed != 0) {
        Soak(SoakInputs::Small(), seed, actions, 1);
        return;
    }
    for (uint64_t s = 1; s <= 4; ++s) Soak(SoakInputs::Small(), s, actions, 1);
}

// Resident memory after the first load of a long signal and after the run:
// the buffer, its plots and the undo history are bounded by the signal, not
// by the number of actions. Runs only when ./run.sh soak asks for it.
TEST(SoakTest, MemoryOnALongSignal) {
    const std::size_t samples = FromEnvironment("QUELMAR_SOAK_SAMPLES", 0);
    if (samples == 0) GTEST_SKIP() << "QUELMAR_SOAK_SAMPLES not set";
    const std::size_t actions = FromEnvironment("QUELMAR_SOAK_ACTIONS", 20000);
    SoakRunFigures figures;
    figures.every = std::max<std::size_t>(1, FromEnvironment("QUELMAR_SOAK_RSS_EVERY", actions / 20));
    figures.loadOf = static_cast<int>(samples);
    Soak(SoakInputs::Long(static_cast<int>(samples)), FromEnvironment("QUELMAR_SOAK_SEED", 1), actions, 100, &figures);
    std::cout << "VmRSS at the end, after " << actions << " actions: " << figures.rssAtEndKb << " kB\n";
}

}  // namespace
}  // namespace soak
