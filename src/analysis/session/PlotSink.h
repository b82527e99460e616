#pragma once
// What the analysis session needs of a plotted series. The window binds each of
// the three plots (signal, reconstruction, view) to one chart series.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Colors.h"

namespace analysis {

// The colour of the points the session adds one at a time (the view plot's),
// with no label: pure red, which a line series draws in its own colour anyway.
inline constexpr fw::TColor kAddedPointColour = 255;

class PlotSink {
public:
    virtual ~PlotSink() = default;
    // Removes every point.
    virtual void Clear() = 0;
    // Appends one point at X = number of points already held.
    virtual void AddY(double value, const std::string& label, fw::TColor colour) = 0;
    // Appends values[0] ... values[highIndex], each at the next X.
    virtual void AddArray(const double* values, int32_t highIndex) = 0;
    // AddArray of samples the sink may keep instead of copying them: they do
    // not change while anyone holds them.
    virtual void AddShared(std::shared_ptr<const double[]> values, int32_t highIndex) {
        AddArray(values.get(), highIndex);
    }
    // AddY(values[k * stride], label, colour) for k = 0 ... count - 1, in that
    // order. A sink that can take the points in one go, with the same result,
    // saves a call per point.
    virtual void AddYs(const double* values, std::ptrdiff_t stride, int32_t count, const std::string& label,
                       fw::TColor colour) {
        for (int32_t k = 0; k < count; ++k) AddY(values[k * stride], label, colour);
    }
};

}  // namespace analysis
