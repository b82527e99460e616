#include "analysis/DyadicSignal.h"

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace analysis {

SignalSize NormaliseCount(int32_t count)
{
    if (count > kMaxSamples) {
        throw fw::Exception("The sample count " + fw::IntToStr(count) + " is too large: at most " +
                            fw::IntToStr(kMaxSamples) + " samples can be loaded");
    }
    if (count <= 5) return {5, 2};
    int32_t a = 4;
    int32_t j = 2;
    while (a + 1 < count) {
        a *= 2;
        ++j;
    }
    return {a + 1, j};
}

DyadicSignal::DyadicSignal(int32_t j) : j_(j), n_(0)
{
    if (j < 2 || j > kMaxOrder) {
        throw fw::Exception("Signal order " + fw::IntToStr(j) + " is outside 2 ... " + fw::IntToStr(kMaxOrder));
    }
    n_ = (int32_t{1} << j) + 1;
    // calloc hands out zeroed pages without touching them first, so a fresh
    // buffer is never indeterminate and costs nothing until it is written.
    data_.reset(static_cast<double*>(std::calloc(static_cast<std::size_t>(n_), sizeof(double))));
    if (!data_) throw fw::EOutOfMemory();
}

}  // namespace analysis
