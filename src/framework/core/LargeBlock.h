#pragma once
// Memory for the big buffers of long signals (the sample buffer, a series'
// values). A block of kLargeBlockBytes or more comes straight from the system,
// aligned to 2 MiB and marked for huge pages where the system offers them: a
// fresh buffer of millions of values then costs a few hundred page faults
// instead of tens of thousands, and its release is one call. Smaller blocks
// come from the heap as usual.

#include <cstddef>
#include <limits>
#include <new>

namespace fw {

inline constexpr std::size_t kLargeBlockBytes = std::size_t{2} << 20;

// Whether a large block asks for huge pages. A block filled once and read
// once through (a file read whole for a batch run) asks for small ones: the
// kernel may stall its first touch to assemble huge pages for longer than
// all the passes over it would save.
enum class BlockPages { Huge, Small };

// A zero-filled block of `bytes` (at least 1). Throws std::bad_alloc when the
// memory cannot be had.
void* AllocateBlock(std::size_t bytes, BlockPages pages = BlockPages::Huge);
// Gives back a block of AllocateBlock with the same `bytes`.
void FreeBlock(void* block, std::size_t bytes) noexcept;
// Gives the pages of a large block beyond its first usedBytes back to the
// system; they read as zeros when touched again. The block stays valid.
void ReleaseUnusedPages(void* block, std::size_t usedBytes, std::size_t bytes) noexcept;
// Whether a block of `bytes` is one of the system's own mappings.
constexpr bool IsLargeBlock(std::size_t bytes) { return bytes >= kLargeBlockBytes; }

// Storage that is kept after use, for a refill that usually follows at once,
// is registered here: before a new large block is mapped every keeper gives
// its storage back, so kept storage never adds to the memory in use.
class SpareKeeper {
public:
    // Frees the kept storage; the keeper is forgotten before the call.
    virtual void ReleaseSpare() noexcept = 0;

protected:
    ~SpareKeeper() = default;
};
// False when the keeper could not be registered; it must not keep then.
bool KeepSpare(SpareKeeper& keeper) noexcept;
void ForgetSpare(SpareKeeper& keeper) noexcept;

// An allocator for containers of plain values that may grow large.
template <typename T>
struct LargeBlockAllocator {
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(AllocateBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreeBlock(p, n * sizeof(T)); }

    template <typename U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace fw
