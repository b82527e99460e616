#pragma once
// What the session did to its buffer, step by step, as it takes effect: the
// one account a recipe, a log or a test needs, so that no caller has to tell
// it again beside the call it made.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "analysis/denoise/Denoise.h"

namespace analysis {

// Where a new signal came from: the file and the count its load was given,
// or an import's grid N and its choices by name; an empty file when nobody
// said (a signal handed over in memory).
struct SignalOrigin {
    std::string file;
    std::string count;
    std::map<std::string, std::string> import;
};

class StepSink {
public:
    virtual ~StepSink() = default;
    // A new signal replaced the buffer: a fresh analysis starts.
    virtual void SignalReplaced(const SignalOrigin& origin) = 0;
    virtual void Decomposed(int32_t levels, Wavelet wavelet) = 0;
    // View item `item` (1 ... levels + 1) thresholded at t.
    virtual void Thresholded(int32_t item, double t) = 0;
    // Every detail level thresholded as options say (their levels the
    // session's, the approximation left alone), each as its report says.
    virtual void AppliedToAllLevels(const DenoiseOptions& options, const std::vector<LevelReport>& reports) = 0;
    virtual void Reconstructed() = 0;
    // The last thresholding step done was undone. A redo tells the step
    // again as it was first told.
    virtual void Undone() = 0;
};

}  // namespace analysis
