#pragma once
// Recipe steps run on a session: the one place that turns a step into the
// session's operations, for the window's replay, the batch and Python, so
// that their results are the session's bits. A denoising that thresholds the
// approximation reaches no state of the session: from its Decompose to its
// Reconstruct it runs on the signal as the session holds it, and its result
// then stands in for the buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "analysis/denoise/Denoise.h"
#include "analysis/session/AnalysisSession.h"
#include "recipe/Recipe.h"

namespace recipe {

// Whether the steps leave their result in the session, as a caller that
// shows the session needs: not so for a denoising that thresholds the
// approximation.
bool EndsInSession(std::span<const Step> steps);

class StepRunner {
public:
    // Keeps session by reference.
    explicit StepRunner(analysis::AnalysisSession& session) : session_(session) {}

    // Runs steps[index]; the step after it tells whether a Decompose starts
    // a denoising of the whole signal. Returns the step as it took effect:
    // an ApplyAllLevels request (ApplyAllLevelsRequest) with the thresholds
    // its rule chose.
    Step Run(std::span<const Step> steps, std::size_t index);

    // The samples the steps leave.
    std::span<const double> Buffer() const;
    // View item `item`'s coefficients (1 ... levels + 1) as they stand.
    std::vector<double> ItemValues(int32_t item) const;
    // The last ApplyAllLevels: the noise estimated on the samples and what
    // each view item went through.
    double SampleNoise() const { return sampleNoise_; }
    const std::vector<analysis::LevelReport>& Reports() const { return reports_; }

private:
    Step ApplyAllLevels(const Step& step);

    analysis::AnalysisSession& session_;
    // Between the Decompose and the Reconstruct of a denoising of the whole
    // signal: its levels, and each item's coefficients; after it, the result.
    int32_t levels_ = 0;
    analysis::Wavelet wavelet_ = analysis::Wavelet::Linear;
    bool denoising_ = false;
    std::vector<std::vector<double>> coefficients_;
    std::vector<double> denoised_;
    bool denoisedStands_ = false;
    double sampleNoise_ = 0;
    std::vector<analysis::LevelReport> reports_;
};

}  // namespace recipe
