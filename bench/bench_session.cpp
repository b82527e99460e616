// The session's five operations, and the Denoise panel's preview, Apply to
// All Levels and undo, end to end on N = 2^k + 1 random-walk samples
// read from a 17-digit text file: the program's series on the program's
// charts, both charts repainted off-screen after each operation, and the
// process's peak resident memory per sample.

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include "BenchImageHost.h"
#include "analysis/session/AnalysisSession.h"
#include "analysis/session/QuietControls.h"
#include "analysis/transform/LevelGeometry.h"
#include "app/ProgramCharts.h"
#include "app/ThresholdPreview.h"
#include "chart/Chart.h"
#include "recipe/RecipeReplay.h"
#include "recipe/SessionRecorder.h"

namespace {

using bench::ImageHost;

// The controls' state is not what is measured.
using NoControls = analysis::QuietControls;

// One 17-digit random-walk file per k, written on first use and removed at exit.
class SampleFiles {
public:
    ~SampleFiles() {
        for (const auto& [k, path] : paths_) std::filesystem::remove(path);
    }
    const std::string& For(int k) {
        auto found = paths_.find(k);
        if (found != paths_.end()) return found->second;
        const std::string path =
            (std::filesystem::temp_directory_path() /
             ("quelmar-bench-session-" + std::to_string(::getpid()) + "-" + std::to_string(k) + ".dat"))
                .string();
        std::mt19937 rng(1);
        std::normal_distribution<double> step(0, 1);
        std::string text;
        char number[64];
        double level = 0;
        for (int32_t i = 0; i < analysis::SamplesOfOrder(k); ++i) {
            level += step(rng);
            text.append(number,
                        std::to_chars(number, number + sizeof number, level, std::chars_format::general, 17).ptr);
            text += '\n';
        }
        std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
        return paths_.emplace(k, path).first->second;
    }

private:
    std::map<int, std::string> paths_;
};

SampleFiles& Files() {
    static SampleFiles files;
    return files;
}

// The peak so far starts again from what is resident now, less the free heap
// an earlier, larger benchmark left behind.
void ResetPeakResident() {
    ::malloc_trim(0);
    if (std::FILE* file = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", file);
        std::fclose(file);
    }
}

int64_t PeakResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    }
    return 0;
}

// The window's session and charts, with the file of the benchmark's k.
struct Window {
    explicit Window(int k) : k(k), path(Files().For(k)) {
        ResetPeakResident();
        charts.Chart1().SetHost(&host1);
        charts.Chart2().SetHost(&host2);
    }
    void Load() { session.Load(std::to_string(analysis::SamplesOfOrder(k)), path); }
    void DecomposeFully() { session.Decompose(k - 1); }
    void ViewLevelOne() { session.SelectViewLevel(0); }
    void Repaint() {
        charts.Chart1().Invalidate();
        host1.RepaintControl();
        charts.Chart2().Invalidate();
        host2.RepaintControl();
        benchmark::ClobberMemory();
    }
    void ReportPeak(benchmark::State& state) const {
        state.counters["peak_bytes_per_sample"] =
            static_cast<double>(PeakResidentBytes()) / static_cast<double>(analysis::SamplesOfOrder(k));
    }

    const int k;
    const std::string path;
    ImageHost host1{app::ProgramCharts::Chart1Bounds.Width(), app::ProgramCharts::Chart1Bounds.Height()};
    ImageHost host2{app::ProgramCharts::Chart2Bounds.Width(), app::ProgramCharts::Chart2Bounds.Height()};
    app::ProgramCharts charts;
    NoControls controls;
    analysis::AnalysisSession session{charts.Series1(), charts.Series2(), charts.Series3(), controls};
};

int Arg(const benchmark::State& state) { return static_cast<int>(state.range(0)); }

void BM_SessionLoad(benchmark::State& state) {
    Window window(Arg(state));
    for (auto _ : state) {
        window.Load();
        window.Repaint();
    }
    state.SetBytesProcessed(static_cast<int64_t>(std::filesystem::file_size(window.path)) *
                            static_cast<int64_t>(state.iterations()));
    window.ReportPeak(state);
}

void BM_SessionDecompose(benchmark::State& state) {
    Window window(Arg(state));
    for (auto _ : state) {
        state.PauseTiming();
        window.Load();
        window.Repaint();
        state.ResumeTiming();
        window.DecomposeFully();
        window.Repaint();
    }
    window.ReportPeak(state);
}

void BM_SessionView(benchmark::State& state) {
    Window window(Arg(state));
    window.Load();
    window.DecomposeFully();
    window.Repaint();
    for (auto _ : state) {
        window.ViewLevelOne();
        window.Repaint();
    }
    window.ReportPeak(state);
}

void BM_SessionThreshold(benchmark::State& state) {
    Window window(Arg(state));
    window.Load();
    window.DecomposeFully();
    for (auto _ : state) {
        // Each threshold starts from the untouched level.
        state.PauseTiming();
        window.ViewLevelOne();
        window.Repaint();
        state.ResumeTiming();
        window.session.ApplyThreshold(0, "1");
        window.Repaint();
    }
    window.ReportPeak(state);
}

void BM_SessionReconstruct(benchmark::State& state) {
    Window window(Arg(state));
    for (auto _ : state) {
        state.PauseTiming();
        window.Load();
        window.DecomposeFully();
        window.Repaint();
        state.ResumeTiming();
        window.session.Reconstruct();
        window.Repaint();
    }
    window.ReportPeak(state);
}

// ---- The Denoise panel, the threshold lines and undo ----------------------------

// One step of a line's drag on level 1: the preview rebuilt at the new T and
// both charts repainted (the lines moved on the lower one).
void BM_ThresholdPreview(benchmark::State& state) {
    Window window(Arg(state));
    window.Load();
    window.DecomposeFully();
    window.ViewLevelOne();
    window.charts.ThresholdLines().SetVisible(true);
    app::ThresholdPreview preview(window.charts);
    double t = 0.5;
    for (auto _ : state) {
        t = t == 0.5 ? 0.6 : 0.5;
        preview.Show(window.session, t);
        window.Repaint();
    }
    window.ReportPeak(state);
}

// Apply to All Levels with the default rule and one shift, from the untouched
// decomposition each time, and both repaints.
void BM_ApplyAllLevels(benchmark::State& state) {
    Window window(Arg(state));
    window.Load();
    window.DecomposeFully();
    window.ViewLevelOne();
    analysis::DenoiseOptions options;
    options.shifts = 1;
    for (auto _ : state) {
        state.PauseTiming();
        window.session.Undo();
        window.Repaint();
        state.ResumeTiming();
        window.session.ApplyToAllLevels(options);
        window.Repaint();
    }
    window.ReportPeak(state);
}

// The undo of BM_SessionThreshold's level-1 threshold, with both repaints.
void BM_UndoThreshold(benchmark::State& state) {
    Window window(Arg(state));
    window.Load();
    window.DecomposeFully();
    window.ViewLevelOne();
    for (auto _ : state) {
        state.PauseTiming();
        window.session.ApplyThreshold(0, "1");
        window.Repaint();
        state.ResumeTiming();
        window.session.Undo();
        window.Repaint();
    }
    window.ReportPeak(state);
}

// What the window adds to a step it records for its recipe: the step with
// its shortest threshold text, and the undo that takes it out again. Nothing
// is hashed until a recipe is saved.
void BM_RecordStep(benchmark::State& state) {
    analysis::QuietControls controls;
    recipe::PrivateSession session(controls);
    recipe::SessionRecorder recorder(session.Session());
    recorder.SignalReplaced({"signal.dat", "16777217", {}});
    recorder.Decomposed(24, analysis::Wavelet::Linear);
    double t = 0.1;
    for (auto _ : state) {
        recorder.Thresholded(1, t);
        recorder.Undone();
        t += 1e-9;
    }
}

// Each operation takes up to seconds at 2^24 + 1: a few timed runs suffice.
void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(20)->Arg(24)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SessionLoad)->Apply(Sizes);
BENCHMARK(BM_SessionDecompose)->Apply(Sizes);
BENCHMARK(BM_SessionView)->Apply(Sizes);
BENCHMARK(BM_SessionThreshold)->Apply(Sizes);
BENCHMARK(BM_SessionReconstruct)->Apply(Sizes);
BENCHMARK(BM_ThresholdPreview)->Apply(Sizes);
BENCHMARK(BM_ApplyAllLevels)->Apply(Sizes);
BENCHMARK(BM_UndoThreshold)->Apply(Sizes);
BENCHMARK(BM_RecordStep);

}  // namespace

int main(int argc, char** argv) { return bench::RunGuiBenchmarks(argc, argv); }
