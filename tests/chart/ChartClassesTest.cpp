#include "chart/ChartClasses.h"

#include <gtest/gtest.h>

#include "chart/Chart.h"
#include "chart/series/ChartSeries.h"

namespace chart {
namespace {

TEST(ChartClasses, AStoredLayoutCanMakeATChartByName) {
    RegisterChartClasses();
    RegisterChartClasses();
    fw::TClassRegistry& registry = fw::ClassRegistry();
    const auto chart = registry.Create<TCustomChartPanel>("TChart");
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->ClassName(), "TChart");
    for (const char* name : {"TChartAxis", "TChartDepthAxis", "TSeriesMarks", "TChartAxisTitle", "TChartLegend",
                             "TChartGradient", "TChartWall", "TChartTitle"}) {
        EXPECT_TRUE(registry.IsRegistered(name)) << name;
    }
    EXPECT_THROW(registry.Create<TCustomChartPanel>("TChartWall"), fw::EClassNotFound);
}

TEST(ChartClasses, SeriesKindsAreListedOnceWithShortGalleryTexts) {
    class TTestSeries : public TChartSeries {};
    const std::size_t before = ChartSeriesTypes().size();
    RegisterChartSeries(
        "TTestSeries", [] { return std::make_unique<TTestSeries>(); }, "A description longer than twenty", "Standard",
        2);
    RegisterChartSeries(
        "TTestSeries", [] { return std::make_unique<TTestSeries>(); }, "again", "again");
    ASSERT_EQ(ChartSeriesTypes().size(), before + 1);
    const TChartSeriesType& type = ChartSeriesTypes().back();
    EXPECT_EQ(type.SeriesClass, "TTestSeries");
    EXPECT_EQ(type.Description, "A description longer");
    EXPECT_EQ(type.GalleryPage, "Standard");
    EXPECT_EQ(type.NumGallerySeries, 2);
    EXPECT_NE(fw::ClassRegistry().Create<TChartSeries>("TTestSeries"), nullptr);
}

}  // namespace
}  // namespace chart
