#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "analysis/transform/FinestLifting.h"
#include "analysis/transform/LevelGeometry.h"

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// Magnitudes from subnormal to large, so that a lane mixed up with another or
// an operation done in another order shows in the bits.
std::vector<double> MixedSignal(Index n, std::mt19937_64& random) {
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-1070, 60);
    std::vector<double> x(static_cast<std::size_t>(n));
    for (double& v : x) v = std::ldexp(mantissa(random), exponent(random));
    return x;
}

// The steps written one at a time, straight from their definition.
void LiteralForward(std::vector<double>& x, Index first, Index last) {
    for (Index i = first; i <= last; ++i) {
        x[2 * i - 1] = x[2 * i - 1] - (0.5 * x[2 * i - 2] + 0.5 * x[2 * i]);
        x[2 * i - 2] = (0.25 * x[2 * i - 3] + 0.25 * x[2 * i - 1]) + x[2 * i - 2];
    }
}

void LiteralInverse(std::vector<double>& x, Index first, Index last) {
    for (Index i = first; i <= last; ++i) {
        x[2 * i] = x[2 * i] - (0.25 * x[2 * i - 1] + 0.25 * x[2 * i + 1]);
        x[2 * i - 1] = (0.5 * x[2 * i - 2] + 0.5 * x[2 * i]) + x[2 * i - 1];
    }
}

bool BitIdentical(const std::vector<double>& a, const std::vector<double>& b) {
    return std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// Every range of steps on small signals, and random ranges (odd and even
// lengths, both ends) on larger ones: the pairs and the lone last step.
TEST(FinestLifting, StepsMatchTheLiteralStepsBitForBit) {
    std::mt19937_64 random(77);
    for (int32_t j = 2; j <= 14; ++j) {
        const Index m = LevelGeometry::Details(j, 1).count;
        const Index n = SamplesOfOrder(j);
        std::uniform_int_distribution<Index> step(1, m);
        for (int trial = 0; trial < (j <= 5 ? 300 : 60); ++trial) {
            Index a = step(random), b = step(random);
            if (a > b) std::swap(a, b);
            const std::vector<double> input = MixedSignal(n, random);

            const Index first = std::max<Index>(a, 2);
            std::vector<double> fast = input, literal = input;
            ForwardFinestSteps(fast.data(), first, b);
            LiteralForward(literal, first, b);
            ASSERT_TRUE(BitIdentical(fast, literal)) << "forward J=" << j << " steps " << first << ".." << b;

            const Index last = std::min(b, m - 1);
            fast = input;
            literal = input;
            const double leftEven = fast[2 * a - 2];
            const double returned = InverseFinestSteps(fast.data(), a, last, leftEven);
            LiteralInverse(literal, a, last);
            ASSERT_TRUE(BitIdentical(fast, literal)) << "inverse J=" << j << " steps " << a << ".." << last;
            const double expected = last >= a ? literal[2 * last] : leftEven;
            ASSERT_EQ(std::memcmp(&returned, &expected, sizeof returned), 0) << "J=" << j;
        }
    }
}

}  // namespace
}  // namespace analysis
