#pragma once
// A soak session as a sequence of (action, argument) steps: drawn from a
// seed, run against a fresh window with the invariants checked after each
// step, and shrunk to the shortest sequence that still fails.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SoakSession.h"

namespace soak {

struct SoakStep {
    std::size_t action;  // a row of kSoakActions
    uint32_t arg;
};

struct SoakFailure {
    std::size_t step;  // 0-based
    std::string what;
};

// What a run measured, for the memory figures; each figure is also printed
// as it is taken, so a long run shows its progress.
struct SoakRunFigures {
    std::size_t every = 1000;  // actions between two samples
    int loadOf = 0;            // the first load that counts is of at least so many samples
    long rssAfterFirstLoadKb = 0;
    struct Sample {
        std::size_t actions;
        long rssKb, modelKb;  // the process's, and the model's copies within it
    };
    std::vector<Sample> samples;
    long rssAtEndKb = 0;
};

std::vector<SoakStep> RandomSteps(uint64_t seed, std::size_t count);

// Runs the steps on a fresh window; checks the invariants after every
// checkEvery-th step and after the last.
std::optional<SoakFailure> RunSteps(const SoakInputs& inputs, const std::vector<SoakStep>& steps,
                                    std::size_t checkEvery = 1, SoakRunFigures* figures = nullptr);

// The failing steps with as many steps dropped as still leave them failing
// the same way (the same text up to its first colon), trying at most `runs`
// shorter sequences.
std::vector<SoakStep> ShrinkSteps(const SoakInputs& inputs, std::vector<SoakStep> steps, const std::string& what,
                                  int runs);

std::string Describe(const std::vector<SoakStep>& steps);

}  // namespace soak
