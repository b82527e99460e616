#pragma once
// An AnalysisSession wired to recording sinks, with sample files in a folder
// of the test's own and "." as the decimal separator.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RecordingSinks.h"
#include "TempFolder.h"
#include "analysis/session/AnalysisSession.h"
#include "framework/core/FormatSettings.h"

namespace analysis::test {

class SessionTest : public ::testing::Test {
protected:
    SessionTest() { saved_ = fw::DefaultFormatSettings(); }
    ~SessionTest() override { fw::DefaultFormatSettings() = saved_; }
    void SetUp() override { fw::DefaultFormatSettings().DecimalSeparator = '.'; }

    // A file of the values, one per line, with all the digits a double needs.
    std::string WriteSamples(const std::vector<double>& values, const std::string& name = "signal.dat") {
        std::string text;
        for (double v : values) text += Exact(v) + "\n";
        return folder_.Write(name, text);
    }

    // Loads the values with their own count and forgets the calls it made.
    void LoadValues(const std::vector<double>& values) {
        session_.Load(std::to_string(values.size()), WriteSamples(values));
        log_.clear();
    }

    std::vector<double> Buffer() const {
        const DyadicSignal* samples = session_.Samples();
        return samples ? std::vector<double>(samples->Data(), samples->Data() + samples->N()) : std::vector<double>{};
    }

    static std::vector<double> Ramp(int32_t n, double scale = 1.0) {
        std::vector<double> values;
        for (int32_t i = 0; i < n; ++i) values.push_back(scale * (i % 7 - 3) + 0.25 * i);
        return values;
    }

    CallLog log_;
    RecordingPlot signal_{"signal", log_};
    RecordingPlot reconstruction_{"reconstruction", log_};
    RecordingPlot view_{"view", log_};
    RecordingControls controls_{log_};
    AnalysisSession session_{signal_, reconstruction_, view_, controls_};
    TempFolder folder_;

private:
    fw::FormatSettings saved_;
};

}  // namespace analysis::test
