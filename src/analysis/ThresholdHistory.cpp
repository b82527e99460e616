#include "analysis/ThresholdHistory.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <exception>
#include <utility>

#include "framework/core/Exceptions.h"
#include "framework/core/LargeBlock.h"

namespace analysis {
namespace {

// Changes go to the file in chunks of this many: a chunk's positions, then
// its values. Every chunk of a step is full but its last, so a step needs
// only its first offset and its count to be read back.
constexpr std::size_t kSpillChunk = std::size_t{1} << 16;
constexpr std::size_t kChangeBytes = sizeof(uint32_t) + sizeof(double);

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

// Positions are visited in blocks of this many (32 KiB), every cut's
// coefficients in a block while it sits in the cache: level by level, each of
// the finest levels alone would sweep every cache line of the buffer.
constexpr std::size_t kBlockPositions = std::size_t{1} << 12;

// The first coefficient of level l at position p or beyond; l.count if none.
int32_t FirstIndexFrom(const LevelGeometry& l, std::size_t p) {
    const std::size_t i = p <= l.first ? 0 : (p - l.first + l.stride - 1) / l.stride;
    return static_cast<int32_t>(std::min(i, static_cast<std::size_t>(l.count)));
}

[[noreturn]] void FileFailed() {
    throw fw::Exception(std::string("The undo history could not use its temporary file: ") + std::strerror(errno));
}

}  // namespace

void ApplyCuts(double* buffer, std::span<const LevelCut> cuts) {
    for (const LevelCut& cut : cuts) {
        ShrinkInPlace(buffer + cut.level.first, cut.level.stride, cut.level.count, cut.threshold, cut.shrink);
    }
}

ThresholdHistory::ThresholdHistory() = default;
ThresholdHistory::~ThresholdHistory() = default;

void HistoryBlockFree::operator()(void* block) const noexcept { fw::FreeBlock(block, bytes); }

template <typename T>
ThresholdHistory::Block<T> ThresholdHistory::AllocateArray(std::size_t count) {
    const std::size_t bytes = std::max<std::size_t>(count, 1) * sizeof(T);
    return Block<T>(static_cast<T*>(fw::AllocateBlock(bytes)), HistoryBlockFree{bytes});
}

void ThresholdHistory::Clear(std::size_t memoryBudget) {
    steps_.clear();
    done_ = 0;
    memoryBudget_ = memoryBudget;
    memoryTop_ = 0;
    fileEnd_ = 0;
    // The block stays for a budget of the same size: the next decomposition
    // of the same signal reuses its pages.
    if (memoryBudget / kChangeBytes != memoryCapacity_) {
        memoryPositions_.reset();
        memoryValues_.reset();
        memoryCapacity_ = 0;
    }
}

void ThresholdHistory::DropUndone() {
    while (steps_.size() > done_) {
        const Step& last = steps_.back();
        memoryTop_ = last.memoryFirst;
        fileEnd_ = last.fileCount > 0 ? last.fileOffset : fileEnd_;
        steps_.pop_back();
    }
}

std::vector<ShrinkOutcome> ThresholdHistory::Cut(double* buffer, std::string name, std::vector<LevelCut> cuts,
                                                 bool measure) {
    DropUndone();
    std::size_t end = 0;  // past the last position a cut reaches
    for (const LevelCut& cut : cuts) {
        if (cut.level.count > 0) end = std::max(end, cut.level.Position(cut.level.count - 1) + 1);
    }
    Step step;
    step.memoryFirst = memoryTop_;
    step.fileOffset = fileEnd_;
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
    keep([&] {
        if (memoryCapacity_ == 0 && memoryBudget_ >= kChangeBytes) {
            memoryPositions_ = AllocateArray<uint32_t>(memoryBudget_ / kChangeBytes);
            memoryValues_ = AllocateArray<double>(memoryBudget_ / kChangeBytes);
            memoryCapacity_ = memoryBudget_ / kChangeBytes;
        }
        chunkPositions_.resize(kSpillChunk);
        chunkValues_.resize(kSpillChunk);
    });
    std::size_t held = 0;
    const auto writeFile = [&] {
        Spill(filePositions_, fileValues_);
        step.fileCount += filePositions_.size();
        filePositions_.clear();
        fileValues_.clear();
    };
    // The memory takes what it has room for, the file the rest, in full
    // chunks (see kSpillChunk).
    const auto flush = [&] {
        const std::size_t gathered = std::exchange(held, 0);
        keep([&] {
            const std::size_t toMemory = std::min(gathered, memoryCapacity_ - memoryTop_);
            if (toMemory > 0) {
                std::copy_n(chunkPositions_.data(), toMemory, memoryPositions_.get() + memoryTop_);
                std::copy_n(chunkValues_.data(), toMemory, memoryValues_.get() + memoryTop_);
                memoryTop_ += toMemory;
            }
            if (toMemory == 0 && gathered == kSpillChunk && filePositions_.empty()) {
                // Past the memory's room a gathered chunk is a file chunk as it is.
                Spill({chunkPositions_.data(), kSpillChunk}, {chunkValues_.data(), kSpillChunk});
                step.fileCount += kSpillChunk;
                return;
            }
            for (std::size_t k = toMemory; k < gathered;) {
                const std::size_t take = std::min(gathered - k, kSpillChunk - filePositions_.size());
                filePositions_.insert(filePositions_.end(), chunkPositions_.begin() + static_cast<std::ptrdiff_t>(k),
                                      chunkPositions_.begin() + static_cast<std::ptrdiff_t>(k + take));
                fileValues_.insert(fileValues_.end(), chunkValues_.begin() + static_cast<std::ptrdiff_t>(k),
                                   chunkValues_.begin() + static_cast<std::ptrdiff_t>(k + take));
                k += take;
                if (filePositions_.size() == kSpillChunk) writeFile();
            }
        });
    };
    // Each coefficient is shrunk, measured and written to the chunk, where
    // it stays only when it changed, without a branch: whether it changes
    // is as good as random, and a mispredicted branch costs more than the store.
    std::vector<ShrinkOutcome> outcomes(cuts.size());
    uint32_t spare = 0;
    double spareValue = 0;
    uint32_t* positions = failure ? &spare : chunkPositions_.data();
    double* values = failure ? &spareValue : chunkValues_.data();
    const std::size_t chunk = failure ? 1 : kSpillChunk;
    const auto run = [&](auto shrink, const LevelCut& cut, int32_t from, int32_t to, ShrinkOutcome& outcome) {
        const std::size_t stride = cut.level.stride;
        std::size_t position = cut.level.Position(from);
        // Two lanes of sums, so that the additions keep up with the memory;
        // measured only when asked, as they still cost a plain cut a third.
        double before[2] = {0, 0}, after[2] = {0, 0};
        int64_t zeroed = 0;
        for (int32_t i = from; i < to; ++i, position += stride) {
            const double old = buffer[position];
            const double now = shrink(old, cut.threshold);
            buffer[position] = now;
            positions[held] = static_cast<uint32_t>(position);
            values[held] = old;
            // Any change of bits: a negative zero that becomes +0.0 counts.
            held += std::bit_cast<uint64_t>(now) != std::bit_cast<uint64_t>(old);
            if (measure) {
                before[i & 1] += old * old;
                after[i & 1] += now * now;
                zeroed += now == 0.0;
            }
            if (held == chunk) flush();
        }
        outcome.energyBefore += before[0] + before[1];
        outcome.energyAfter += after[0] + after[1];
        outcome.zeroed += zeroed;
    };
    for (std::size_t from = 0; from < end; from += kBlockPositions) {
        for (std::size_t k = 0; k < cuts.size(); ++k) {
            const LevelCut& cut = cuts[k];
            const int32_t lo = FirstIndexFrom(cut.level, from);
            const int32_t hi = FirstIndexFrom(cut.level, from + kBlockPositions);
            if (cut.shrink == Shrink::Hard)
                run([](double c, double t) { return HardShrink(c, t); }, cut, lo, hi, outcomes[k]);
            else
                run([](double c, double t) { return SoftShrink(c, t); }, cut, lo, hi, outcomes[k]);
        }
    }
    flush();
    if (!filePositions_.empty()) keep(writeFile);
    filePositions_.clear();
    fileValues_.clear();
    if (failure) {
        Clear(memoryBudget_);
        std::rethrow_exception(failure);
    }
    step.memoryCount = memoryTop_ - step.memoryFirst;
    step.name = std::move(name);
    step.cuts = std::move(cuts);
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    return outcomes;
}

int64_t ThresholdHistory::Spill(std::span<const uint32_t> positions, std::span<const double> values) {
    if (!file_) {
        file_.reset(std::tmpfile());
        if (!file_) FileFailed();
    }
    const int64_t offset = fileEnd_;
    if (fseeko(file_.get(), offset, SEEK_SET) != 0 ||
        std::fwrite(positions.data(), sizeof(uint32_t), positions.size(), file_.get()) != positions.size() ||
        std::fwrite(values.data(), sizeof(double), values.size(), file_.get()) != values.size()) {
        FileFailed();
    }
    fileEnd_ += static_cast<int64_t>(positions.size() * kChangeBytes);
    return offset;
}

std::string ThresholdHistory::UndoName() const { return CanUndo() ? steps_[done_ - 1].name : std::string(); }

std::string ThresholdHistory::RedoName() const { return CanRedo() ? steps_[done_].name : std::string(); }

void ThresholdHistory::Undo(double* buffer) {
    if (!CanUndo()) return;
    const Step& step = steps_[done_ - 1];
    if (step.fileCount > 0) RestoreFromFile(buffer, step);
    for (std::size_t k = step.memoryFirst; k < step.memoryFirst + step.memoryCount; ++k)
        buffer[memoryPositions_[k]] = memoryValues_[k];
    --done_;
}

void ThresholdHistory::RestoreFromFile(double* buffer, const Step& step) {
    // Chunk by chunk, so that an undo takes no more memory than a chunk. A
    // read that fails leaves the buffer as the step left it: hard cuts run
    // again over what was restored give the same bits; soft ones are not
    // idempotent, so for them the positions restored are kept to shrink again.
    const bool soft = std::ranges::any_of(step.cuts, [](const LevelCut& cut) { return cut.shrink == Shrink::Soft; });
    // A step in the file was cut here, so the chunk is there to read into.
    uint32_t* positions = chunkPositions_.data();
    double* values = chunkValues_.data();
    std::vector<uint32_t> restored;
    const auto fail = [&] {
        if (soft) {
            for (const uint32_t p : restored) buffer[p] = Shrunk(buffer[p], CutAt(step.cuts, p));
        } else {
            ApplyCuts(buffer, step.cuts);
        }
        FileFailed();
    };
    if (fseeko(file_.get(), step.fileOffset, SEEK_SET) != 0) fail();
    for (std::size_t from = 0; from < step.fileCount; from += kSpillChunk) {
        const std::size_t count = std::min(kSpillChunk, step.fileCount - from);
        if (std::fread(positions, sizeof(uint32_t), count, file_.get()) != count ||
            std::fread(values, sizeof(double), count, file_.get()) != count) {
            fail();
        }
        for (std::size_t k = 0; k < count; ++k) buffer[positions[k]] = values[k];
        if (soft) restored.insert(restored.end(), positions, positions + count);
    }
}

void ThresholdHistory::Redo(double* buffer) {
    if (!CanRedo()) return;
    ApplyCuts(buffer, steps_[done_].cuts);
    ++done_;
}

}  // namespace analysis
