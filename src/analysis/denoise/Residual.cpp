#include "analysis/denoise/Residual.h"

#include <bit>
#include <cmath>

#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/WaveletTransform.h"

namespace analysis {

ResidualFigures MeasureResidual(std::span<const double> signal, std::span<const double> reconstruction) {
    ResidualFigures figures;
    std::vector<double> x(signal.begin(), signal.end());
    figures.residual.resize(x.size());
    long double squares = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        figures.residual[i] = x[i] - reconstruction[i];
        squares += static_cast<long double>(figures.residual[i]) * figures.residual[i];
    }
    figures.rms = x.empty() ? 0.0 : static_cast<double>(std::sqrt(squares / static_cast<long double>(x.size())));
    // The noise as the denoising rules estimate it: on the details of one
    // level of the transform.
    const auto j = static_cast<int32_t>(std::bit_width(x.size() - 1) - 1);
    ForwardTransform(x.data(), j, 1);
    figures.noise = SampleNoiseOf(x.data(), j);
    return figures;
}

}  // namespace analysis
