// The statistics of a value list are what the literal walk over its scaled
// values gives, bit for bit: the first value starts all four, a value below
// (above) the bound held replaces it, the sums are rounded after every step.
// Zeros of both signs, NaNs and infinities in every place are where a
// quicker way to the same bounds could go wrong.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "chart/data/ChartValueList.h"

namespace chart {
namespace {

class QuietOwner : public IValueListOwner {
public:
    TChartValueLists& ValueLists() override { return lists; }
    void NotifyValue(TValueEvent, int32_t) override {}
    void Repaint() override {}
    void CheckDataSource() override {}
    void SwapValueIndex(int32_t, int32_t) override {}
    TChartValueLists lists;
};

struct Statistics {
    uint64_t min = 0, max = 0, total = 0, totalAbs = 0;
    bool operator==(const Statistics&) const = default;
};

Statistics LiteralWalk(const std::vector<double>& raw, double multiplier) {
    if (raw.empty()) return {};
    const double v0 = raw[0] * multiplier;
    double lo = v0, hi = v0, sum = v0, sumAbs = std::fabs(v0);
    for (std::size_t i = 1; i < raw.size(); ++i) {
        const double v = raw[i] * multiplier;
        if (v < lo)
            lo = v;
        else if (v > hi)
            hi = v;
        sum += v;
        sumAbs += std::fabs(v);
    }
    return {std::bit_cast<uint64_t>(lo), std::bit_cast<uint64_t>(hi), std::bit_cast<uint64_t>(sum),
            std::bit_cast<uint64_t>(sumAbs)};
}

Statistics Read(const TChartValueList& list) {
    return {std::bit_cast<uint64_t>(list.MinValue()), std::bit_cast<uint64_t>(list.MaxValue()),
            std::bit_cast<uint64_t>(list.Total()), std::bit_cast<uint64_t>(list.TotalABS())};
}

TEST(ValueListStatistics, EqualTheLiteralWalkOnGeneratedLists) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double specials[] = {0.0, -0.0, nan, inf, -inf, 1.0, -1.0, 1e308};
    const double multipliers[] = {1.0, 2.0, -1.0, 0.0, -0.0, 1e10};
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<double> raw(std::uniform_int_distribution<std::size_t>(0, 40)(rng));
        // Mostly a few distinct values, so that ties and zeros of both signs
        // meet in every lane order.
        const int mix = std::uniform_int_distribution<int>(0, 2)(rng);
        for (double& v : raw) {
            const int pick = std::uniform_int_distribution<int>(0, 9)(rng);
            if (mix == 0 || pick < 3)
                v = specials[std::uniform_int_distribution<int>(0, 7)(rng)];
            else
                v = std::uniform_int_distribution<int>(-3, 3)(rng) * (mix == 1 ? 1.0 : 0.25);
        }
        const double m = multipliers[round % 6];
        QuietOwner owner;
        TChartValueList list(owner, "Y");
        list.SetMultiplier(m);
        list.AppendRaw(raw.data(), raw.size());
        ASSERT_EQ(Read(list), LiteralWalk(raw, m)) << "round " << round;
        // The sequence list: its values are its indexes.
        TChartValueList sequence(owner, "X");
        sequence.SetMultiplier(m);
        sequence.AppendSequence(0, raw.size());
        std::vector<double> indexes(raw.size());
        for (std::size_t i = 0; i < raw.size(); ++i) indexes[i] = static_cast<double>(i);
        ASSERT_EQ(Read(sequence), LiteralWalk(indexes, m)) << "round " << round;
    }
}

// The statistics of a long sequence come without a walk; they must still be
// what adding the values one by one gives, also where that sum is inexact.
TEST(ValueListStatistics, LongSequencesNeedNoWalkAndStillMatchIt) {
    for (const int32_t n : {1, 2, 3, 1000, 134217728}) {
        QuietOwner owner;
        TChartValueList list(owner, "X");
        list.AppendSequence(0, static_cast<std::size_t>(n));
        double sum = 0;
        for (int32_t i = 1; i < n; ++i) sum += i;
        EXPECT_EQ(std::bit_cast<uint64_t>(list.Total()), std::bit_cast<uint64_t>(sum)) << n;
        EXPECT_EQ(std::bit_cast<uint64_t>(list.TotalABS()), std::bit_cast<uint64_t>(sum)) << n;
        EXPECT_EQ(std::bit_cast<uint64_t>(list.MinValue()), std::bit_cast<uint64_t>(0.0)) << n;
        EXPECT_EQ(list.MaxValue(), n - 1) << n;
    }
}

}  // namespace
}  // namespace chart
