// Each transform of the family, forward and inverse, on any buffer and
// depth: either they succeed with every value finite, or they end with a
// floating-point error (invalid operation for an input that is not finite,
// overflow otherwise) and the buffer is bit for bit what it was.

#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

#include "FuzzInput.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/transform/WaveletTransform.h"
#include "framework/core/Exceptions.h"

namespace {

enum class Direction { Forward, Inverse };

void CheckTransform(Direction direction, analysis::Wavelet wavelet, std::vector<double>& x, int32_t j, int32_t levels) {
    const std::vector<double> before = x;
    bool anyNotFinite = false;
    for (double v : x) anyNotFinite |= !std::isfinite(v);
    const std::string what = std::string(analysis::WaveletName(wavelet)) +
                             (direction == Direction::Forward ? " forward" : " inverse") + " j " + std::to_string(j) +
                             " levels " + std::to_string(levels);
    try {
        if (direction == Direction::Forward) {
            analysis::ForwardTransform(wavelet, x.data(), j, levels);
        } else {
            analysis::InverseTransform(wavelet, x.data(), j, levels);
        }
    } catch (const fw::EMathError& e) {
        fuzz::Check(std::memcmp(x.data(), before.data(), x.size() * sizeof(double)) == 0,
                    what + ": buffer changed by a failed transform (" + e.Message() + ")");
        fuzz::Check(anyNotFinite ? dynamic_cast<const fw::EInvalidOp*>(&e) != nullptr
                                 : dynamic_cast<const fw::EOverflow*>(&e) != nullptr,
                    what + ": " + e.Message());
        return;
    }
    fuzz::Check(!anyNotFinite, what + ": accepted an input that is not finite");
    for (double v : x) fuzz::Check(std::isfinite(v), what + ": left a value that is not finite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t shape = input.Byte();
    const int32_t j = 2 + shape % 11;
    const int32_t levels = 1 + (shape >> 4) % j;
    const analysis::Wavelet wavelet = analysis::kWavelets[input.Byte() % std::size(analysis::kWavelets)];
    const auto n = static_cast<std::size_t>(analysis::SamplesOfOrder(j));
    std::vector<double> x(n, 0.0);
    // The buffer from the input's bytes, repeated when they do not fill it.
    const std::string bytes = input.Rest();
    if (!bytes.empty()) {
        for (std::size_t i = 0; i < n * sizeof(double); ++i) {
            reinterpret_cast<unsigned char*>(x.data())[i] = static_cast<unsigned char>(bytes[i % bytes.size()]);
        }
    }
    CheckTransform(Direction::Forward, wavelet, x, j, levels);
    CheckTransform(Direction::Inverse, wavelet, x, j, levels);
    return 0;
}
