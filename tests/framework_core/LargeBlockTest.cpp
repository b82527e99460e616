// Blocks for big buffers: zero-filled whatever their size, large ones on
// 2 MiB boundaries, and pages given back beyond the part in use read as
// zeros while the part in use keeps its values.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/core/LargeBlock.h"

namespace fw {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

TEST(LargeBlock, BlocksOfEverySizeComeZeroedAndLargeOnesAligned) {
    for (const std::size_t bytes : {std::size_t{1}, std::size_t{4096}, kLargeBlockBytes - 8, kLargeBlockBytes,
                                    kLargeBlockBytes + 8, 5 * kMiB + 3}) {
        auto* block = static_cast<unsigned char*>(AllocateBlock(bytes));
        std::vector<unsigned char> zeros(bytes, 0);
        EXPECT_EQ(std::memcmp(block, zeros.data(), bytes), 0) << bytes;
        if (IsLargeBlock(bytes)) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % (2 * kMiB), 0u) << bytes;
        }
        std::memset(block, 0xAB, bytes);  // the whole block is writable
        FreeBlock(block, bytes);
    }
}

TEST(LargeBlock, ReleasedPagesReadAsZerosAndTheUsedPartStays) {
    const std::size_t bytes = 7 * kMiB;
    auto* block = static_cast<unsigned char*>(AllocateBlock(bytes));
    std::memset(block, 0x5A, bytes);
    // 3 MiB + 1 in use: the huge page it ends in is kept whole.
    ReleaseUnusedPages(block, 3 * kMiB + 1, bytes);
    for (std::size_t i = 0; i < 4 * kMiB; i += 4096) ASSERT_EQ(block[i], 0x5A) << i;
    for (std::size_t i = 4 * kMiB; i < bytes; i += 4096) ASSERT_EQ(block[i], 0) << i;
    FreeBlock(block, bytes);
}

TEST(LargeBlock, VectorsGrowAcrossTheLargeBoundary) {
    std::vector<double, LargeBlockAllocator<double>> values;
    const std::size_t n = 3 * kLargeBlockBytes / sizeof(double);
    for (std::size_t i = 0; i < n; ++i) values.push_back(static_cast<double>(i));
    for (std::size_t i = 0; i < n; i += 997) ASSERT_EQ(values[i], static_cast<double>(i));
}

struct CountingKeeper : SpareKeeper {
    void ReleaseSpare() noexcept override { ++releases; }
    int releases = 0;
};

TEST(LargeBlock, KeptStorageIsReleasedOnceBeforeTheNextLargeBlock) {
    CountingKeeper kept, forgotten;
    ASSERT_TRUE(KeepSpare(kept));
    ASSERT_TRUE(KeepSpare(kept));  // once is enough
    ASSERT_TRUE(KeepSpare(forgotten));
    ForgetSpare(forgotten);

    FreeBlock(AllocateBlock(4096), 4096);
    EXPECT_EQ(kept.releases, 0);
    FreeBlock(AllocateBlock(kLargeBlockBytes), kLargeBlockBytes);
    FreeBlock(AllocateBlock(kLargeBlockBytes), kLargeBlockBytes);
    EXPECT_EQ(kept.releases, 1);
    EXPECT_EQ(forgotten.releases, 0);
}

}  // namespace
}  // namespace fw
