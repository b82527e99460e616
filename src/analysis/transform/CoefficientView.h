#pragma once
// The coefficients of one level of a decomposition, as references into the
// sample buffer: reading an entry reads the buffer, writing one writes it.
// The view shares ownership of the buffer, so a buffer replaced by a new load
// lives on as long as a view still refers to it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/transform/LevelGeometry.h"

namespace analysis {

class CoefficientView {
public:
    // The empty view: no entries, no buffer.
    CoefficientView() = default;

    int32_t Count() const { return geometry_.count; }
    // Entry i (0 <= i < Count()), in increasing buffer position.
    double& operator[](int32_t i) const { return buffer_->Data()[Position(i)]; }
    // The buffer position entry i refers to.
    std::size_t Position(int32_t i) const { return geometry_.Position(i); }
    const DyadicSignal* Buffer() const { return buffer_.get(); }
    // The distance in the buffer from one entry to the next.
    std::size_t Stride() const { return geometry_.stride; }
    // Entry 0 for reading, the others at Stride() from it (Count() > 0): a
    // read leaves a buffer shared with a plot where it is.
    const double* Entries() const { return std::as_const(*buffer_).Data() + geometry_.first; }

private:
    friend CoefficientView BuildView(std::shared_ptr<DyadicSignal> signal, int32_t levels, int32_t viewedLevel);

    std::shared_ptr<DyadicSignal> buffer_;
    LevelGeometry geometry_;
};

// The view of level viewedLevel of a decomposition of signal over `levels`
// levels: for 1 <= viewedLevel <= levels the 2^(J - v) details of that level
// at the odd multiples of 2^(v - 1); for viewedLevel > levels the
// 2^(J - levels) + 1 approximation values at the multiples of 2^levels.
// Requires 1 <= levels <= J and viewedLevel >= 1; throws fw::EListError
// otherwise.
CoefficientView BuildView(std::shared_ptr<DyadicSignal> signal, int32_t levels, int32_t viewedLevel);

}  // namespace analysis
