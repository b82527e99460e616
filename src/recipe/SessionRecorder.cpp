#include "recipe/SessionRecorder.h"

#include <algorithm>

#include "recipe/RecipeSteps.h"
#include "recipe/Sha256.h"

namespace recipe {

SessionRecorder::SessionRecorder(analysis::AnalysisSession& session) : session_(session) { session_.SetStepSink(this); }

SessionRecorder::~SessionRecorder() { session_.SetStepSink(nullptr); }

void SessionRecorder::SignalReplaced(const analysis::SignalOrigin& origin) {
    recordable_ = !origin.file.empty();
    origin_ = origin;
    steps_.clear();
    outputs_.clear();
}

void SessionRecorder::Did(Step step) { steps_.push_back(std::move(step)); }

void SessionRecorder::Decomposed(int32_t levels, analysis::Wavelet wavelet) {
    Did(DecomposeStep(levels, std::string(analysis::WaveletName(wavelet))));
}

void SessionRecorder::Thresholded(int32_t item, double t) { Did(ThresholdingStep(item, ThresholdText(t))); }

void SessionRecorder::AppliedToAllLevels(const analysis::DenoiseOptions& options,
                                         const std::vector<analysis::LevelReport>& reports) {
    Did(ApplyAllLevelsStep(options, reports));
}

void SessionRecorder::Reconstructed() { Did(ReconstructStep()); }

void SessionRecorder::Undone() {
    if (steps_.empty()) return;
    steps_.pop_back();
    // What was saved after the step came from a buffer the steps no longer make.
    std::erase_if(outputs_, [&](const Output& output) { return output.after > steps_.size(); });
}

void SessionRecorder::Saved(OutputKind kind, const std::string& fileName, int32_t item, bool wholeGrid) {
    if (!recordable_) return;
    outputs_.push_back({kind, fileName, item, steps_.size(), DigestFile(fileName).sha256, wholeGrid});
}

void SessionRecorder::Replayed(const Recipe& recipe, std::size_t steps) {
    steps_.assign(recipe.steps.begin(), recipe.steps.begin() + static_cast<std::ptrdiff_t>(steps));
}

Recipe SessionRecorder::RecipeOf() const {
    if (!session_.Samples()) throw RecipeError("Load a signal first: a recipe starts with the load of a sample file");
    if (!recordable_) {
        throw RecipeError("This signal's load did not finish, and a recipe starts with a finished load");
    }
    Recipe r;
    r.program = ProgramVersion();
    const FileDigest input = DigestFile(origin_.file);
    r.input = {origin_.file, input.size, input.sha256, origin_.import};
    r.count = origin_.count;
    r.steps = steps_;
    r.outputs = outputs_;
    const double* buffer = session_.Samples()->Data();
    r.outputs.push_back({OutputKind::Buffer, "", 0, steps_.size(),
                         Sha256Hex(buffer, static_cast<std::size_t>(session_.N()) * sizeof(double))});
    return r;
}

}  // namespace recipe
