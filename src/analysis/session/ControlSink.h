#pragma once
// What the analysis session needs of the window's controls.

#include <cstdint>
#include <string>

namespace analysis {

class ControlSink {
public:
    virtual ~ControlSink() = default;
    // The sample-count box shows text.
    virtual void ShowCount(const std::string& text) = 0;
    // The level list is emptied (items, text, selection) and gets "1" ... n.
    virtual void SetLevelChoices(int32_t n) = 0;
    // The same on the view list; n = 0 leaves it empty.
    virtual void SetViewChoices(int32_t n) = 0;
    // The mean readout shows text.
    virtual void ShowMean(const std::string& text) = 0;
    virtual void EnableDecompose(bool enabled) = 0;
    virtual void EnableThreshold(bool enabled) = 0;
    virtual void EnableReconstruct(bool enabled) = 0;
    // A modal warning (a short or malformed sample file); the operation goes on.
    virtual void ShowWarning(const std::string& text) = 0;
};

}  // namespace analysis
