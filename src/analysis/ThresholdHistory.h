#pragma once
// The thresholding steps done on a decomposition, so that each can be undone
// and redone. A step keeps only what it changed: the buffer positions whose
// value it rewrote and their old values; its redo runs its cuts again, which
// gives the same bits. The changes of all steps live in memory up to one byte
// per sample of the buffer; beyond that they go to a temporary file of the
// history's own, so a step that rewrites a whole level stays undoable on the
// longest signal without the history outgrowing the buffer it serves.

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

class ThresholdHistory {
public:
    ThresholdHistory();
    ~ThresholdHistory();
    ThresholdHistory(const ThresholdHistory&) = delete;
    ThresholdHistory& operator=(const ThresholdHistory&) = delete;

    // Forgets every step; the in-memory changes of later steps may take up to
    // memoryBudget bytes.
    void Clear(std::size_t memoryBudget);

    // Keeps what the cuts are about to change in buffer, as the step `name`,
    // and forgets the steps undone before it. Call it before the cuts run:
    // should the history fail to keep the changes (fw::Exception), nothing
    // has been changed yet.
    void Record(const double* buffer, std::string name, std::vector<LevelCut> cuts);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The name of the step Undo / Redo would act on; "" when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // Puts the old values of the last step done back into buffer.
    void Undo(double* buffer);
    // Runs the cuts of the step undone last again.
    void Redo(double* buffer);

    // Bytes the kept changes take in memory (not counting the file).
    std::size_t MemoryBytes() const { return memoryBytes_; }

private:
    struct Step {
        std::string name;
        std::vector<LevelCut> cuts;
        std::vector<uint32_t> positions;  // the changes kept in memory
        std::vector<double> values;
        int64_t fileOffset = 0;  // and those in the file
        std::size_t fileCount = 0;
    };
    void DropUndone();
    void RestoreFromFile(double* buffer, const Step& step);
    // Appends changes to the file; returns the offset they start at.
    int64_t Spill(std::span<const uint32_t> positions, std::span<const double> values);

    std::vector<Step> steps_;
    std::size_t done_ = 0;  // steps_[0 ... done_) are done, the rest undone
    std::size_t memoryBudget_ = 0;
    std::size_t memoryBytes_ = 0;
    struct CloseFile {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, CloseFile> file_;  // opened on the first spill
    int64_t fileEnd_ = 0;                         // where the next spill goes
};

}  // namespace analysis
