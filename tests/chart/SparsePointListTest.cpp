// The sparse per-point list: room it cannot have is the chart's out-of-memory
// error, and the entries it holds stay as they were.

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>

#include "chart/data/SparsePointList.h"
#include "framework/core/Exceptions.h"

namespace chart {
namespace {

TEST(SparsePointList, RoomBeyondWhatAVectorHoldsIsOutOfMemory) {
    SparsePointList<std::string> labels{std::string()};
    labels.PrepareInsert("a", 0);
    labels.Insert(0, "a");
    labels.PrepareInsert("b", 1);
    labels.Insert(1, "b");
    ASSERT_TRUE(labels.Materialised());
    EXPECT_THROW(labels.Reserve(std::numeric_limits<std::size_t>::max() / 2), fw::EOutOfMemory);
    EXPECT_EQ(labels.Get(0), "a");
    EXPECT_EQ(labels.Get(1), "b");
}

}  // namespace
}  // namespace chart
