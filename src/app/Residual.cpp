#include "app/Residual.h"

#include <bit>
#include <cmath>

#include "analysis/LevelGeometry.h"
#include "analysis/NoiseEstimate.h"
#include "analysis/WaveletTransform.h"

namespace app {

ResidualFigures MeasureResidual(const SeriesPlotSink& signal, const SeriesPlotSink& reconstruction) {
    ResidualFigures figures;
    std::vector<double> x = signal.PlottedValues();
    const std::vector<double> rebuilt = reconstruction.PlottedValues();
    figures.residual.resize(x.size());
    long double squares = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        figures.residual[i] = x[i] - rebuilt[i];
        squares += static_cast<long double>(figures.residual[i]) * figures.residual[i];
    }
    figures.rms = x.empty() ? 0.0 : static_cast<double>(std::sqrt(squares / static_cast<long double>(x.size())));
    // The noise as the denoising rules estimate it: on the details of one
    // level of the transform.
    const auto j = static_cast<int32_t>(std::bit_width(x.size() - 1) - 1);
    analysis::ForwardTransform(x.data(), j, 1);
    const analysis::LevelGeometry finest = analysis::LevelGeometry::Details(j, 1);
    figures.noise =
        analysis::EstimateSampleNoise(x.data() + finest.first, finest.stride, static_cast<std::size_t>(finest.count));
    return figures;
}

}  // namespace app
