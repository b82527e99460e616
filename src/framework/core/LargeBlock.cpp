#include "framework/core/LargeBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

#include <sys/mman.h>

namespace fw {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUpToHugePage(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

// An anonymous mapping is zero-filled. It is asked one huge page longer than
// needed, and the ends beyond the aligned part are given back, so that every
// 2 MiB of the block can be one huge page.
void* MapAligned(std::size_t bytes, BlockPages pages) {
    const std::size_t length = RoundUpToHugePage(bytes);
    if (length < bytes || length + kHugePage < length) throw std::bad_alloc();
    void* mapped = ::mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* start = static_cast<char*>(mapped);
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    char* aligned = start + (kHugePage - address % kHugePage) % kHugePage;
    if (aligned > start) ::munmap(start, static_cast<std::size_t>(aligned - start));
    char* end = aligned + length;
    if (start + length + kHugePage > end) ::munmap(end, static_cast<std::size_t>(start + length + kHugePage - end));
    // Only a hint: where huge pages are not offered the block still works.
    if (pages == BlockPages::Huge) ::madvise(aligned, length, MADV_HUGEPAGE);
    return aligned;
}

// The keepers of spare storage. Large blocks are few and big, so one lock
// and a short list cost nothing beside the mapping itself.
std::mutex keepersLock;
std::vector<SpareKeeper*> keepers;

void ReleaseSpares() noexcept {
    for (;;) {
        SpareKeeper* keeper = nullptr;
        {
            const std::lock_guard<std::mutex> lock(keepersLock);
            if (keepers.empty()) return;
            keeper = keepers.back();
            keepers.pop_back();
        }
        keeper->ReleaseSpare();
    }
}

}  // namespace

bool KeepSpare(SpareKeeper& keeper) noexcept {
    const std::lock_guard<std::mutex> lock(keepersLock);
    if (std::find(keepers.begin(), keepers.end(), &keeper) != keepers.end()) return true;
    try {
        keepers.push_back(&keeper);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ForgetSpare(SpareKeeper& keeper) noexcept {
    const std::lock_guard<std::mutex> lock(keepersLock);
    keepers.erase(std::remove(keepers.begin(), keepers.end(), &keeper), keepers.end());
}

void* AllocateBlock(std::size_t bytes, BlockPages pages) {
    if (IsLargeBlock(bytes)) {
        ReleaseSpares();
        return MapAligned(bytes, pages);
    }
    void* block = std::calloc(bytes == 0 ? 1 : bytes, 1);
    if (!block) throw std::bad_alloc();
    return block;
}

void FreeBlock(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (IsLargeBlock(bytes))
        ::munmap(block, RoundUpToHugePage(bytes));
    else
        std::free(block);
}

void ReleaseUnusedPages(void* block, std::size_t usedBytes, std::size_t bytes) noexcept {
    if (!block || !IsLargeBlock(bytes)) return;
    // Whole huge pages only, so that the pages kept stay huge.
    const std::size_t keep = RoundUpToHugePage(usedBytes);
    const std::size_t length = RoundUpToHugePage(bytes);
    if (keep < length) ::madvise(static_cast<char*>(block) + keep, length - keep, MADV_DONTNEED);
}

}  // namespace fw
