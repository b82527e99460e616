#pragma once
// Controls nobody sees: for running the session without a window (the batch,
// the Python module, replays and benchmarks). Only its warnings may matter,
// so ShowWarning is the one to override.

#include "analysis/session/ControlSink.h"

namespace analysis {

class QuietControls : public ControlSink {
public:
    void ShowCount(const std::string&) override {}
    void SetLevelChoices(int32_t) override {}
    void SetViewChoices(int32_t) override {}
    void ShowMean(const std::string&) override {}
    void EnableDecompose(bool) override {}
    void EnableThreshold(bool) override {}
    void EnableReconstruct(bool) override {}
    void ShowWarning(const std::string&) override {}
};

}  // namespace analysis
