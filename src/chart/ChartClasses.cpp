#include "chart/ChartClasses.h"

#include <algorithm>

#include "chart/panel/CustomChart.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/FastLineSeries.h"

namespace chart {

namespace {

constexpr std::size_t MaxGalleryText = 20;

std::vector<TChartSeriesType>& SeriesTypes() {
    static std::vector<TChartSeriesType> types;
    return types;
}

}  // namespace

const std::vector<TChartSeriesType>& ChartSeriesTypes() { return SeriesTypes(); }

void RegisterChartSeries(const std::string& seriesClass, TChartSeriesFactory factory, const std::string& description,
                         const std::string& galleryPage, int32_t numGallerySeries) {
    fw::ClassRegistry().Register<TChartSeries>(seriesClass, std::move(factory));
    std::vector<TChartSeriesType>& types = SeriesTypes();
    const bool listed = std::any_of(types.begin(), types.end(), [&](const TChartSeriesType& t) {
        return t.SeriesClass == seriesClass && t.FunctionClass.empty();
    });
    if (listed) return;
    types.push_back({seriesClass,
                     {},
                     description.substr(0, MaxGalleryText),
                     galleryPage.substr(0, MaxGalleryText),
                     numGallerySeries});
}

void RegisterChartClasses() {
    fw::TClassRegistry& registry = fw::ClassRegistry();
    registry.Register<TCustomChartPanel>("TChart", [] { return std::make_unique<TChart>(); });
    for (const char* name : {"TChartAxis", "TChartDepthAxis", "TSeriesMarks", "TChartAxisTitle", "TChartLegend",
                             "TChartGradient", "TChartWall", "TChartTitle"}) {
        registry.RegisterName(name);
    }
    RegisterChartSeries(
        "TFastLineSeries", [] { return std::make_unique<TFastLineSeries>(); }, "Fast Line", "Standard", 2);
}

}  // namespace chart
