#include "analysis/session/ThresholdHistory.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <utility>

namespace analysis {
namespace {

double Shrunk(double c, const LevelCut& cut) {
    return cut.shrink == Shrink::Hard ? HardShrink(c, cut.threshold) : SoftShrink(c, cut.threshold);
}

// The cut of a step that covers position p; every step's cuts cover
// distinct levels.
const LevelCut& CutAt(std::span<const LevelCut> cuts, std::size_t p) {
    for (const LevelCut& cut : cuts) {
        const LevelGeometry& l = cut.level;
        if (p >= l.first && (p - l.first) % l.stride == 0 && (p - l.first) / l.stride < std::size_t(l.count))
            return cut;
    }
    return cuts.front();
}

}  // namespace

void ApplyCuts(double* buffer, std::span<const LevelCut> cuts) {
    for (const LevelCut& cut : cuts) {
        ShrinkInPlace(buffer + cut.level.first, cut.level.stride, cut.level.count, cut.threshold, cut.shrink);
    }
}

void ThresholdHistory::Clear(std::size_t memoryBudget) {
    steps_.clear();
    done_ = 0;
    memoryBudget_ = memoryBudget;
    changes_.Clear(memoryBudget);
}

void ThresholdHistory::DropUndone() {
    if (done_ < steps_.size()) changes_.DropFrom(steps_[done_].changes);
    steps_.resize(done_);
}

std::vector<ShrinkOutcome> ThresholdHistory::Cut(double* buffer, std::string name, std::vector<LevelCut> cuts,
                                                 bool measure) {
    DropUndone();
    if (!keeping_) {
        std::vector<ShrinkOutcome> outcomes = SweepLevels(buffer, cuts, measure);
        steps_.push_back({std::move(name), std::move(cuts), {}, false});
        done_ = steps_.size();
        return outcomes;
    }
    // A failure to keep the changes stops the keeping, not the cuts: half a
    // cut would leave a buffer that neither the step nor its undo describes.
    std::exception_ptr failure;
    const auto keep = [&](auto act) {
        if (failure) return;
        try {
            act();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    ChangeStore::Extent extent;
    keep([&] {
        extent = changes_.Begin();
        chunkPositions_.resize(ChangeStore::kChunk);
        chunkValues_.resize(ChangeStore::kChunk);
    });
    // Each coefficient is written to the chunk, where it stays only when it
    // changed, without a branch: whether it changes is as good as random,
    // and a mispredicted branch costs more than the store.
    uint32_t spare = 0;
    double spareValue = 0;
    uint32_t* positions = failure ? &spare : chunkPositions_.data();
    double* values = failure ? &spareValue : chunkValues_.data();
    const std::size_t chunk = failure ? 1 : ChangeStore::kChunk;
    std::size_t held = 0;
    const auto flush = [&] {
        const std::size_t gathered = std::exchange(held, 0);
        keep([&] { changes_.Append(extent, {positions, gathered}, {values, gathered}); });
    };
    std::vector<ShrinkOutcome> outcomes =
        SweepLevels(buffer, cuts, measure, [&](std::size_t position, double old, double now) {
            positions[held] = static_cast<uint32_t>(position);
            values[held] = old;
            // Any change of bits: a negative zero that becomes +0.0 counts.
            held += std::bit_cast<uint64_t>(now) != std::bit_cast<uint64_t>(old);
            if (held == chunk) flush();
        });
    flush();
    keep([&] { changes_.Finish(extent); });
    if (failure) {
        Clear(memoryBudget_);
        std::rethrow_exception(failure);
    }
    steps_.push_back({std::move(name), std::move(cuts), extent, true});
    done_ = steps_.size();
    return outcomes;
}

std::vector<ThresholdHistory::StepCuts> ThresholdHistory::DoneSteps() const {
    std::vector<StepCuts> done;
    for (std::size_t k = 0; k < done_; ++k) done.push_back({steps_[k].name, steps_[k].cuts});
    return done;
}

std::string ThresholdHistory::UndoName() const { return CanUndo() ? steps_[done_ - 1].name : std::string(); }

std::string ThresholdHistory::RedoName() const { return CanRedo() ? steps_[done_].name : std::string(); }

void ThresholdHistory::Undo(double* buffer) {
    if (!CanUndo()) return;
    const Step& step = steps_[done_ - 1];
    // A read that fails leaves the buffer as the step left it: hard cuts run
    // again over what was restored give the same bits; soft ones are not
    // idempotent, so for them the positions restored are shrunk again.
    const bool soft = std::ranges::any_of(step.cuts, [](const LevelCut& cut) { return cut.shrink == Shrink::Soft; });
    std::vector<uint32_t> restored;
    try {
        changes_.Restore(buffer, step.changes, soft ? &restored : nullptr);
    } catch (...) {
        if (soft) {
            for (const uint32_t p : restored) buffer[p] = Shrunk(buffer[p], CutAt(step.cuts, p));
        } else {
            ApplyCuts(buffer, step.cuts);
        }
        throw;
    }
    --done_;
}

void ThresholdHistory::Redo(double* buffer) {
    if (!CanRedo()) return;
    ApplyCuts(buffer, steps_[done_].cuts);
    ++done_;
}

}  // namespace analysis
