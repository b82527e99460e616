#pragma once
// The sinks the batch gives the session: plots that keep their points, and
// controls whose only visible effect is a warning on standard error.

#include <ostream>
#include <string>
#include <vector>

#include "analysis/session/QuietControls.h"
#include "analysis/session/PlotSink.h"

namespace batch {

class RecordingPlot : public analysis::PlotSink {
public:
    // A plot that is not kept ignores its points: the signal plot of a run
    // whose results nobody takes would only copy the samples.
    explicit RecordingPlot(bool keep = true) : keep_(keep) {}

    void Clear() override { points.clear(); }
    void AddY(double value, const std::string&, fw::TColor) override {
        if (keep_) points.push_back(value);
    }
    void AddArray(const double* values, int32_t highIndex) override {
        if (keep_) points.insert(points.end(), values, values + highIndex + 1);
    }
    void AddYs(const double* values, std::ptrdiff_t stride, int32_t count, const std::string& label,
               fw::TColor colour) override {
        if (keep_) PlotSink::AddYs(values, stride, count, label, colour);
    }

    std::vector<double> points;

private:
    bool keep_;
};

class WarningControls : public analysis::QuietControls {
public:
    explicit WarningControls(std::ostream& errors) : errors_(errors) {}

    void ShowWarning(const std::string& text) override { errors_ << "quelmar-batch: " << text << "\n"; }

private:
    std::ostream& errors_;
};

}  // namespace batch
