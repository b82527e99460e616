#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/transform/CoefficientView.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

TEST(NormaliseCount, RaisesToTheNextDyadicLength) {
    struct Case {
        int32_t count, n, j;
    };
    for (const Case& c : {Case{5, 5, 2}, Case{6, 9, 3}, Case{9, 9, 3}, Case{10, 17, 4}, Case{513, 513, 9},
                          Case{514, 1025, 10}, Case{600, 1025, 10}, Case{1025, 1025, 10}, Case{1026, 2049, 11}}) {
        const SignalSize size = NormaliseCount(c.count);
        EXPECT_EQ(size.N, c.n) << c.count;
        EXPECT_EQ(size.J, c.j) << c.count;
    }
}

TEST(NormaliseCount, SmallZeroAndNegativeCountsGiveFive) {
    for (int32_t count : {4, 1, 0, -3, INT32_MIN}) {
        const SignalSize size = NormaliseCount(count);
        EXPECT_EQ(size.N, 5) << count;
        EXPECT_EQ(size.J, 2) << count;
    }
}

TEST(NormaliseCount, AcceptsUpToTheLimitAndNamesItWhenRefusing) {
    const SignalSize largest = NormaliseCount(kMaxSamples);
    EXPECT_EQ(largest.N, 67108865);
    EXPECT_EQ(largest.J, 26);
    EXPECT_EQ(NormaliseCount(kMaxSamples - 1).N, 67108865);
    for (int32_t count : {kMaxSamples + 1, int32_t{1} << 30, INT32_MAX}) {
        try {
            NormaliseCount(count);
            FAIL() << "accepted " << count;
        } catch (const fw::Exception& e) {
            EXPECT_NE(e.Message().find("67108865"), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(std::to_string(count)), std::string::npos) << e.Message();
        }
    }
}

TEST(DyadicSignal, IsZeroFilledWithItsOrderAndLength) {
    for (int32_t j : {2, 3, 10, 16}) {
        DyadicSignal signal(j);
        EXPECT_EQ(signal.J(), j);
        EXPECT_EQ(signal.N(), (1 << j) + 1);
        for (int32_t i = 0; i < signal.N(); ++i) ASSERT_EQ(signal[i], 0.0) << "J=" << j << " i=" << i;
    }
}

TEST(DyadicSignal, RefusesOrdersOutsideTheGrid) {
    EXPECT_THROW(DyadicSignal(1), fw::Exception);
    EXPECT_THROW(DyadicSignal(kMaxOrder + 1), fw::Exception);
}

}  // namespace
}  // namespace analysis

namespace analysis {
namespace {

// What Share hands out never changes: a write to the buffer while a copy is
// held (directly, by a transform, through a view) moves the buffer to a
// copy of its own first; once nobody holds one, writes stay in place.
TEST(DyadicSignal, SharedSamplesNeverChange) {
    auto signal = std::make_shared<DyadicSignal>(4);
    for (int32_t i = 0; i < signal->N(); ++i) (*signal)[static_cast<std::size_t>(i)] = i * 0.5;
    const std::vector<std::function<void()>> writes{
        [&] { signal->Data()[3] = -1; },
        [&] { ForwardTransform(*signal, 2); },
        [&] { BuildView(signal, 1, 1)[0] = 7; },
    };
    for (const auto& write : writes) {
        const std::shared_ptr<const double[]> kept = signal->Share();
        const std::vector<double> before(kept.get(), kept.get() + signal->N());
        write();
        EXPECT_EQ(std::vector<double>(kept.get(), kept.get() + signal->N()), before);
        EXPECT_NE(signal->Data(), kept.get());
    }
    const double* own = signal->Data();
    signal->Data()[0] = 42;
    EXPECT_EQ(signal->Data(), own);
}

}  // namespace
}  // namespace analysis
