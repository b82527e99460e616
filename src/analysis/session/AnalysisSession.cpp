#include "analysis/session/AnalysisSession.h"

#include <algorithm>

#include "analysis/denoise/LevelSweep.h"
#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/io/ReadWarning.h"
#include "analysis/io/SampleReader.h"
#include "analysis/denoise/Thresholding.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace analysis {

AnalysisSession::AnalysisSession(PlotSink& signalPlot, PlotSink& reconstructionPlot, PlotSink& viewPlot,
                                 ControlSink& controls)
    : signalPlot_(signalPlot), reconstructionPlot_(reconstructionPlot), viewPlot_(viewPlot), controls_(controls) {}

void AnalysisSession::Load(const std::string& countText, const std::string& fileName, const ReadProgress& progress) {
    if (countText.empty()) return;
    const SignalSize size = CountToLoad(countText);
    // Past the count, nothing shows the load before its file is read: a
    // buffer that cannot be had, a read that fails (out of memory on a giant
    // token), a file that gives no sample at all or a read cancelled through
    // the progress callback then leaves the session, every plot and every
    // control as they were. A cancel ends the load silently (fw::EAbort).
    std::shared_ptr<DyadicSignal> samples =
        fw::MapOutOfMemory([&size] { return std::make_shared<DyadicSignal>(size.J); });
    const ReadResult read = ReadSamples(fileName, samples->Data(), size.N, progress);
    if (read.stop == ReadStop::Cancelled) throw fw::EAbort();
    ThrowIfReadFailed(fileName, read);
    // A file that gave fewer than N samples is reported once the load is done.
    TakeSignal(size, std::move(samples), size.N, {fileName, countText, {}});
    if (read.stop != ReadStop::Complete) controls_.ShowWarning(DescribeIncompleteRead(fileName, read, n_));
}

void AnalysisSession::LoadRead(const std::string& countText, const std::string& fileName, WholeFileRead whole) {
    const SignalSize size = CountToLoad(countText);
    if (!whole.samples || whole.samples->N() != size.N) {
        throw fw::Exception("The count " + countText + " is not that of the file " + QuotedName(fileName) + " read");
    }
    TakeSignal(size, std::move(whole.samples), size.N, {fileName, countText, {}});
    // A load of N samples would stop where the whole read stopped.
    if (whole.read.stored < size.N) controls_.ShowWarning(DescribeIncompleteRead(fileName, whole.read, n_));
}

void AnalysisSession::LoadSignal(const double* grid, std::size_t gridSize, int32_t signalSamples,
                                 const SignalOrigin& origin, const std::string& warning) {
    const SignalSize size = NormaliseCount(static_cast<int32_t>(std::min<std::size_t>(gridSize, kMaxSamples + 1)));
    if (static_cast<std::size_t>(size.N) != gridSize || signalSamples < 1 || signalSamples > size.N) {
        throw fw::Exception("A signal of " + std::to_string(signalSamples) + " samples on a grid of " +
                            std::to_string(gridSize) + " is no signal to load");
    }
    std::shared_ptr<DyadicSignal> samples =
        fw::MapOutOfMemory([&size] { return std::make_shared<DyadicSignal>(size.J); });
    std::copy(grid, grid + gridSize, samples->Data());
    TakeSignal(size, std::move(samples), signalSamples, origin);
    if (!warning.empty()) controls_.ShowWarning(warning);
}

void AnalysisSession::TakeSignal(SignalSize size, std::shared_ptr<DyadicSignal> samples, int32_t signalSamples,
                                 const SignalOrigin& origin) {
    viewPlot_.Clear();
    controls_.ShowCount(fw::IntToStr(size.N));
    controls_.SetLevelChoices(size.J);

    // The new signal replaces the old one and its analysis starts afresh (no
    // decomposition, view, view items, reconstruction, mean, Thresholding or
    // Reconstruct), then it is plotted and can be decomposed.
    n_ = size.N;
    j_ = size.J;
    signalSamples_ = signalSamples;
    samples_ = std::move(samples);
    StartFreshAnalysis();
    // Told before the plot, which may run out of memory with the signal loaded.
    if (stepSink_) stepSink_->SignalReplaced(origin);
    PlotNewSignal();
    controls_.EnableDecompose(true);
}

SignalSize AnalysisSession::CountToLoad(const std::string& countText) {
    try {
        return NormaliseCount(fw::StrToInt(countText));
    } catch (const fw::Exception&) {
        // A load always begins by emptying the view plot; a count that is no
        // count ends it there.
        viewPlot_.Clear();
        throw;
    }
}

void AnalysisSession::PlotNewSignal() {
    try {
        fw::MapOutOfMemory([this] {
            signalPlot_.Clear();
            // The plot keeps the loaded block itself; the buffer moves to a
            // copy of its own when Decompose first writes it, and the block
            // stays what a denoising over shifts starts from.
            signalPlot_.AddShared(samples_->Share(), n_ - 1);
        });
    } catch (const fw::EOutOfMemory&) {
        // The signal is loaded by now: a plot that ran out of memory is
        // emptied rather than left partial, and the signal can still be
        // decomposed.
        signalPlot_.Clear();
        controls_.EnableDecompose(true);
        throw;
    }
}

void AnalysisSession::StartFreshAnalysis() {
    levels_ = -1;
    takenDown_.reset();
    redoReconstruct_ = false;
    ForgetHistory();
    viewedLevel_ = -1;
    view_ = CoefficientView();
    controls_.SetViewChoices(0);
    reconstructionPlot_.Clear();
    controls_.ShowMean("");
    controls_.EnableThreshold(false);
    controls_.EnableReconstruct(false);
}

void AnalysisSession::Decompose(int32_t levelIndex) {
    if (levelIndex == -1) return;
    if (!samples_ || levelIndex < 0 || levelIndex >= j_) throw fw::ListIndexError(levelIndex);
    const int32_t levels = levelIndex + 1;
    // The signal decomposed now is the buffer as it is: a reconstruction
    // stays, and no longer undoes.
    takenDown_.reset();
    redoReconstruct_ = false;
    reconstructionPlot_.Clear();
    viewPlot_.Clear();
    // A decomposition the buffer holds is undone first, its thresholds kept:
    // transformed again, its coefficients would make a buffer that no
    // Reconstruct brings back.
    const bool undone = UndoDecomposition();
    if (signalKept_) beforeDecompose_ = samples_->Share();
    try {
        ForwardTransform(*samples_, levels, wavelet_);
    } catch (...) {
        beforeDecompose_.reset();
        // The buffer holds the undone signal now: nothing is left to view or
        // threshold.
        if (undone) {
            controls_.SetViewChoices(0);
            controls_.EnableThreshold(false);
        }
        throw;
    }
    levels_ = levels;
    decomposedWavelet_ = wavelet_;
    ForgetHistory();
    // The old view names positions of the old decomposition: nothing is
    // viewed until the user picks an item of the new one.
    viewedLevel_ = -1;
    view_ = CoefficientView();
    controls_.SetViewChoices(levels_ + 1);
    if (levels_ == j_) ShowMeanReadout();
    controls_.EnableThreshold(true);
    controls_.EnableReconstruct(true);
    if (stepSink_) stepSink_->Decomposed(levels_, decomposedWavelet_);
}

void AnalysisSession::SelectViewLevel(int32_t viewIndex) {
    if (levels_ < 1 || viewIndex < 0 || viewIndex > levels_) throw fw::ListIndexError(viewIndex);
    viewPlot_.Clear();
    viewedLevel_ = viewIndex + 1;
    view_ = CoefficientView();
    view_ = BuildView(samples_, levels_, viewedLevel_);
    PlotView();
}

void AnalysisSession::ApplyThreshold(int32_t viewIndex, const std::string& thresholdText) {
    if (viewIndex == -1) return;
    threshold_ = ParseThreshold(thresholdText);
    if (view_.Count() > 0 && view_.Buffer() == samples_.get()) {
        const std::string item = viewedLevel_ > levels_ ? "Approximation" : "Level " + fw::IntToStr(viewedLevel_);
        const LevelGeometry level{view_.Position(0), view_.Stride(), view_.Count()};
        CutKept("Thresholding " + item, {{level, threshold_, Shrink::Hard}}, false);
        Tell([viewed = viewedLevel_, t = threshold_](StepSink& sink) { sink.Thresholded(viewed, t); });
    } else {
        HardThreshold(view_, threshold_);
    }
    ShowChangedCoefficients();
}

std::vector<ShrinkOutcome> AnalysisSession::CutKept(std::string name, std::vector<LevelCut> cuts, bool measure,
                                                    std::optional<DenoiseOptions> averaged) {
    try {
        // The cut forgets the steps undone, a Reconstruct undone among
        // them; so do their options.
        redoReconstruct_ = false;
        keptSteps_.resize(history_.Done());
        std::vector<ShrinkOutcome> outcomes = history_.Cut(samples_->Data(), std::move(name), std::move(cuts), measure);
        keptSteps_.push_back({std::move(averaged), {}});
        return outcomes;
    } catch (...) {
        // The cuts are done, only no longer undoable: the history starts
        // again from this buffer.
        ForgetHistory();
        ShowChangedCoefficients();
        throw;
    }
}

std::string AnalysisSession::UndoName() const { return ReconstructUndoable() ? "Reconstruct" : history_.UndoName(); }

std::string AnalysisSession::RedoName() const {
    return history_.CanRedo() || !redoReconstruct_ ? history_.RedoName() : "Reconstruct";
}

bool AnalysisSession::AppliedToAllLast() const {
    const std::size_t done = history_.Done();
    return levels_ >= 1 && done > 0 && done <= keptSteps_.size() && keptSteps_[done - 1].allLevels;
}

void AnalysisSession::Undo() {
    if (ReconstructUndoable()) return UndoReconstruct();
    if (levels_ < 1 || !history_.CanUndo()) return;
    history_.Undo(samples_->Data());
    if (stepSink_) stepSink_->Undone();
    ShowChangedCoefficients();
}

void AnalysisSession::Redo() {
    if (levels_ >= 1 && redoReconstruct_ && !history_.CanRedo()) return Reconstruct();
    if (levels_ < 1 || !history_.CanRedo()) return;
    history_.Redo(samples_->Data());
    // A step redone is told again as it was first told.
    if (stepSink_ && keptSteps_[history_.Done() - 1].tell) keptSteps_[history_.Done() - 1].tell(*stepSink_);
    ShowChangedCoefficients();
}

void AnalysisSession::ShowChangedCoefficients() {
    if (levels_ == j_) ShowMeanReadout();
    viewPlot_.Clear();
    PlotView();
}

std::vector<LevelReport> AnalysisSession::ApplyToAllLevels(DenoiseOptions options) {
    if (levels_ < 1) throw fw::Exception("Decompose the signal first");
    options.levels = levels_;
    options.wavelet = decomposedWavelet_;
    // The rules' thresholds, from the decomposition as it was made, as
    // Denoise chooses them; the cuts shrink as Denoise shrinks, so the
    // coefficients are the batch's bit for bit.
    const LevelChoice choice = ChooseThresholds(options);
    std::vector<LevelCut> cuts;
    for (int32_t k = 1; k <= levels_; ++k) {
        cuts.push_back(
            {LevelGeometry::Details(j_, k), choice.thresholds[static_cast<std::size_t>(k) - 1], options.shrink});
    }
    std::optional<DenoiseOptions> averaged;
    if (options.shifts > 1 || options.wiener) {
        // Denoise thresholds the approximation only when given a threshold
        // for it, which the session's step never does.
        if (options.itemThresholds.size() > static_cast<std::size_t>(levels_)) {
            options.itemThresholds[static_cast<std::size_t>(levels_)].reset();
        }
        averaged = options;
        RequireKeptSignal();
    }
    const std::vector<ShrinkOutcome> outcomes = CutKept("Apply to All Levels", cuts, true, averaged);
    keptSteps_.back().allLevels = true;
    std::vector<LevelReport> reports;
    for (std::size_t k = 0; k < cuts.size(); ++k) {
        const ShrinkOutcome& outcome = outcomes[k];
        reports.push_back({static_cast<int32_t>(k) + 1, choice.sigmas[k], cuts[k].threshold, outcome.zeroed,
                           cuts[k].level.count, EnergyKept(outcome), choice.risks[k]});
    }
    // As it ran: over the session's levels, the approximation left alone.
    options.itemThresholds.resize(std::min(options.itemThresholds.size(), static_cast<std::size_t>(levels_)));
    Tell([options, reports](StepSink& sink) { sink.AppliedToAllLevels(options, reports); });
    ShowChangedCoefficients();
    return reports;
}

template <typename Read>
void AnalysisSession::ReadDecomposed(Read read) {
    double* y = samples_->Data();
    int32_t undone = 0;
    for (; history_.CanUndo(); ++undone) history_.Undo(y);
    // A step that kept no changes stands between the buffer and the
    // decomposition as it was made.
    if (history_.Done() > 0) {
        for (; undone > 0; --undone) history_.Redo(y);
        throw fw::Exception("The decomposition as Decompose left it is gone: its steps cannot be undone");
    }
    const auto redo = [&] {
        for (; undone > 0; --undone) history_.Redo(y);
    };
    // A reader that refuses (options a rule cannot take) leaves the steps done.
    try {
        read(static_cast<const double*>(y));
    } catch (...) {
        redo();
        throw;
    }
    redo();
}

LevelChoice AnalysisSession::ChooseThresholds(DenoiseOptions options) {
    if (levels_ < 1) throw fw::Exception("Decompose the signal first");
    options.levels = levels_;
    options.wavelet = decomposedWavelet_;
    LevelChoice choice;
    ReadDecomposed([&](const double* y) { choice = ChooseLevelThresholds(y, j_, options); });
    sampleNoise_ = choice.sampleSigma;
    return choice;
}

AutoChoice AnalysisSession::ChooseAutomatically(DenoiseOptions base) const {
    if (levels_ < 1) throw fw::Exception("Decompose the signal first");
    base.levels = levels_;
    base.itemThresholds.clear();
    RequireKeptSignal();
    return analysis::ChooseAutomatically(beforeDecompose_.get(), j_, base, {});
}

double AnalysisSession::SampleNoise() {
    if (levels_ < 1) throw fw::Exception("Decompose the signal first");
    if (!sampleNoise_) {
        ReadDecomposed([&](const double* y) { sampleNoise_ = SampleNoiseOf(y, j_, decomposedWavelet_); });
    }
    return *sampleNoise_;
}

std::vector<ShrinkOutcome> AnalysisSession::LevelOutcomes() {
    if (levels_ < 1) throw fw::Exception("Decompose the signal first");
    if (decomposedEnergies_.empty()) {
        ReadDecomposed([&](const double* y) {
            for (int32_t k = 1; k <= levels_; ++k)
                decomposedEnergies_.push_back(MeasureLevel(y, LevelGeometry::Details(j_, k)).energyBefore);
        });
    }
    std::vector<ShrinkOutcome> outcomes;
    for (int32_t k = 1; k <= levels_; ++k) {
        ShrinkOutcome outcome = MeasureLevel(std::as_const(*samples_).Data(), LevelGeometry::Details(j_, k));
        outcome.energyBefore = decomposedEnergies_[static_cast<std::size_t>(k) - 1];
        outcomes.push_back(outcome);
    }
    return outcomes;
}

std::pair<int64_t, int64_t> AnalysisSession::ZeroDetails() const {
    if (levels_ < 1) return {0, 0};
    int64_t zero = 0;
    int64_t total = 0;
    for (int32_t k = 1; k <= levels_; ++k) {
        const LevelGeometry level = LevelGeometry::Details(j_, k);
        zero += MeasureLevel(std::as_const(*samples_).Data(), level).zeroed;
        total += level.count;
    }
    return {zero, total};
}

void AnalysisSession::PreviewThreshold(double t, double* out) const {
    if (levels_ < 1 || view_.Count() == 0) throw fw::Exception("Choose a level to view first");
    const DyadicSignal& samples = *samples_;
    std::copy(samples.Data(), samples.Data() + n_, out);
    ShrinkInPlace(out + view_.Position(0), view_.Stride(), view_.Count(), t, Shrink::Hard);
    // Thresholding lowers no magnitude: a bound on the buffer bounds the copy.
    InverseTransform(decomposedWavelet_, out, j_, levels_, samples.MagnitudeBound());
}

void AnalysisSession::RequireKeptSignal() const {
    if (!beforeDecompose_) throw fw::Exception("The signal the decomposition was made from is not kept");
}

const DenoiseOptions* AnalysisSession::AveragedStepDone() const {
    const std::size_t done = history_.Done();
    if (levels_ < 1 || done == 0 || done > keptSteps_.size() || !keptSteps_[done - 1].averaged) return nullptr;
    return &*keptSteps_[done - 1].averaged;
}

void AnalysisSession::Tell(std::function<void(StepSink&)> tell) {
    keptSteps_.back().tell = std::move(tell);
    if (stepSink_) keptSteps_.back().tell(*stepSink_);
}

void AnalysisSession::ForgetHistory() {
    ++decompositionId_;
    decomposedEnergies_.clear();
    sampleNoise_.reset();
    keptSteps_.clear();
    // One byte per sample: the most memory the history may take beside the buffer.
    history_.Clear(static_cast<std::size_t>(n_));
}

void AnalysisSession::Reconstruct() {
    // Kept only where steps are undone: it holds the signal the
    // decomposition was made from.
    std::optional<TakenDown> takenDown;
    if (levels_ >= 1 && history_.Keeping() && beforeDecompose_) {
        keptSteps_.resize(std::min(keptSteps_.size(), history_.Done()));
        takenDown =
            TakenDown{levels_, decomposedWavelet_, beforeDecompose_, history_.DoneSteps(), keptSteps_, viewedLevel_};
    }
    const bool undone = UndoDecomposition();
    redoReconstruct_ = false;
    if (undone) takenDown_ = std::move(takenDown);
    if (undone && stepSink_) stepSink_->Reconstructed();
    controls_.SetViewChoices(0);
    viewPlot_.Clear();
    reconstructionPlot_.Clear();
    // The plot keeps the buffer itself: it is the reconstruction until the
    // next Decompose, which clears this plot before it transforms.
    if (samples_) reconstructionPlot_.AddShared(samples_->Share(), n_ - 1);
    controls_.EnableThreshold(false);
}

void AnalysisSession::UndoReconstruct() {
    TakenDown taken = std::move(*takenDown_);
    takenDown_.reset();
    // The decomposition made again from the same signal, and its steps cut
    // again, give the buffer Reconstruct inverted, bit for bit.
    std::copy(taken.before.get(), taken.before.get() + n_, samples_->Data());
    ForwardTransform(*samples_, taken.levels, taken.wavelet);
    levels_ = taken.levels;
    decomposedWavelet_ = taken.wavelet;
    beforeDecompose_ = std::move(taken.before);
    ForgetHistory();
    reconstructionPlot_.Clear();
    controls_.SetViewChoices(levels_ + 1);
    controls_.EnableThreshold(true);
    viewedLevel_ = taken.viewedLevel;
    view_ = viewedLevel_ >= 1 ? BuildView(samples_, levels_, viewedLevel_) : CoefficientView();
    redoReconstruct_ = true;
    if (stepSink_) stepSink_->Undone();
    std::size_t cut = 0;
    try {
        for (; cut < taken.steps.size(); ++cut) {
            history_.Cut(samples_->Data(), taken.steps[cut].name, taken.steps[cut].cuts, false);
        }
        keptSteps_ = std::move(taken.kept);
    } catch (...) {
        // The history failed to keep a step, which it finished all the same:
        // the rest are cut too, only no longer undoable.
        while (++cut < taken.steps.size()) ApplyCuts(samples_->Data(), taken.steps[cut].cuts);
        ForgetHistory();
        ShowChangedCoefficients();
        throw;
    }
    ShowChangedCoefficients();
}

bool AnalysisSession::UndoDecomposition() {
    if (levels_ < 1) return false;
    // Levels changes only with the buffer: an inverse that fails leaves the
    // buffer as it was, and then the decomposition it holds is the old one.
    if (const DenoiseOptions* averaged = AveragedStepDone()) {
        // The average of the shifted copies, as the batch gives it: no
        // decomposition holds it bit for bit, so it is made from the signal
        // the step started from, when it is asked for.
        const DenoiseResult denoised = Denoise(beforeDecompose_.get(), j_, *averaged);
        std::copy(denoised.signal.begin(), denoised.signal.end(), samples_->Data());
    } else {
        InverseTransform(*samples_, levels_, decomposedWavelet_);
    }
    levels_ = -1;
    beforeDecompose_.reset();
    ForgetHistory();
    return true;
}

void AnalysisSession::PlotView() {
    if (view_.Count() == 0) return;
    viewPlot_.AddYs(view_.Entries(), static_cast<std::ptrdiff_t>(view_.Stride()), view_.Count(), "", kAddedPointColour);
}

void AnalysisSession::ShowMeanReadout() {
    const DyadicSignal& samples = *samples_;
    const long double sum = static_cast<long double>(samples[0]) + static_cast<long double>(samples[n_ - 1]);
    controls_.ShowMean(fw::FloatToStrF(0.5L * sum, fw::ffFixed, 5, 2));
}

}  // namespace analysis
