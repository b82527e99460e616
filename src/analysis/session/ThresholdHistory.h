#pragma once
// The thresholding steps done on a decomposition, so that each can be undone
// and redone. A step keeps only what it changed (ChangeStore): the buffer
// positions whose value it rewrote and their old values, gathered in the
// cut's own pass over the buffer; its redo runs its cuts again, which gives
// the same bits.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/denoise/LevelSweep.h"
#include "analysis/session/ChangeStore.h"

namespace analysis {

// Shrinks each cut's level in the buffer, in order, level by level.
void ApplyCuts(double* buffer, std::span<const LevelCut> cuts);

class ThresholdHistory {
public:
    // A step by what does it again: its name and its cuts.
    struct StepCuts {
        std::string name;
        std::vector<LevelCut> cuts;
    };

    // Forgets every step; the in-memory changes of later steps may take up to
    // memoryBudget bytes.
    void Clear(std::size_t memoryBudget);
    // Whether later steps keep their changes. A caller that never undoes
    // (the batch) spares their cost, which on a long signal is a temporary
    // file the size of the buffer: its steps are done and counted, and
    // cannot be undone.
    void SetKeeping(bool keeping) { keeping_ = keeping; }
    bool Keeping() const { return keeping_; }

    // Runs the cuts on buffer as the step `name`, keeping what they change,
    // and forgets the steps undone before it; returns what each cut did
    // when asked to measure (zeros otherwise).
    // Should the history fail to keep the changes (its file, fw::Exception,
    // or memory), the cuts are still finished, the history forgets every
    // step, and the error is thrown on.
    std::vector<ShrinkOutcome> Cut(double* buffer, std::string name, std::vector<LevelCut> cuts, bool measure);

    bool CanUndo() const { return done_ > 0 && steps_[done_ - 1].kept; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The steps done: the next Cut becomes step Done() (from 0), after the
    // steps undone are forgotten.
    std::size_t Done() const { return done_; }
    // The steps done, in order: cut again on the buffer they started from,
    // they give the same bits.
    std::vector<StepCuts> DoneSteps() const;
    // The name of the step Undo / Redo would act on; "" when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Puts the old values of the last step done back into buffer.
    void Undo(double* buffer);
    // Runs the cuts of the step undone last again.
    void Redo(double* buffer);

    // Bytes the kept changes take in memory (not counting the file).
    std::size_t MemoryBytes() const { return changes_.MemoryBytes(); }

private:
    struct Step {
        std::string name;
        std::vector<LevelCut> cuts;
        ChangeStore::Extent changes;
        bool kept = true;
    };
    void DropUndone();

    std::vector<Step> steps_;
    std::size_t done_ = 0;  // steps_[0 ... done_) are done, the rest undone
    std::size_t memoryBudget_ = 0;
    bool keeping_ = true;
    ChangeStore changes_;
    // Where a cut gathers its changes, kept for the next cut: fresh pages
    // cost more than the cut that fills them.
    std::vector<uint32_t> chunkPositions_;
    std::vector<double> chunkValues_;
};

}  // namespace analysis
