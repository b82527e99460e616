#pragma once
// The chart's classes in the framework's class registry, so that a stored
// window layout can name them, and the list of series kinds a chart offers.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/ClassRegistry.h"

namespace chart {

class TChartSeries;

// One series kind: its class, the function class that computes its points
// (none for a plain kind), and how a gallery shows it.
struct TChartSeriesType {
    std::string SeriesClass;
    std::string FunctionClass;
    std::string Description;  // at most 20 characters
    std::string GalleryPage;  // at most 20 characters
    int32_t NumGallerySeries = 1;
};

using TChartSeriesFactory = fw::TClassRegistry::Factory<TChartSeries>;

// The registered series kinds, in the order they were registered.
const std::vector<TChartSeriesType>& ChartSeriesTypes();

// Makes the series class creatable by name and lists it as a series kind
// (description and page cut to 20 characters). The same class registered
// again is listed once.
void RegisterChartSeries(const std::string& seriesClass, TChartSeriesFactory factory, const std::string& description,
                         const std::string& galleryPage, int32_t numGallerySeries = 1);

// Registers TChart (made by name), the classes of the chart's sub-objects
// and the series kinds the chart brings ("Fast Line"). Called at start-up;
// calling it again changes nothing.
void RegisterChartClasses();

}  // namespace chart
