#pragma once
// Sinks that write every call the session makes into one shared log, so a
// test can check the effects and their order.

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "analysis/session/ControlSink.h"
#include "analysis/session/PlotSink.h"

namespace analysis::test {

using CallLog = std::vector<std::string>;

inline std::string Exact(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

class RecordingPlot : public PlotSink {
public:
    RecordingPlot(std::string name, CallLog& log) : name_(std::move(name)), log_(log) {}

    void Clear() override {
        log_.push_back(name_ + ".Clear");
        points.clear();
    }
    void AddY(double value, const std::string& label, fw::TColor colour) override {
        log_.push_back(name_ + ".AddY(" + Exact(value) + ",'" + label + "'," + std::to_string(colour) + ")");
        points.push_back(value);
    }
    void AddArray(const double* values, int32_t highIndex) override {
        log_.push_back(name_ + ".AddArray(" + std::to_string(highIndex) + ")");
        if (outOfMemory) {
            points.insert(points.end(), values, values + (highIndex + 1) / 2);
            throw std::bad_alloc();
        }
        points.insert(points.end(), values, values + highIndex + 1);
    }

    std::vector<double> points;  // what the series holds now
    bool outOfMemory = false;    // AddArray stores half the points, then fails

private:
    std::string name_;
    CallLog& log_;
};

class RecordingControls : public ControlSink {
public:
    explicit RecordingControls(CallLog& log) : log_(log) {}

    void ShowCount(const std::string& text) override { log_.push_back("ShowCount(" + text + ")"); }
    void SetLevelChoices(int32_t n) override { log_.push_back("SetLevelChoices(" + std::to_string(n) + ")"); }
    void SetViewChoices(int32_t n) override { log_.push_back("SetViewChoices(" + std::to_string(n) + ")"); }
    void ShowMean(const std::string& text) override { log_.push_back("ShowMean(" + text + ")"); }
    void EnableDecompose(bool on) override { log_.push_back(std::string("EnableDecompose(") + (on ? "1)" : "0)")); }
    void EnableThreshold(bool on) override { log_.push_back(std::string("EnableThreshold(") + (on ? "1)" : "0)")); }
    void EnableReconstruct(bool on) override { log_.push_back(std::string("EnableReconstruct(") + (on ? "1)" : "0)")); }
    void ShowWarning(const std::string& text) override {
        log_.push_back("ShowWarning");
        warnings.push_back(text);
    }

    std::vector<std::string> warnings;

private:
    CallLog& log_;
};

}  // namespace analysis::test
