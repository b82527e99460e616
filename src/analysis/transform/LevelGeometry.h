#pragma once
// Where a decomposition keeps its coefficients in the buffer of a signal of
// order J (N = 2^J + 1 samples): the details of level k at the odd multiples
// of 2^(k-1), the approximation after L levels at the multiples of 2^L. The
// transforms, the views and whatever sizes a buffer take it from here, so
// they cannot disagree on it. Everything is constexpr and inline: the sweeps
// read it once per level, never per coefficient.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace analysis {

// The samples of a signal of order j (0 <= j <= 30): N = 2^j + 1.
constexpr int32_t SamplesOfOrder(int32_t j) { return (int32_t{1} << j) + 1; }

// `count` coefficients at first, first + stride, first + 2 stride, ...
struct LevelGeometry {
    std::size_t first = 0;
    std::size_t stride = 0;
    int32_t count = 0;

    // The buffer position of coefficient i.
    constexpr std::size_t Position(int32_t i) const { return first + static_cast<std::size_t>(i) * stride; }

    // The 2^(j-k) details of level k, 1 <= k <= j.
    static constexpr LevelGeometry Details(int32_t j, int32_t k) {
        return {std::size_t{1} << (k - 1), std::size_t{1} << k, int32_t{1} << (j - k)};
    }

    // The 2^(j-levels) + 1 approximation values left after `levels` levels,
    // 0 <= levels <= j; after none they are the whole signal.
    static constexpr LevelGeometry Approximation(int32_t j, int32_t levels) {
        return {0, std::size_t{1} << levels, SamplesOfOrder(j - levels)};
    }

    // View item `item` of a decomposition over `levels` levels: the details
    // of levels 1 ... levels, then the approximation as item levels + 1.
    static constexpr LevelGeometry Item(int32_t j, int32_t levels, int32_t item) {
        return item <= levels ? Details(j, item) : Approximation(j, levels);
    }
};

// The values of level's coefficients in y, in order.
inline std::vector<double> LevelValues(const double* y, const LevelGeometry& level) {
    std::vector<double> values(static_cast<std::size_t>(level.count));
    for (int32_t i = 0; i < level.count; ++i) values[static_cast<std::size_t>(i)] = y[level.Position(i)];
    return values;
}

}  // namespace analysis
