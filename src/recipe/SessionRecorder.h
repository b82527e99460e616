#pragma once
// The recipe of an interactive session, kept as the user works: the load,
// each step as it takes effect, and each file saved. Undo takes the last
// step out and redo puts it back, so the recipe holds only what made the
// buffer. Recording costs a few small strings per step; the input and the
// buffer are hashed only when the recipe is asked for.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "analysis/AnalysisSession.h"
#include "recipe/Recipe.h"

namespace recipe {

class SessionRecorder {
public:
    // The session took a new signal; until Loaded names its file, it is not
    // one a recipe can name (an import, or a load that has not finished).
    void SignalReplaced();
    // The signal came from fileName, loaded with the count text (an
    // import: its grid N, and its choices by name): starts over.
    void Loaded(const std::string& fileName, const std::string& countText,
                std::map<std::string, std::string> import = {});
    // A step the session has done; forgets the steps undone.
    void Did(Step step);
    // The session undid, or redid, its last thresholding step.
    void Undone();
    void Redone();
    // A file the user saved from the session as it is now (wholeGrid: with
    // the samples an import made up); hashes it. Throws analysis::EFileError
    // when it cannot be read back.
    void Saved(OutputKind kind, const std::string& fileName, int32_t item = 0, bool wholeGrid = false);
    // A replay of recipe's first `steps` steps on the signal loaded last.
    void Replayed(const Recipe& recipe, std::size_t steps);

    // Whether the signal's file is known, so that RecipeOf can name it.
    bool Recordable() const { return recordable_; }
    // The recipe of the session's buffer: hashes the input file and the
    // buffer. Throws RecipeError for a signal whose load is not known,
    // analysis::EFileError when the input cannot be read.
    Recipe RecipeOf(const analysis::AnalysisSession& session) const;

    const std::vector<Step>& Steps() const { return steps_; }

private:
    bool recordable_ = false;
    std::string input_;
    std::string count_;
    std::map<std::string, std::string> import_;
    std::vector<Step> steps_;
    std::vector<Step> undone_;  // the steps undone, the last undone at the back
    std::vector<Output> outputs_;
};

}  // namespace recipe
