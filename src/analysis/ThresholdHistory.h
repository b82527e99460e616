#pragma once
// The thresholding steps done on a decomposition, so that each can be undone
// and redone. A step keeps only what it changed: the buffer positions whose
// value it rewrote and their old values, gathered in the cut's own pass over
// the buffer; its redo runs its cuts again, which gives the same bits. The changes of all steps live in memory up to
// one byte per sample of the buffer; beyond that they go to a temporary file of the history's own, so a step that
// rewrites a whole level stays undoable on the longest signal without the history outgrowing the buffer it serves.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "analysis/LevelGeometry.h"
#include "analysis/Shrinkage.h"

namespace analysis {

// One level's coefficients shrunk by one threshold.
struct LevelCut {
    LevelGeometry level;
    double threshold = 0;
    Shrink shrink = Shrink::Hard;
};

// Shrinks each cut's level in the buffer, in order.
void ApplyCuts(double* buffer, std::span<const LevelCut> cuts);

// Gives back a block of the history's memory whole.
struct HistoryBlockFree {
    std::size_t bytes = 0;
    void operator()(void* block) const noexcept;
};

class ThresholdHistory {
public:
    ThresholdHistory();
    ~ThresholdHistory();
    ThresholdHistory(const ThresholdHistory&) = delete;
    ThresholdHistory& operator=(const ThresholdHistory&) = delete;

    // Forgets every step; the in-memory changes of later steps may take up to
    // memoryBudget bytes.
    void Clear(std::size_t memoryBudget);

    // Runs the cuts on buffer as the step `name`, keeping what they change,
    // and forgets the steps undone before it; returns what each cut did
    // when asked to measure (zeros otherwise).
    // Should the history fail to keep the changes (its file, fw::Exception,
    // or memory), the cuts are still finished, the history forgets every
    // step, and the error is thrown on.
    std::vector<ShrinkOutcome> Cut(double* buffer, std::string name, std::vector<LevelCut> cuts, bool measure);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The steps done: the next Cut becomes step Done() (from 0), after the
    // steps undone are forgotten.
    std::size_t Done() const { return done_; }
    // The name of the step Undo / Redo would act on; "" when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Puts the old values of the last step done back into buffer.
    void Undo(double* buffer);
    // Runs the cuts of the step undone last again.
    void Redo(double* buffer);

    // Bytes the kept changes take in memory (not counting the file).
    std::size_t MemoryBytes() const { return memoryTop_ * (sizeof(uint32_t) + sizeof(double)); }

private:
    struct Step {
        std::string name;
        std::vector<LevelCut> cuts;
        std::size_t memoryFirst = 0;  // the changes kept in memory
        std::size_t memoryCount = 0;
        int64_t fileOffset = 0;  // and those in the file
        std::size_t fileCount = 0;
    };
    void DropUndone();
    void RestoreFromFile(double* buffer, const Step& step);
    // Appends changes to the file; returns the offset they start at.
    int64_t Spill(std::span<const uint32_t> positions, std::span<const double> values);

    template <typename T>
    using Block = std::unique_ptr<T[], HistoryBlockFree>;
    template <typename T>
    static Block<T> AllocateArray(std::size_t count);

    std::vector<Step> steps_;
    std::size_t done_ = 0;  // steps_[0 ... done_) are done, the rest undone
    std::size_t memoryBudget_ = 0;
    // The in-memory changes of every step, a stack as the file is: one block
    // for the whole budget, mapped once and reused by step after step, since
    // fresh pages cost more than the cut that fills them.
    std::size_t memoryCapacity_ = 0;
    std::size_t memoryTop_ = 0;
    Block<uint32_t> memoryPositions_;
    Block<double> memoryValues_;
    // Where a cut gathers its changes, and a file chunk waits; kept for the
    // next cut for the same reason.
    std::vector<uint32_t> chunkPositions_;
    std::vector<double> chunkValues_;
    std::vector<uint32_t> filePositions_;
    std::vector<double> fileValues_;
    struct CloseFile {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, CloseFile> file_;  // opened on the first spill
    int64_t fileEnd_ = 0;                         // where the next spill goes
};

}  // namespace analysis
