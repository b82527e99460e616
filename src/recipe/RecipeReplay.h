#pragma once
// A recipe's steps run again through the session's own operations, so that
// their results are the session's bits: on a session of the caller's (the
// window's, whose plots then show the result) or on one of its own (the
// batch, Python). Each output is taken as its step is done, as the bytes it
// would be written with, so a caller can write them together or compare
// their hashes with the recipe's.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "analysis/session/AnalysisSession.h"
#include "recipe/Recipe.h"
#include "recipe/StepRunner.h"

namespace recipe {

// Why fileName is not the recipe's input ("" when its size and SHA-256 are
// the recipe's). Throws analysis::EFileUnreadable when it cannot be read or
// is no regular file.
std::string InputMismatch(const Recipe& recipe, const std::string& fileName);

// "outputs[1] (the result "out.dat" after step 4, Reconstruct)".
std::string DescribeOutput(const Recipe& recipe, std::size_t index);

// The SHA-256 of what RecipeReplay::Run took for output: the buffer's is
// taken as its hash already.
std::string TakenSha256(const Output& output, const std::string& taken);

// The first output, in the order of the steps they follow, whose bytes'
// SHA-256 is not the recipe's; nullopt when each one matches.
std::optional<std::size_t> FirstDifference(const Recipe& recipe, const std::vector<std::string>& contents);

class RecipeReplay {
public:
    // recipe has passed CheckRecipe (ReadRecipe does that); both are kept by
    // reference.
    RecipeReplay(const Recipe& recipe, analysis::AnalysisSession& session);

    // Whether the steps leave their result in the session (EndsInSession).
    bool EndsInSession() const { return recipe::EndsInSession(steps_); }

    // The recipe's load of fileName (its own input or one given instead): a
    // sample file's with the count, or the import its choices name.
    void Load(const std::string& fileName, const analysis::ReadProgress& progress = {});
    // The load of an input other than the recipe's own: the recipe's import
    // choices, if any, on the grid the input's own length makes, and the
    // steps made for it (StepsForOtherInput). Throws as Load does, and
    // RecipeError for levels the input has not.
    void LoadOther(const std::string& fileName, const analysis::ReadProgress& progress = {});
    // Runs every step; returns each output's bytes, but the buffer's
    // SHA-256 for its doubles, hashed as they are taken: a recipe of many
    // buffer outputs would otherwise hold a grid for each.
    std::vector<std::string> Run();
    // The steps done: all once Run returns, the failing one's index when it throws.
    std::size_t StepsDone() const { return done_; }
    // The samples the steps end with.
    std::span<const double> Buffer() const { return runner_.Buffer(); }

private:
    // The signal's own samples of a whole grid: an import's n, as a result or
    // signal of it is saved.
    std::span<const double> SignalPart(std::span<const double> samples) const;
    // What of samples output saved: the signal's part, or the whole grid.
    std::span<const double> SavedPart(const Output& output, std::span<const double> samples) const {
        return output.wholeGrid ? samples : SignalPart(samples);
    }
    std::string Take(const Output& output) const;

    const Recipe& recipe_;
    // The recipe's steps, or those made for another input.
    std::vector<Step> steps_;
    analysis::AnalysisSession& session_;
    StepRunner runner_;
    std::size_t done_ = 0;
    // The loaded signal's text, when an output saves it: its part, its whole grid.
    std::string signal_, wholeSignal_;
};

// A session of its own for a replay: its plots keep nothing; its warnings go
// to the caller's controls.
class PrivateSession {
public:
    explicit PrivateSession(analysis::ControlSink& controls) : session_(plot_, plot_, plot_, controls) {}
    analysis::AnalysisSession& Session() { return session_; }

private:
    class NoPlot : public analysis::PlotSink {
    public:
        void Clear() override {}
        void AddY(double, const std::string&, fw::TColor) override {}
        void AddArray(const double*, int32_t) override {}
    };
    NoPlot plot_;
    analysis::AnalysisSession session_;
};

}  // namespace recipe
