#include "SoakRun.h"

#include <gtest/gtest-spi.h>

#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "SoakActions.h"
#include "SoakInvariants.h"

namespace soak {
namespace {

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

std::vector<SoakStep> RandomSteps(uint64_t seed, std::size_t count) {
    std::mt19937_64 random(seed);
    std::vector<int> weights;
    for (const SoakAction& action : kSoakActions) weights.push_back(action.weight);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    std::vector<SoakStep> steps;
    for (std::size_t i = 0; i < count; ++i) steps.push_back({pick(random), static_cast<uint32_t>(random())});
    return steps;
}

std::optional<SoakFailure> RunSteps(const SoakInputs& inputs, const std::vector<SoakStep>& steps,
                                    std::size_t checkEvery, SoakRunFigures* figures) {
    // The window tests' helpers report through GoogleTest; here they are one more violation.
    testing::TestPartResultArray reported;
    const testing::ScopedFakeTestPartResultReporter intercept(
        testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &reported);
    SoakSession session(inputs);
    // Between two checks every action's boxes count, not only the last one's:
    // a box nobody expected is what tells a dropped undo history apart.
    std::size_t boxesAtCheck = session.dialogs.Boxes.size();
    int boxesExpected = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        session.model.boxes = 0;
        session.model.hint.clear();
        try {
            kSoakActions[steps[i].action].run(session, steps[i].arg);
        } catch (const std::exception& error) {
            return SoakFailure{i, std::string("an exception escaped the window: ") + error.what()};
        }
        QApplication::processEvents();
        FollowPanel(session);
        boxesExpected += session.model.boxes;
        if (figures != nullptr && figures->rssAfterFirstLoadKb == 0 && session.model.loaded &&
            session.model.n >= figures->loadOf) {
            figures->rssAfterFirstLoadKb = ResidentKb();
            std::cout << "VmRSS after the first load of " << session.model.n << " samples (action " << i + 1
                      << "): " << figures->rssAfterFirstLoadKb << " kB" << std::endl;
        }
        if (figures != nullptr && (i + 1) % figures->every == 0) {
            figures->samples.push_back({i + 1, ResidentKb(), session.model.CopiesKb()});
            std::cout << "VmRSS after " << i + 1 << " actions: " << figures->samples.back().rssKb
                      << " kB (the model's copies " << figures->samples.back().modelKb << " kB)" << std::endl;
        }
        if ((i + 1) % checkEvery != 0 && i + 1 != steps.size()) continue;
        session.model.boxes = boxesExpected;
        std::string what = CheckInvariants(session, boxesAtCheck);
        boxesAtCheck = session.dialogs.Boxes.size();
        boxesExpected = 0;
        if (what.empty() && reported.size() > 0) what = reported.GetTestPartResult(0).message();
        if (!what.empty()) return SoakFailure{i, what};
    }
    if (figures != nullptr) figures->rssAtEndKb = ResidentKb();
    return std::nullopt;
}

std::vector<SoakStep> ShrinkSteps(const SoakInputs& inputs, std::vector<SoakStep> steps, const std::string& what,
                                  int runs) {
    const auto kind = [](const std::string& text) { return text.substr(0, text.find(':')); };
    // Drop chunks, halving their size down to single steps, while the rest still fails.
    for (std::size_t chunk = std::max<std::size_t>(1, steps.size() / 2); runs > 0;
         chunk = std::max<std::size_t>(1, chunk / 2)) {
        bool dropped = false;
        for (std::size_t start = 0; start < steps.size() && runs > 0;) {
            std::vector<SoakStep> shorter(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(start));
            shorter.insert(shorter.end(),
                           steps.begin() + static_cast<std::ptrdiff_t>(std::min(steps.size(), start + chunk)),
                           steps.end());
            --runs;
            const std::optional<SoakFailure> failure = RunSteps(inputs, shorter);
            if (failure && kind(failure->what) == kind(what)) {
                shorter.resize(failure->step + 1);
                steps = std::move(shorter);
                dropped = true;
            } else {
                start += chunk;
            }
        }
        if (chunk == 1 && !dropped) break;
    }
    return steps;
}

std::string Describe(const std::vector<SoakStep>& steps) {
    std::ostringstream text;
    for (const SoakStep& step : steps) {
        text << "  {" << step.action << ", " << step.arg << "}  // " << kSoakActions[step.action].name << "\n";
    }
    return text.str();
}

}  // namespace soak
