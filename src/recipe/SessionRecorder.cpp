#include "recipe/SessionRecorder.h"

#include <algorithm>

#include "recipe/Sha256.h"

namespace recipe {

void SessionRecorder::SignalReplaced() {
    recordable_ = false;
    steps_.clear();
    undone_.clear();
    outputs_.clear();
}

void SessionRecorder::Loaded(const std::string& fileName, const std::string& countText,
                             std::map<std::string, std::string> import) {
    SignalReplaced();
    recordable_ = true;
    input_ = fileName;
    count_ = countText;
    import_ = std::move(import);
}

void SessionRecorder::Did(Step step) {
    undone_.clear();
    steps_.push_back(std::move(step));
}

void SessionRecorder::Undone() {
    if (steps_.empty()) return;
    undone_.push_back(std::move(steps_.back()));
    steps_.pop_back();
    // What was saved after the step came from a buffer the steps no longer make.
    std::erase_if(outputs_, [&](const Output& output) { return output.after > steps_.size(); });
}

void SessionRecorder::Redone() {
    if (undone_.empty()) return;
    steps_.push_back(std::move(undone_.back()));
    undone_.pop_back();
}

void SessionRecorder::Saved(OutputKind kind, const std::string& fileName, int32_t item, bool wholeGrid) {
    if (!recordable_) return;
    outputs_.push_back({kind, fileName, item, steps_.size(), DigestFile(fileName).sha256, wholeGrid});
}

void SessionRecorder::Replayed(const Recipe& recipe, std::size_t steps) {
    steps_.assign(recipe.steps.begin(), recipe.steps.begin() + static_cast<std::ptrdiff_t>(steps));
}

Recipe SessionRecorder::RecipeOf(const analysis::AnalysisSession& session) const {
    if (!session.Samples()) throw RecipeError("Load a signal first: a recipe starts with the load of a sample file");
    if (!recordable_) {
        throw RecipeError("This signal's load did not finish, and a recipe starts with a finished load");
    }
    Recipe r;
    r.program = ProgramVersion();
    const FileDigest input = DigestFile(input_);
    r.input = {input_, input.size, input.sha256, import_};
    r.count = count_;
    r.steps = steps_;
    r.outputs = outputs_;
    const double* buffer = session.Samples()->Data();
    r.outputs.push_back({OutputKind::Buffer, "", 0, steps_.size(),
                         Sha256Hex(buffer, static_cast<std::size_t>(session.N()) * sizeof(double))});
    return r;
}

}  // namespace recipe
