#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "TransformReference.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

using test::ReferenceForward;
using test::ReferenceInverse;

std::vector<double> RandomSignal(int32_t j, uint64_t seed, double scale = 1.0) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> uniform(-scale, scale);
    std::vector<double> x(static_cast<std::size_t>(SamplesOfOrder(j)));
    for (double& v : x) v = uniform(random);
    return x;
}

bool BitIdentical(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

double MaxAbs(const std::vector<double>& x) {
    double m = 0.0;
    for (double v : x) m = std::max(m, std::fabs(v));
    return m;
}

double MaxDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double d = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) d = std::max(d, std::fabs(a[i] - b[i]));
    return d;
}

// The sweep reorders the work of all levels; every value must still be the
// one the level-by-level definition gives, to the last bit.
TEST(WaveletTransform, ForwardMatchesDefinitionBitForBit) {
    for (int32_t j = 2; j <= 13; ++j) {
        for (int32_t levels = 1; levels <= j; ++levels) {
            std::vector<double> fast = RandomSignal(j, 1000 * j + levels);
            std::vector<double> reference = fast;
            ForwardTransform(fast.data(), j, levels);
            ReferenceForward<double>(reference, j, levels);
            ASSERT_TRUE(BitIdentical(fast, reference)) << "J=" << j << " L=" << levels;
        }
    }
}

TEST(WaveletTransform, InverseMatchesDefinitionBitForBit) {
    for (int32_t j = 2; j <= 13; ++j) {
        for (int32_t levels = 1; levels <= j; ++levels) {
            std::vector<double> fast = RandomSignal(j, 2000 * j + levels);
            std::vector<double> reference = fast;
            InverseTransform(fast.data(), j, levels);
            ReferenceInverse<double>(reference, j, levels);
            ASSERT_TRUE(BitIdentical(fast, reference)) << "J=" << j << " L=" << levels;
        }
    }
}

// Long enough for the sweep to run many chunks with every level in flight.
TEST(WaveletTransform, SweepOverManyChunksMatchesDefinition) {
    for (int32_t j : {14, 15, 17}) {
        for (int32_t levels = 1; levels <= j; ++levels) {
            std::vector<double> forward = RandomSignal(j, 7 * j + levels);
            std::vector<double> reference = forward;
            ForwardTransform(forward.data(), j, levels);
            ReferenceForward<double>(reference, j, levels);
            ASSERT_TRUE(BitIdentical(forward, reference)) << "forward J=" << j << " L=" << levels;
            InverseTransform(forward.data(), j, levels);
            ReferenceInverse<double>(reference, j, levels);
            ASSERT_TRUE(BitIdentical(forward, reference)) << "inverse J=" << j << " L=" << levels;
        }
    }
}

// Double evaluation against the extended one: the differences stay within a
// few units in the last place of the signal's scale (details cancel, so a
// per-value ulp would be the wrong yardstick).
TEST(WaveletTransform, DoubleEvaluationStaysCloseToExtended) {
    for (int32_t j = 2; j <= 12; ++j) {
        for (int32_t levels = 1; levels <= j; ++levels) {
            const std::vector<double> input = RandomSignal(j, 3000 * j + levels);
            const double unit = DBL_EPSILON * MaxAbs(input);
            std::vector<double> fast = input;
            std::vector<double> extended = input;
            ForwardTransform(fast.data(), j, levels);
            ReferenceForward<long double>(extended, j, levels);
            EXPECT_LE(MaxDifference(fast, extended), 4 * unit) << "forward J=" << j << " L=" << levels;
            InverseTransform(fast.data(), j, levels);
            ReferenceInverse<long double>(extended, j, levels);
            EXPECT_LE(MaxDifference(fast, extended), 8 * unit) << "inverse J=" << j << " L=" << levels;
        }
    }
}

TEST(WaveletTransform, InverseUndoesForwardUpToRounding) {
    for (int32_t j = 2; j <= 12; ++j) {
        for (int32_t levels = 1; levels <= j; ++levels) {
            const std::vector<double> input = RandomSignal(j, 4000 * j + levels, 100.0);
            std::vector<double> x = input;
            ForwardTransform(x.data(), j, levels);
            InverseTransform(x.data(), j, levels);
            EXPECT_LE(MaxDifference(x, input), 8 * DBL_EPSILON * MaxAbs(input)) << "J=" << j << " L=" << levels;
        }
    }
}

// Worked by hand from the definition.
TEST(WaveletTransform, FiveSamplesOverBothLevels) {
    // Level 1: x1 = 2 - (1+3)/2 = 0, x3 = 4 - (3+5)/2 = 0; ends and middle
    // unchanged. Level 2: x2 = 3 - (1+5)/2 = 0. A ramp is exactly predicted.
    std::vector<double> ramp{1, 2, 3, 4, 5};
    ForwardTransform(ramp.data(), 2, 2);
    EXPECT_EQ(ramp, (std::vector<double>{1, 0, 0, 0, 5}));

    // Level 1: x1 = 4 - (1+2)/2 = 2.5, x3 = 8 - (2+16)/2 = -1;
    // x0 = 1 + 1.25 = 2.25, x4 = 16 - 0.5 = 15.5, x2 = 2 + (2.5 - 1)/4 = 2.375.
    // Level 2: x2 = 2.375 - (2.25 + 15.5)/2 = -6.5; x0 = 2.25 - 3.25 = -1,
    // x4 = 15.5 - 3.25 = 12.25.
    std::vector<double> x{1, 4, 2, 8, 16};
    ForwardTransform(x.data(), 2, 2);
    EXPECT_EQ(x, (std::vector<double>{-1, 2.5, -6.5, -1, 12.25}));
    InverseTransform(x.data(), 2, 2);
    EXPECT_EQ(x, (std::vector<double>{1, 4, 2, 8, 16}));
}

TEST(WaveletTransform, SingleSpikeOverOneLevel) {
    std::vector<double> x{0, 0, 1, 0, 0};
    ForwardTransform(x.data(), 2, 1);
    EXPECT_EQ(x, (std::vector<double>{-0.25, -0.5, 0.75, -0.5, -0.25}));
}

TEST(WaveletTransform, ConstantSignalHasZeroDetailsAndKeepsItsValue) {
    const int32_t j = 6;
    for (int32_t levels = 1; levels <= j; ++levels) {
        std::vector<double> x(static_cast<std::size_t>(SamplesOfOrder(j)), 3.75);
        ForwardTransform(x.data(), j, levels);
        for (std::size_t p = 0; p < x.size(); ++p) {
            const bool approximation = p % (std::size_t{1} << levels) == 0;
            EXPECT_EQ(x[p], approximation ? 3.75 : 0.0) << "L=" << levels << " position " << p;
        }
    }
}

TEST(WaveletTransform, RampHasZeroFinestDetailsAndUnchangedEvens) {
    const int32_t j = 5;
    std::vector<double> x(static_cast<std::size_t>(SamplesOfOrder(j)));
    for (std::size_t p = 0; p < x.size(); ++p) x[p] = static_cast<double>(p);
    ForwardTransform(x.data(), j, 1);
    for (std::size_t p = 0; p < x.size(); ++p) EXPECT_EQ(x[p], p % 2 ? 0.0 : static_cast<double>(p)) << p;
}

TEST(WaveletTransform, InverseOverNoLevelsLeavesTheBuffer) {
    const std::vector<double> input = RandomSignal(4, 5);
    for (int32_t levels : {-1, 0}) {
        std::vector<double> x = input;
        InverseTransform(x.data(), 4, levels);
        EXPECT_TRUE(BitIdentical(x, input));
    }
}

TEST(WaveletTransform, RefusesDepthsOutsideTheSignal) {
    std::vector<double> x(17, 1.0);
    EXPECT_THROW(ForwardTransform(x.data(), 4, 5), fw::Exception);
    EXPECT_THROW(ForwardTransform(x.data(), 4, 0), fw::Exception);
    EXPECT_THROW(InverseTransform(x.data(), 4, 5), fw::Exception);
    EXPECT_EQ(x, std::vector<double>(17, 1.0));
}

// ---- floating-point errors ----------------------------------------------------

// Near the top of the range the first prediction overflows: the buffer must
// come back exactly as it was, and the error is the overflow.
TEST(WaveletTransformErrors, ForwardOverflowLeavesTheBufferAsItWas) {
    std::vector<double> x = RandomSignal(8, 11, 1.0);
    x[100] = 1e308;
    x[101] = -1e308;
    x[102] = 1e308;
    const std::vector<double> before = x;
    EXPECT_THROW(ForwardTransform(x.data(), 8, 8), fw::EOverflow);
    EXPECT_TRUE(BitIdentical(x, before));
}

TEST(WaveletTransformErrors, InverseOverflowLeavesTheBufferAsItWas) {
    std::vector<double> x(257, 0.0);
    x[0] = -DBL_MAX;
    x[1] = DBL_MAX;
    const std::vector<double> before = x;
    EXPECT_THROW(InverseTransform(x.data(), 8, 3), fw::EOverflow);
    EXPECT_TRUE(BitIdentical(x, before));
}

// Huge values that do not overflow: the guarded path gives the same result
// as the definition.
TEST(WaveletTransformErrors, HugeValuesWithoutOverflowStillTransform) {
    std::vector<double> x = RandomSignal(7, 12, 1e307);
    std::vector<double> reference = x;
    ForwardTransform(x.data(), 7, 7);
    ReferenceForward<double>(reference, 7, 7);
    EXPECT_TRUE(BitIdentical(x, reference));
    InverseTransform(x.data(), 7, 7);
    ReferenceInverse<double>(reference, 7, 7);
    EXPECT_TRUE(BitIdentical(x, reference));
}

// 0.5*a + 0.5*b does not overflow where a + b would: the sum of two values
// near the top of the range is fine as long as the stored result is.
TEST(WaveletTransformErrors, NoIntermediateOverflowInTheNeighbourSum) {
    std::vector<double> x{DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX};
    ForwardTransform(x.data(), 2, 1);
    EXPECT_EQ(x, (std::vector<double>{DBL_MAX, 0.0, DBL_MAX, 0.0, DBL_MAX}));
}

// At every position (the guard reads several values at a time, then a tail),
// and next to huge values that send it to the guarded path.
TEST(WaveletTransformErrors, NonFiniteInputIsAnInvalidOperation) {
    for (int32_t j : {2, 3, 4, 5}) {
        for (double fill : {1.0, 1e307}) {
            const std::vector<double> clean(static_cast<std::size_t>(SamplesOfOrder(j)), fill);
            for (std::size_t p = 0; p < clean.size(); ++p) {
                for (double bad : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
                    std::vector<double> x = clean;
                    x[p] = bad;
                    const std::vector<double> before = x;
                    EXPECT_THROW(ForwardTransform(x.data(), j, 2), fw::EInvalidOp) << "J=" << j << " at " << p;
                    EXPECT_THROW(InverseTransform(x.data(), j, 2), fw::EInvalidOp) << "J=" << j << " at " << p;
                    EXPECT_TRUE(BitIdentical(x, before)) << "J=" << j << " at " << p;
                }
            }
        }
    }
}

// A signal keeps the bound a transform leaves, so that the next need not read
// the buffer; the results and errors must be the plain ones whatever comes
// between: transforms of any depth, and writes of ordinary, huge or
// non-finite values that the signal must not trust the old bound over.
TEST(WaveletTransform, ASignalsKeptBoundChangesNoResultOrError) {
    const double writes[] = {0.25, -3e5, DBL_MAX / 4, -DBL_MAX, NAN, INFINITY, 1e-310};
    std::mt19937 rng(5);
    for (int script = 0; script < 200; ++script) {
        const int32_t j = 2 + script % 6;
        DyadicSignal signal(j);
        std::vector<double> plain = RandomSignal(j, static_cast<uint64_t>(script), script % 3 == 0 ? 1e290 : 10.0);
        std::memcpy(signal.Data(), plain.data(), plain.size() * sizeof(double));
        for (int step = 0; step < 12; ++step) {
            const int kind = std::uniform_int_distribution<int>(0, 4)(rng);
            const int32_t levels = std::uniform_int_distribution<int32_t>(1, j)(rng);
            if (kind == 4) {
                const auto at = std::uniform_int_distribution<std::size_t>(0, plain.size() - 1)(rng);
                const double v = writes[std::uniform_int_distribution<int>(0, 6)(rng)];
                signal.Data()[at] = v;
                plain[at] = v;
                continue;
            }
            const auto outcome = [&](auto transform) -> std::string {
                try {
                    transform();
                    return "done";
                } catch (const fw::Exception& e) {
                    return e.Message();
                }
            };
            const bool forward = kind < 2;
            const std::string kept =
                outcome([&] { forward ? ForwardTransform(signal, levels) : InverseTransform(signal, levels); });
            const std::string read = outcome([&] {
                forward ? ForwardTransform(plain.data(), j, levels) : InverseTransform(plain.data(), j, levels);
            });
            ASSERT_EQ(kept, read) << script << " " << step;
            // Read through the const side, which leaves the kept bound alone.
            const DyadicSignal& result = signal;
            ASSERT_EQ(std::memcmp(result.Data(), plain.data(), plain.size() * sizeof(double)), 0)
                << script << " " << step;
        }
    }
}

}  // namespace
}  // namespace analysis
