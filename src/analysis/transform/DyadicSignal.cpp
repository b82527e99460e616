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

std::shared_ptr<double[]> NewSampleBlock(std::size_t n, fw::BlockPages pages) {
    const std::size_t bytes = n * sizeof(double);
    return fw::MapOutOfMemory([bytes, pages] {
        // Should the control block fail, the shared pointer frees the block.
        return std::shared_ptr<double[]>(static_cast<double*>(fw::AllocateBlock(bytes, pages)),
                                         [bytes](double* p) { fw::FreeBlock(p, bytes); });
    });
}

namespace {

int32_t SamplesOfValidOrder(int32_t j) {
    if (j < 2 || j > kMaxOrder) {
        throw fw::Exception("Signal order " + fw::IntToStr(j) + " is outside 2 ... " + fw::IntToStr(kMaxOrder));
    }
    return SamplesOfOrder(j);
}

}  // namespace

// A block comes zeroed without being touched first, so a fresh buffer is
// never indeterminate and costs nothing until it is written.
DyadicSignal::DyadicSignal(int32_t j)
    : j_(j), n_(SamplesOfValidOrder(j)), data_(NewSampleBlock(static_cast<std::size_t>(n_))) {}

DyadicSignal::DyadicSignal(int32_t j, std::shared_ptr<double[]> block)
    : j_(j), n_(SamplesOfValidOrder(j)), data_(std::move(block)) {}

void DyadicSignal::Unshare() {
    std::shared_ptr<double[]> own = NewSampleBlock(static_cast<std::size_t>(n_));
    std::memcpy(own.get(), data_.get(), static_cast<std::size_t>(n_) * sizeof(double));
    data_ = std::move(own);
}

}  // namespace analysis
