#pragma once
// The inverse of a decomposition whose finest detail level is hard
// thresholded at t, kept up to date from one t to the next: only the output
// values next to a coefficient that t kept and the last t cut (or the other
// way round) are written again. The levels above the finest do not depend on
// t, so their output is kept; the finest level's inverse step is local, and
// each value it writes is computed with the very operations of the full
// inverse, so the result is bit-identical to thresholding a copy of the
// buffer and inverting it (WaveletTransform).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "framework/core/LargeBlock.h"

namespace analysis {

class FinestLevelPreview {
public:
    // Whether Write handles the buffer of order j with `levels` levels and a
    // magnitude bound `bound` (negative when not known): a bound for which
    // the full inverse can neither overflow nor need to read the buffer.
    static bool Handles(int32_t j, int32_t levels, double bound);

    // Writes the inverse of the 2^j + 1 values at x, their finest detail level
    // thresholded at t, to out. When `update` is true, out must hold what the
    // previous call wrote for the same x, j and levels, none of which changed
    // since; then only the values the change of t touches are written.
    // Requires Handles(j, levels, bound).
    void Write(const double* x, int32_t j, int32_t levels, double bound, double t, double* out, bool update);
    // Lets the kept output of the coarser levels go.
    void Forget();

private:
    struct FreeBlock {
        std::size_t bytes;
        void operator()(double* p) const noexcept { fw::FreeBlock(p, bytes); }
    };
    // Output of the levels above the finest: the even positions before the
    // finest level's inverse step; evenCount_ values.
    std::unique_ptr<double, FreeBlock> evens_{nullptr, FreeBlock{0}};
    std::ptrdiff_t evenCount_ = 0;
    double lastT_ = 0.0;
};

}  // namespace analysis
