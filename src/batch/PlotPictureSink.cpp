#include "batch/PlotPictureSink.h"

#include <QGuiApplication>

#include "analysis/session/PlotSink.h"
#include "app/ChartsPicture.h"
#include "app/ProgramCharts.h"
#include "batch/StandardStreams.h"

namespace batch {

PlotPictureSink::PlotPictureSink(std::string fileName, app::PictureFormat format, int32_t level, int output)
    : fileName_(std::move(fileName)), format_(format), level_(level), output_(output) {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

PlotPictureSink::~PlotPictureSink() = default;

void PlotPictureSink::Take(const InputResult& result) {
    // The plots get the session's own calls: whole arrays for the signal and
    // the reconstruction, one point at a time for the viewed level.
    app::ProgramCharts charts;
    charts.Series1().Clear();
    charts.Series1().AddArray(result.signal.data(), static_cast<int32_t>(result.signal.size()) - 1);
    charts.Series2().Clear();
    charts.Series2().AddArray(result.reconstruction.data(), static_cast<int32_t>(result.reconstruction.size()) - 1);
    charts.Series3().Clear();
    for (double value : result.coefficients.at(static_cast<std::size_t>(level_) - 1)) {
        charts.Series3().AddY(value, "", analysis::kAddedPointColour);
    }
    const QByteArray data = app::ChartsPictureData(charts, format_, result.recipe);
    WriteOutput(fileName_, std::string_view(data.constData(), static_cast<std::size_t>(data.size())), output_);
}

}  // namespace batch
