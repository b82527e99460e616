#pragma once
// The values the undo history's steps rewrote: the position and old value of
// every change, in memory up to a budget and beyond it in a temporary file of
// the store's own, so that a step that rewrites a whole level stays undoable
// on the longest signal without the history outgrowing the buffer it serves.
// The changes are a stack: a step's lie after those of the steps before it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <vector>

namespace analysis {

// Gives back a block of the store's memory whole.
struct ChangeBlockFree {
    std::size_t bytes = 0;
    void operator()(void* block) const noexcept;
};

class ChangeStore {
public:
    // Changes go to the file in chunks of this many: a chunk's positions,
    // then its values. Every chunk of a step is full but its last, so a step
    // needs only its first offset and its count to be read back.
    static constexpr std::size_t kChunk = std::size_t{1} << 16;

    // Where one step's changes lie.
    struct Extent {
        std::size_t memoryFirst = 0;
        std::size_t memoryCount = 0;
        int64_t fileOffset = 0;
        std::size_t fileCount = 0;
    };

    ChangeStore();
    ~ChangeStore();
    ChangeStore(const ChangeStore&) = delete;
    ChangeStore& operator=(const ChangeStore&) = delete;

    // Forgets every change; those kept later may take up to memoryBudget
    // bytes of memory.
    void Clear(std::size_t memoryBudget);
    // An empty extent at the top of the stack, for the next step's changes;
    // maps the memory block on its first use. Throws when it cannot.
    Extent Begin();
    // Appends changes to extent, the top one: the memory takes what it has
    // room for, the file the rest in full chunks. Throws fw::Exception when
    // the file fails.
    void Append(Extent& extent, std::span<const uint32_t> positions, std::span<const double> values);
    // Writes what still waits for a full chunk.
    void Finish(Extent& extent);
    // Forgets extent and every change after it.
    void DropFrom(const Extent& extent);
    // Puts extent's old values back into buffer. A file that fails throws
    // fw::Exception, with the positions restored so far in *restored when
    // it is given.
    void Restore(double* buffer, const Extent& extent, std::vector<uint32_t>* restored);

    // Bytes the kept changes take in memory (not counting the file).
    std::size_t MemoryBytes() const { return memoryTop_ * (sizeof(uint32_t) + sizeof(double)); }

private:
    // Appends changes to the file; returns the offset they start at.
    int64_t Spill(std::span<const uint32_t> positions, std::span<const double> values);
    void WriteWaiting(Extent& extent);

    template <typename T>
    using Block = std::unique_ptr<T[], ChangeBlockFree>;
    template <typename T>
    static Block<T> AllocateArray(std::size_t count);

    std::size_t memoryBudget_ = 0;
    // One block for the whole budget, mapped once and reused by step after
    // step, since fresh pages cost more than the cut that fills them.
    std::size_t memoryCapacity_ = 0;
    std::size_t memoryTop_ = 0;
    Block<uint32_t> memoryPositions_;
    Block<double> memoryValues_;
    // A file chunk while it fills, and the chunk a restore reads into.
    std::vector<uint32_t> filePositions_;
    std::vector<double> fileValues_;
    struct CloseFile {
        void operator()(std::FILE* file) const noexcept { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, CloseFile> file_;  // opened on the first spill
    int64_t fileEnd_ = 0;                         // where the next spill goes
};

}  // namespace analysis
