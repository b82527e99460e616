#pragma once
// The recipe of an interactive session, kept from the steps the session
// tells as they take effect: the load, each step, and each file saved. An
// undo the session tells takes the last step out, and a redo is told as the
// step itself, so the recipe holds only what made the buffer. Recording costs a few small
// strings per step; the input and the buffer are hashed only when the
// recipe is asked for.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "analysis/session/AnalysisSession.h"
#include "analysis/session/StepSink.h"
#include "recipe/Recipe.h"

namespace recipe {

class SessionRecorder : public analysis::StepSink {
public:
    // Listens to session's steps from now on, until it is destroyed.
    explicit SessionRecorder(analysis::AnalysisSession& session);
    ~SessionRecorder() override;
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    // A signal whose origin names no file (one handed over in memory) is not
    // one a recipe can name.
    void SignalReplaced(const analysis::SignalOrigin& origin) override;
    void Decomposed(int32_t levels, analysis::Wavelet wavelet) override;
    void Thresholded(int32_t item, double t) override;
    void AppliedToAllLevels(const analysis::DenoiseOptions& options,
                            const std::vector<analysis::LevelReport>& reports) override;
    void Reconstructed() override;
    void Undone() override;

    // A file the user saved from the session as it is now (wholeGrid: with
    // the samples an import made up); hashes it. Throws analysis::EFileError
    // when it cannot be read back.
    void Saved(OutputKind kind, const std::string& fileName, int32_t item = 0, bool wholeGrid = false);

    // A replay of recipe's first `steps` steps on the signal loaded last:
    // they stand as the recipe wrote them.
    void Replayed(const Recipe& recipe, std::size_t steps);

    // Whether the signal's file is known, so that RecipeOf can name it.
    bool Recordable() const { return recordable_; }
    // The recipe of the session's buffer: hashes the input file and the
    // buffer. Throws RecipeError for a signal whose load is not known,
    // analysis::EFileError when the input cannot be read.
    Recipe RecipeOf() const;

    // The steps done, in order.
    const std::vector<Step>& Steps() const { return steps_; }

private:
    void Did(Step step);

    analysis::AnalysisSession& session_;
    bool recordable_ = false;
    analysis::SignalOrigin origin_;
    std::vector<Step> steps_;
    std::vector<Output> outputs_;
};

}  // namespace recipe
