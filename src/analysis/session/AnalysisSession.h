#pragma once
// The state of the tool and its five user operations. Each operation emits its
// effects on the plots and controls in a fixed order and stops at the first
// error; what it did before the error stays done.

#include <cstdint>
#include <memory>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/transform/CoefficientView.h"
#include "analysis/session/ControlSink.h"
#include "analysis/denoise/AutoChoice.h"
#include "analysis/denoise/Denoise.h"
#include "analysis/session/WholeFileRead.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/session/PlotSink.h"
#include "analysis/session/StepSink.h"
#include "analysis/io/SampleReader.h"
#include "analysis/session/ThresholdHistory.h"

namespace analysis {

class AnalysisSession {
public:
    AnalysisSession(PlotSink& signalPlot, PlotSink& reconstructionPlot, PlotSink& viewPlot, ControlSink& controls);

    // Each step that takes effect is told to sink (null: nobody listens).
    void SetStepSink(StepSink* sink) { stepSink_ = sink; }
    // A session whose thresholding steps nobody undoes (a batch run) keeps
    // none of their changes: Undo does nothing, and a rule's read of the
    // decomposition as Decompose left it must come before the first step.
    void SetUndoable(bool undoable) { history_.SetKeeping(undoable); }
    // A session none of whose steps average shifted copies or ask the
    // automatic choice of it (a batch run of typed thresholds) need not keep
    // the signal each Decompose transforms: beside the buffer it is the
    // largest block a run takes, and a fresh one to fill. Such a step then
    // throws fw::Exception; a Reconstruct is not undone.
    void SetSignalKept(bool kept) { signalKept_ = kept; }

    // A load that reads its file starts a fresh analysis of the new signal and
    // warns (ControlSink::ShowWarning) when the file gave fewer than N samples.
    // A file that gives no sample ends the load with EFileError and leaves
    // everything as it was; so does a read that progress cancels, with
    // fw::EAbort, and one that runs out of memory.
    void Load(const std::string& countText, const std::string& fileName, const ReadProgress& progress = {});
    // Load(countText, fileName) of a file ReadWholeFile has read, countText
    // being its count of numbers: the same signal and warning without a
    // second read. Throws fw::Exception for a read of another count.
    void LoadRead(const std::string& countText, const std::string& fileName, WholeFileRead whole);

    // A signal read elsewhere (an import): the N = 2^J + 1 samples at grid,
    // of which the first signalSamples (1 ... N) are the signal and the rest
    // its extension to the grid; origin says where it came from. Starts a
    // fresh analysis as Load does, and shows warning (a file that gave fewer
    // samples than it promised) once it is done; a grid whose size is not
    // 2^J + 1 (J >= 2) throws fw::Exception and changes nothing.
    void LoadSignal(const double* grid, std::size_t size, int32_t signalSamples, const SignalOrigin& origin = {},
                    const std::string& warning = "");
    // A decomposition the buffer holds is undone first, as Reconstruct would
    // undo it, so the new one starts from the (thresholded) signal.
    void Decompose(int32_t levelIndex);
    void SelectViewLevel(int32_t viewIndex);
    void ApplyThreshold(int32_t viewIndex, const std::string& thresholdText);
    void Reconstruct();

    // The thresholding steps on the decomposition the buffer holds (a Load
    // or Decompose forgets them): undo puts back the values a step changed,
    // bit for bit, redo runs it again; both then replot the view and, at the
    // deepest decomposition, the mean readout. A Reconstruct is a step too,
    // while the session keeps its steps: undone, the buffer holds the
    // thresholded decomposition again, bit for bit, with its steps and its
    // view, and the reconstruction plot is empty.
    bool CanUndo() const { return history_.CanUndo() || ReconstructUndoable(); }
    bool CanRedo() const { return history_.CanRedo() || redoReconstruct_; }
    // "Thresholding Level 2", "Apply to All Levels", "Reconstruct", ...; "" for none.
    std::string UndoName() const;
    std::string RedoName() const;
    void Undo();
    void Redo();
    // Whether the last step done is a Reconstruct that Undo takes back.
    bool ReconstructUndoable() const { return levels_ < 1 && takenDown_.has_value(); }
    // Whether the last step done is an Apply to All Levels.
    bool AppliedToAllLast() const;
    const ThresholdHistory& History() const { return history_; }
    // Changes whenever the buffer begins a new content (Load, Decompose,
    // Reconstruct): what was worked out for the old one is stale.
    uint64_t DecompositionId() const { return decompositionId_; }

    // Every detail level of the decomposition thresholded as Denoise does it
    // with options (whose levels are the session's), as one undoable step;
    // what each level went through. Requires a decomposition.
    //
    // With several shifts the step is the whole signal's denoising, as the
    // batch's: the buffer's levels are cut as with one shift (Denoise's plain
    // decomposition, whose report this is), and while the step is the last
    // one done, Reconstruct gives Denoise's average of the shifted copies of
    // the signal as it was before Decompose instead of the buffer's inverse.
    // The steps done before it do not enter that average; a step after it
    // makes Reconstruct invert the buffer again. options.itemThresholds then
    // holds only the thresholds given, as each shifted copy takes the rest
    // from the rule; the approximation is left alone either way.
    std::vector<LevelReport> ApplyToAllLevels(DenoiseOptions options);
    // Whether the last step done averages shifts, so that Reconstruct gives
    // that average.
    bool AveragesShifts() const { return AveragedStepDone() != nullptr; }
    // The noise and the thresholds options give each detail level, and each
    // level's sum of squares, all taken on the decomposition as Decompose
    // left it, before any thresholding. Requires a decomposition.
    LevelChoice ChooseThresholds(DenoiseOptions options);
    // --auto's choice for the signal the decomposition was made from, over
    // its levels with base's shifts. Requires a decomposition.
    AutoChoice ChooseAutomatically(DenoiseOptions base) const;
    // Per detail level 1 ... L, what the steps done made of it: its zeros
    // now (zeroed), its sum of squares as Decompose left it (energyBefore)
    // and now (energyAfter). Requires a decomposition.
    std::vector<ShrinkOutcome> LevelOutcomes();
    // The noise on the samples, estimated from the level-1 details of the
    // decomposition as Decompose left it. Requires a decomposition.
    double SampleNoise();
    // How many of the decomposition's detail coefficients are zero, and how
    // many there are; {0, 0} without a decomposition.
    std::pair<int64_t, int64_t> ZeroDetails() const;
    // The signal the decomposition would give back were the viewed item
    // thresholded at t, written to out (N values); the buffer stays as it
    // is. Requires a decomposition and a viewed item.
    void PreviewThreshold(double t, double* out) const;

    int32_t N() const { return n_; }
    // The samples that are the signal: N after Load, fewer after an import
    // whose signal was extended to the grid.
    int32_t SignalSamples() const { return signalSamples_; }
    int32_t J() const { return j_; }
    int32_t Levels() const { return levels_; }
    // The transform the next Decompose uses, and the one the decomposition
    // the buffer holds was made with.
    void SetWavelet(Wavelet wavelet) { wavelet_ = wavelet; }
    Wavelet NextWavelet() const { return wavelet_; }
    Wavelet DecomposedWavelet() const { return decomposedWavelet_; }
    double Threshold() const { return threshold_; }
    int32_t ViewedLevel() const { return viewedLevel_; }
    // The sample buffer; null before the first load.
    const DyadicSignal* Samples() const { return samples_.get(); }
    const CoefficientView& View() const { return view_; }

private:
    // The normalised count of countText; a text that is no count empties the
    // view plot and throws.
    SignalSize CountToLoad(const std::string& countText);
    // The new signal replaces the old one: a fresh analysis, then its plot.
    void TakeSignal(SignalSize size, std::shared_ptr<DyadicSignal> samples, int32_t signalSamples,
                    const SignalOrigin& origin);
    // The inverse over Levels, when the buffer holds a decomposition; tells
    // whether it did.
    bool UndoDecomposition();
    // A new signal starts a new analysis: no decomposition, no view.
    void StartFreshAnalysis();
    // Puts back the decomposition the last Reconstruct took down.
    void UndoReconstruct();
    void PlotNewSignal();
    void PlotView();
    void ShowMeanReadout();
    // Forgets the thresholding steps, as a new buffer content begins.
    void ForgetHistory();
    // Runs read on the buffer as Decompose left it: the steps done are undone
    // for it and done again afterwards, which gives the same bits.
    template <typename Read>
    void ReadDecomposed(Read read);
    // Runs the cuts as one step of the history; should the history fail to
    // keep it, the step is done all the same and the history forgotten.
    // averaged: the options of a denoising over shifts the step stands for.
    std::vector<ShrinkOutcome> CutKept(std::string name, std::vector<LevelCut> cuts, bool measure,
                                       std::optional<DenoiseOptions> averaged = std::nullopt);
    // Throws when SetSignalKept(false) left no signal for a step that needs it.
    void RequireKeptSignal() const;
    // The options of the last step done when it averages shifts, else null.
    const DenoiseOptions* AveragedStepDone() const;
    // Tells the step just cut to the step sink, and keeps how, so that a
    // redo tells it again.
    void Tell(std::function<void(StepSink&)> tell);
    // The view and the mean readout after the buffer's coefficients changed.
    void ShowChangedCoefficients();

    PlotSink& signalPlot_;
    PlotSink& reconstructionPlot_;
    PlotSink& viewPlot_;
    ControlSink& controls_;
    StepSink* stepSink_ = nullptr;

    int32_t n_ = 0;
    int32_t signalSamples_ = 0;
    int32_t j_ = 0;
    int32_t levels_ = -1;
    Wavelet wavelet_ = Wavelet::Linear;
    Wavelet decomposedWavelet_ = Wavelet::Linear;
    double threshold_ = 0.0;
    int32_t viewedLevel_ = -1;
    std::shared_ptr<DyadicSignal> samples_;
    // The buffer as it was before the decomposition it holds, which a
    // denoising over shifts starts from; null without one. Shared, never
    // written: after a load it is the block the signal plot shows, so
    // keeping it costs no copy beyond the one the buffer's transform makes.
    std::shared_ptr<const double[]> beforeDecompose_;
    bool signalKept_ = true;
    CoefficientView view_;
    ThresholdHistory history_;
    // Per step of the history: the options of a denoising over shifts
    // (nullopt for a plain cut), and how the step is told to the step sink.
    struct KeptStep {
        std::optional<DenoiseOptions> averaged;
        std::function<void(StepSink&)> tell;
        bool allLevels = false;  // an Apply to All Levels
    };
    std::vector<KeptStep> keptSteps_;
    // The decomposition a Reconstruct took down, by what makes it again: the
    // signal it was made from, its transform and the steps done on it.
    struct TakenDown {
        int32_t levels;
        Wavelet wavelet;
        std::shared_ptr<const double[]> before;
        std::vector<ThresholdHistory::StepCuts> steps;
        std::vector<KeptStep> kept;
        int32_t viewedLevel;
    };
    std::optional<TakenDown> takenDown_;
    bool redoReconstruct_ = false;            // the last Reconstruct was undone and nothing done since
    std::vector<double> decomposedEnergies_;  // per detail level; empty until asked for
    std::optional<double> sampleNoise_;       // none until asked for
    uint64_t decompositionId_ = 0;
};

}  // namespace analysis
