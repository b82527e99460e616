#include "analysis/transform/WaveletTransform.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstddef>
#include <cmath>
#include <cstring>
#include <memory>

#include "analysis/transform/FinestLifting.h"
#include "analysis/transform/LiftingLevels.h"
#include "analysis/transform/LevelGeometry.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/LargeBlock.h"

// Both directions run as one sweep over the buffer instead of one pass per
// level. Each level keeps its own progress and, after every chunk of the
// finest level, moves on as far as the level it depends on allows. Every
// assignment still reads exactly the values it reads in the level-by-level
// order (within a step no written position is read by another position of the
// same step), so the results are bit-identical to running the steps one after
// another; only the memory traffic shrinks to about one pass per transform.

namespace analysis {
namespace {

using Index = std::ptrdiff_t;

// Positions of the finest level per sweep step: small enough that the data
// touched by all levels between two steps stays in the core's own cache.
constexpr Index kChunk = 16384;

void CheckDepth(int32_t j, int32_t levels) {
    if (j < 2 || j > kMaxOrder || levels > j) {
        throw fw::Exception("Transform depth " + fw::IntToStr(levels) + " does not fit a signal of order " +
                            fw::IntToStr(j));
    }
}

// Each level's spacing s (where its first detail lies) and number of odd
// points m (its details), in a state of either direction.
template <class Level>
std::array<Level, kMaxOrder> LevelStates(int32_t j, int32_t levels) {
    std::array<Level, kMaxOrder> state{};
    for (int32_t k = 1; k <= levels; ++k) {
        const LevelGeometry details = LevelGeometry::Details(j, k);
        state[k - 1].s = static_cast<Index>(details.first);
        state[k - 1].m = details.count;
    }
    return state;
}

// The last position of the buffer, 2^j.
Index LastPosition(int32_t j) { return SamplesOfOrder(j) - 1; }

// ---- forward ---------------------------------------------------------------

struct ForwardLevel {
    Index s = 0;         // spacing of the level's points
    Index m = 0;         // its number of odd points
    Index next = 1;      // next step i
    bool ended = false;  // the update of the last even point is done
    Index done = -1;     // positions <= done hold this level's output
};

// Step i predicts the odd point (2i-1)s from its two even neighbours, then
// updates the even point (2i-2)s, both of whose details are now known.
void ForwardSteps(double* x, Index s, Index first, Index last) {
    Index i = first;
    if (i == 1) {
        const double d = x[s] - (0.5 * x[0] + 0.5 * x[2 * s]);
        x[s] = d;
        x[0] = 0.5 * d + x[0];
        ++i;
    }
    if (i > last) return;
    if (s == 1) return ForwardFinestSteps(x, i, last);
    double* p = x + (2 * i - 2) * s;
    double left = p[-s];
    for (; i <= last; ++i) {
        const double even = p[0];
        const double d = p[s] - (0.5 * even + 0.5 * p[2 * s]);
        p[s] = d;
        p[0] = (0.25 * left + 0.25 * d) + even;
        left = d;
        p += 2 * s;
    }
}

// Moves one level on as far as the positions <= available (the output of the
// level below it, or the raw signal for level 1) permit.
void Advance(double* x, ForwardLevel& level, Index available) {
    const Index last = std::min(level.m, available / (2 * level.s));
    if (last >= level.next) {
        ForwardSteps(x, level.s, level.next, last);
        level.next = last + 1;
        level.done = (2 * last - 1) * level.s;
    }
    const Index end = 2 * level.m * level.s;
    if (level.next > level.m && !level.ended && available >= end) {
        x[end] = 0.5 * x[end - level.s] + x[end];
        level.ended = true;
        level.done = end;
    }
}

void ForwardSweep(double* x, int32_t j, int32_t levels) {
    std::array<ForwardLevel, kMaxOrder> state = LevelStates<ForwardLevel>(j, levels);
    const Index end = LastPosition(j);
    for (Index limit = std::min(kChunk, end);; limit = std::min(limit + kChunk, end)) {
        Index available = limit;
        for (int32_t k = 0; k < levels; ++k) {
            Advance(x, state[k], available);
            available = state[k].done;
        }
        if (limit == end) break;
    }
}

// ---- inverse ---------------------------------------------------------------

// The finest level is the last to run on a chunk, and the coarse levels that
// open the next chunk reach into it first, at strides too wide for the
// hardware to fetch ahead. So the finest steps fetch the next chunk, a little
// with each slice, while they compute.
double InverseFinest(double* x, Index first, Index last, double leftEven, Index end) {
    constexpr Index kSlice = 64;  // steps: 16 cache lines, a burst the misses in flight absorb
    for (Index i = first; i <= last; i += kSlice) {
        const Index ahead = 2 * i + kChunk;
        for (Index q = ahead; q < std::min(ahead + 2 * kSlice, end); q += 8) __builtin_prefetch(x + q, 1, 2);
        leftEven = InverseFinestSteps(x, i, std::min(i + kSlice - 1, last), leftEven);
    }
    return leftEven;
}

struct InverseLevel {
    Index s = 0;
    Index m = 0;
    Index next = 0;         // next step i; step 0 undoes the update of x[0]
    Index done = -1;        // positions <= done hold this level's output
    double leftEven = 0.0;  // x[2(next - 1)s] as this level restored it
};

// Step i >= 1 undoes the update of the even point 2is (reading the details on
// both sides, still as stored), then the prediction of the odd point (2i-1)s,
// whose two even neighbours are now restored. The left one is carried over
// from the previous step: in the buffer the finer levels may already have
// moved on from it.
void InverseSteps(double* x, InverseLevel& level, Index last) {
    const Index s = level.s;
    const Index m = level.m;
    Index i = level.next;
    double leftEven = level.leftEven;
    if (i == 0) {
        leftEven = x[0] = x[0] - 0.5 * x[s];
        ++i;
    }
    const Index lastInterior = std::min(last, m - 1);
    if (s == 1 && i <= lastInterior) {
        leftEven = InverseFinest(x, i, lastInterior, leftEven, 2 * m);
        i = lastInterior + 1;
    }
    double* p = x + 2 * i * s;
    for (; i <= lastInterior; ++i) {
        const double even = p[0] - (0.25 * p[-s] + 0.25 * p[s]);
        p[0] = even;
        p[-s] = (0.5 * leftEven + 0.5 * even) + p[-s];
        leftEven = even;
        p += 2 * s;
    }
    if (i == m && i <= last) {
        const double even = p[0] - 0.5 * p[-s];
        p[0] = even;
        p[-s] = (0.5 * leftEven + 0.5 * even) + p[-s];
        leftEven = even;
    }
    level.leftEven = leftEven;
}

// Moves one level on: far enough that its output reaches the sweep's limit,
// and no further than the level above has restored (positions <= available).
// The finest level's next steps need the coarse levels' first steps, which
// reach far ahead (the top level's first restores the middle of the buffer),
// so each level runs up to one step of its own ahead of the limit; that is a
// few points per level, and the finest levels stay right at the limit.
void Advance(double* x, InverseLevel& level, Index limit, Index available) {
    if (available < 0) return;
    const Index step = 2 * level.s;
    const Index last = std::min({level.m, (limit + step - 1) / step, available / step});
    if (last >= level.next) {
        InverseSteps(x, level, last);
        level.next = last + 1;
        level.done = 2 * last * level.s;
    }
}

void InverseSweep(double* x, int32_t j, int32_t levels) {
    std::array<InverseLevel, kMaxOrder> state = LevelStates<InverseLevel>(j, levels);
    const Index end = LastPosition(j);
    for (Index limit = std::min(kChunk, end);; limit = std::min(limit + kChunk, end)) {
        Index available = end;
        for (int32_t k = levels; k >= 1; --k) {
            Advance(x, state[k - 1], limit, available);
            available = state[k - 1].done;
        }
        if (limit == end) break;
    }
}

// ---- overflow guard --------------------------------------------------------

struct Magnitudes {
    bool finite = true;  // no infinity, no NaN
    double max = 0;      // the largest magnitude, when finite
};

// Eight values at a time in four independent pairs of lanes, so that the
// read runs at the memory's pace.
Magnitudes ScanMagnitudes(const double* x, Index n) {
    using Pair = double __attribute__((vector_size(16)));
    using Lanes = long long __attribute__((vector_size(16)));
    const Lanes magnitude = {0x7FFF'FFFF'FFFF'FFFFll, 0x7FFF'FFFF'FFFF'FFFFll};
    const Pair largest = {DBL_MAX, DBL_MAX};
    Lanes in0 = ~Lanes{}, in1 = in0, in2 = in0, in3 = in0;
    Pair m0 = {0, 0}, m1 = m0, m2 = m0, m3 = m0;
    Index i = 0;
    for (; i + 8 <= n; i += 8) {
        Pair v[4];
        std::memcpy(v, x + i, sizeof v);
        const Pair a0 = (Pair)((Lanes)v[0] & magnitude), a1 = (Pair)((Lanes)v[1] & magnitude);
        const Pair a2 = (Pair)((Lanes)v[2] & magnitude), a3 = (Pair)((Lanes)v[3] & magnitude);
        // A NaN fails the comparison, so it clears its lane's flag.
        in0 &= a0 <= largest;
        in1 &= a1 <= largest;
        in2 &= a2 <= largest;
        in3 &= a3 <= largest;
        m0 = a0 > m0 ? a0 : m0;
        m1 = a1 > m1 ? a1 : m1;
        m2 = a2 > m2 ? a2 : m2;
        m3 = a3 > m3 ? a3 : m3;
    }
    const Lanes in = in0 & in1 & in2 & in3;
    Magnitudes result{in[0] && in[1], 0};
    for (const Pair& m : {m0, m1, m2, m3}) result.max = std::max({result.max, m[0], m[1]});
    for (; i < n; ++i) {
        const double a = std::fabs(x[i]);
        result.finite &= a <= DBL_MAX;
        if (a > result.max) result.max = a;
    }
    return result;
}

// One Linear or Haar level at most doubles the largest magnitude forward and
// adds 1.5 times it backward, so 2^(levels + 2) covers both directions with
// room for rounding; a Cubic level's weights sum to 2.25 forward, and 4 per
// level covers it. Below that bound no intermediate or stored value can
// overflow, and the result's magnitudes stay within the input's times that
// factor.
// known: a bound on the input's magnitudes (all finite), or negative when
// not known; then the buffer is read for it. Returns a bound on the result's.
template <class Sweep>
double Guarded(Sweep sweep, double* x, int32_t j, int32_t levels, double known, Wavelet wavelet) {
    const Index n = SamplesOfOrder(j);
    const int growthBits = (wavelet == Wavelet::Cubic ? 2 : 1) * levels + 2;
    const double limit = std::ldexp(DBL_MAX, -growthBits);
    const auto growth = [growthBits](double m) { return std::ldexp(m, growthBits); };
    if (known >= 0 && known <= limit) {
        sweep(x, j, levels);
        return growth(known);
    }
    const Magnitudes input = ScanMagnitudes(x, n);
    if (!input.finite) throw fw::EInvalidOp();
    if (input.max <= limit) {
        sweep(x, j, levels);
        return growth(input.max);
    }
    // Overflow is possible: run on the buffer with a copy to fall back on.
    // Arithmetic on an infinity never gives a finite value again (the only
    // operations are additions and scalings by 0.5 and 0.25), so any overflow
    // on the way leaves a value that is not finite in the result.
    // Like any big buffer, from a block: kept plot storage goes back first.
    struct FreeBackup {
        std::size_t bytes;
        void operator()(void* p) const noexcept { fw::FreeBlock(p, bytes); }
    };
    const std::size_t bytes = static_cast<std::size_t>(n) * sizeof(double);
    const std::unique_ptr<void, FreeBackup> backup(fw::MapOutOfMemory([bytes] { return fw::AllocateBlock(bytes); }),
                                                   FreeBackup{bytes});
    std::memcpy(backup.get(), x, bytes);
    sweep(x, j, levels);
    const Magnitudes output = ScanMagnitudes(x, n);
    if (!output.finite) {
        std::memcpy(x, backup.get(), bytes);
        throw fw::EOverflow();
    }
    return output.max;
}

}  // namespace

double ForwardTransform(Wavelet wavelet, double* x, int32_t j, int32_t levels, double knownBound) {
    CheckDepth(j, levels);
    if (levels < 1) throw fw::Exception("A decomposition needs at least one level");
    if (wavelet == Wavelet::Linear) return Guarded(ForwardSweep, x, j, levels, knownBound, wavelet);
    const auto sweep = [wavelet](double* y, int32_t order, int32_t depth) { ForwardLevels(wavelet, y, order, depth); };
    return Guarded(sweep, x, j, levels, knownBound, wavelet);
}

double InverseTransform(Wavelet wavelet, double* x, int32_t j, int32_t levels, double knownBound) {
    CheckDepth(j, levels);
    if (levels <= 0) return knownBound;
    if (wavelet == Wavelet::Linear) return Guarded(InverseSweep, x, j, levels, knownBound, wavelet);
    const auto sweep = [wavelet](double* y, int32_t order, int32_t depth) { InverseLevels(wavelet, y, order, depth); };
    return Guarded(sweep, x, j, levels, knownBound, wavelet);
}

double ForwardTransform(double* x, int32_t j, int32_t levels, double knownBound) {
    return ForwardTransform(Wavelet::Linear, x, j, levels, knownBound);
}

double InverseTransform(double* x, int32_t j, int32_t levels, double knownBound) {
    return InverseTransform(Wavelet::Linear, x, j, levels, knownBound);
}

void ForwardTransform(DyadicSignal& signal, int32_t levels, Wavelet wavelet) {
    const double known = signal.MagnitudeBound();
    double* x = signal.Data();
    signal.SetMagnitudeBound(ForwardTransform(wavelet, x, signal.J(), levels, known));
}

void InverseTransform(DyadicSignal& signal, int32_t levels, Wavelet wavelet) {
    // Nothing to undo: the buffer is not even asked for (a plot may share it).
    if (levels <= 0) return;
    const double known = signal.MagnitudeBound();
    double* x = signal.Data();
    signal.SetMagnitudeBound(InverseTransform(wavelet, x, signal.J(), levels, known));
}

}  // namespace analysis
