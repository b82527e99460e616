#pragma once
// The sample buffer: N = 2^J + 1 doubles on the dyadic grid the transforms
// work on in place, and the rule that turns a typed count into such an N.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "analysis/transform/LevelGeometry.h"
#include "framework/core/LargeBlock.h"

namespace analysis {

// The deepest signal the tool accepts: 2^26 + 1 samples (512 MiB of doubles).
// A larger order would make the buffer, the backup a transform may need and
// the plotted copy outgrow what a desktop can be expected to hold.
constexpr int32_t kMaxOrder = 26;
constexpr int32_t kMaxSamples = SamplesOfOrder(kMaxOrder);

struct SignalSize {
    int32_t N;
    int32_t J;
};

// The smallest N = 2^J + 1 with J >= 2 and N >= count; counts of 5 or less
// give N = 5. A count whose N would exceed kMaxSamples is refused with an
// fw::Exception that names the limit.
SignalSize NormaliseCount(int32_t count);

// A zero-filled block of n samples for a DyadicSignal to take; throws
// fw::EOutOfMemory when the memory cannot be had.
std::shared_ptr<double[]> NewSampleBlock(std::size_t n, fw::BlockPages pages = fw::BlockPages::Huge);

class DyadicSignal {
public:
    // A zero-filled buffer of 2^j + 1 samples, 2 <= j <= kMaxOrder.
    // Throws fw::EOutOfMemory when the memory cannot be had.
    explicit DyadicSignal(int32_t j);
    // The samples of block, a zero-filled block of NewSampleBlock holding at
    // least 2^j + 1 samples (read before j was known).
    DyadicSignal(int32_t j, std::shared_ptr<double[]> block);

    DyadicSignal(const DyadicSignal&) = delete;
    DyadicSignal& operator=(const DyadicSignal&) = delete;

    int32_t N() const { return n_; }
    int32_t J() const { return j_; }
    // The samples to write. While a copy handed out by Share is held, the
    // buffer moves to a copy of its own first, so the shared one never
    // changes; that copy may throw fw::EOutOfMemory.
    double* Data() {
        magnitudeBound_ = -1;
        if (data_.use_count() > 1) Unshare();
        return data_.get();
    }
    const double* Data() const { return data_.get(); }
    double& operator[](std::size_t i) { return Data()[i]; }
    double operator[](std::size_t i) const { return data_[i]; }

    // A bound on the samples' magnitudes, every one of them finite, that a
    // transform left and nothing has written over since (Data() forgets
    // it); negative when not known.
    double MagnitudeBound() const { return magnitudeBound_; }
    void SetMagnitudeBound(double bound) { magnitudeBound_ = bound; }

    // The samples as they are now, for a reader that keeps them (a plot)
    // instead of copying them.
    std::shared_ptr<const double[]> Share() const { return data_; }

private:
    void Unshare();

    int32_t j_;
    int32_t n_;
    std::shared_ptr<double[]> data_;
    double magnitudeBound_ = -1;
};

}  // namespace analysis
