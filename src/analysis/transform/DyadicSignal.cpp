#include "analysis/transform/DyadicSignal.h"

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/LargeBlock.h"

#include <cstring>

namespace analysis {

SignalSize NormaliseCount(int32_t count) {
    if (count > kMaxSamples) {
        throw fw::Exception("The sample count " + fw::IntToStr(count) + " is too large: at most " +
                            fw::IntToStr(kMaxSamples) + " samples can be loaded");
    }
    int32_t j = 2;
    while (SamplesOfOrder(j) < count) ++j;
    return {SamplesOfOrder(j), j};
}

namespace {

std::shared_ptr<double[]> NewBlock(std::size_t n) {
    const std::size_t bytes = n * sizeof(double);
    return fw::MapOutOfMemory([bytes] {
        // Should the control block fail, the shared pointer frees the block.
        return std::shared_ptr<double[]>(static_cast<double*>(fw::AllocateBlock(bytes)),
                                         [bytes](double* p) { fw::FreeBlock(p, bytes); });
    });
}

}  // namespace

DyadicSignal::DyadicSignal(int32_t j) : j_(j), n_(0) {
    if (j < 2 || j > kMaxOrder) {
        throw fw::Exception("Signal order " + fw::IntToStr(j) + " is outside 2 ... " + fw::IntToStr(kMaxOrder));
    }
    n_ = SamplesOfOrder(j);
    // A block comes zeroed without being touched first, so a fresh buffer is
    // never indeterminate and costs nothing until it is written.
    data_ = NewBlock(static_cast<std::size_t>(n_));
}

void DyadicSignal::Unshare() {
    std::shared_ptr<double[]> own = NewBlock(static_cast<std::size_t>(n_));
    std::memcpy(own.get(), data_.get(), static_cast<std::size_t>(n_) * sizeof(double));
    data_ = std::move(own);
}

}  // namespace analysis
