#include "analysis/ThresholdHistory.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

// Changes go to the file in chunks of this many: a chunk's positions, then
// its values. Every chunk of a step is full but its last, so a step needs
// only its first offset and its count to be read back.
constexpr std::size_t kChunk = std::size_t{1} << 16;
constexpr std::size_t kChangeBytes = sizeof(uint32_t) + sizeof(double);

double Shrunk(double c, const LevelCut& cut) {
    return cut.shrink == Shrink::Hard ? HardShrink(c, cut.threshold) : SoftShrink(c, cut.threshold);
}

// A change is any change of bits: a negative zero that becomes +0.0 counts.
bool Changes(double c, const LevelCut& cut) {
    return std::bit_cast<uint64_t>(Shrunk(c, cut)) != std::bit_cast<uint64_t>(c);
}

// Calls visit(position, value) for every coefficient the cuts change.
template <typename Visit>
void ForEachChange(const double* buffer, std::span<const LevelCut> cuts, Visit visit) {
    for (const LevelCut& cut : cuts) {
        const double* c = buffer + cut.level.first;
        for (int32_t i = 0; i < cut.level.count; ++i, c += cut.level.stride) {
            if (Changes(*c, cut)) visit(static_cast<uint32_t>(cut.level.Position(i)), *c);
        }
    }
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

void ThresholdHistory::Clear(std::size_t memoryBudget) {
    steps_.clear();
    done_ = 0;
    memoryBudget_ = memoryBudget;
    memoryBytes_ = 0;
    fileEnd_ = 0;
}

void ThresholdHistory::DropUndone() {
    while (steps_.size() > done_) {
        const Step& last = steps_.back();
        memoryBytes_ -= last.positions.size() * kChangeBytes;
        fileEnd_ = last.fileCount > 0 ? last.fileOffset : fileEnd_;
        steps_.pop_back();
    }
}

void ThresholdHistory::Record(const double* buffer, std::string name, std::vector<LevelCut> cuts) {
    DropUndone();
    // Room for as many changes as the memory left allows, or the cuts could
    // make; pages reserved and never written cost no memory.
    std::size_t most = 0;
    for (const LevelCut& cut : cuts) most += static_cast<std::size_t>(cut.level.count);
    const std::size_t room = (memoryBudget_ - std::min(memoryBudget_, memoryBytes_)) / kChangeBytes;
    const std::size_t inMemory = std::min(most, room);
    Step step;
    step.positions.reserve(inMemory);
    step.values.reserve(inMemory);
    step.fileOffset = fileEnd_;
    std::vector<uint32_t> chunkPositions;
    std::vector<double> chunkValues;
    ForEachChange(buffer, cuts, [&](uint32_t position, double value) {
        if (step.positions.size() < inMemory) {
            step.positions.push_back(position);
            step.values.push_back(value);
            return;
        }
        chunkPositions.push_back(position);
        chunkValues.push_back(value);
        ++step.fileCount;
        if (chunkPositions.size() == kChunk) {
            Spill(chunkPositions, chunkValues);
            chunkPositions.clear();
            chunkValues.clear();
        }
    });
    if (!chunkPositions.empty()) Spill(chunkPositions, chunkValues);
    if (step.positions.size() < step.positions.capacity() / 2) {
        step.positions.shrink_to_fit();
        step.values.shrink_to_fit();
    }
    step.name = std::move(name);
    step.cuts = std::move(cuts);
    memoryBytes_ += step.positions.size() * kChangeBytes;
    steps_.push_back(std::move(step));
    done_ = steps_.size();
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
    for (std::size_t k = 0; k < step.positions.size(); ++k) buffer[step.positions[k]] = step.values[k];
    --done_;
}

void ThresholdHistory::RestoreFromFile(double* buffer, const Step& step) {
    // Chunk by chunk, so that an undo takes no more memory than a chunk. A
    // read that fails leaves the buffer as the step left it: hard cuts run
    // again over what was restored give the same bits; soft ones are not
    // idempotent, so for them the positions restored are kept to shrink again.
    const bool soft = std::ranges::any_of(step.cuts, [](const LevelCut& cut) { return cut.shrink == Shrink::Soft; });
    std::vector<uint32_t> positions(std::min(kChunk, step.fileCount));
    std::vector<double> values(positions.size());
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
    for (std::size_t from = 0; from < step.fileCount; from += kChunk) {
        const std::size_t count = std::min(kChunk, step.fileCount - from);
        if (std::fread(positions.data(), sizeof(uint32_t), count, file_.get()) != count ||
            std::fread(values.data(), sizeof(double), count, file_.get()) != count) {
            fail();
        }
        for (std::size_t k = 0; k < count; ++k) buffer[positions[k]] = values[k];
        if (soft)
            restored.insert(restored.end(), positions.begin(), positions.begin() + static_cast<std::ptrdiff_t>(count));
    }
}

void ThresholdHistory::Redo(double* buffer) {
    if (!CanRedo()) return;
    ApplyCuts(buffer, steps_[done_].cuts);
    ++done_;
}

}  // namespace analysis
