// The bulk adds leave a series exactly as their plain forms do: a run of
// strided values as AddY one by one (points, colours, labels, staged values,
// add events; whichever way each case takes), a shared block as AddArray.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FakeSeriesChart.h"
#include "chart/series/FastLineSeries.h"

namespace chart {
namespace {

using testing::FakeChart;

struct AddCase {
    const char* name;
    std::function<void(TChartSeries&, std::vector<std::string>& events)> prepare;
    std::ptrdiff_t stride;
    int32_t count;
    std::string label;
    fw::TColor colour;
    bool continuesSequence;  // the values are 0, 1, 2, ... after the points held
};

std::vector<std::string> State(const TChartSeries& s) {
    std::vector<std::string> out{std::to_string(s.Count()),
                                 std::to_string(std::bit_cast<uint64_t>(s.XValues().TempValue)),
                                 std::to_string(std::bit_cast<uint64_t>(s.YValues().TempValue))};
    for (int32_t i = 0; i < s.Count(); ++i) {
        out.push_back(std::to_string(std::bit_cast<uint64_t>(s.XValue(i))) + " " +
                      std::to_string(std::bit_cast<uint64_t>(s.YValue(i))) + " " + std::to_string(s.ValueColor(i)) +
                      " '" + s.XLabel(i) + "'");
    }
    return out;
}

TEST(SeriesAddYs, EqualsAddingEachPointWithAddY) {
    const auto addThree = [](TChartSeries& s, std::vector<std::string>&) {
        for (int i = 0; i < 3; ++i) s.AddY(i * 1.5, "", 255);
    };
    const AddCase cases[] = {
        {"empty series", nullptr, 2, 40, "", 255, false},
        {"points with the same colour", addThree, 3, 25, "", 255, false},
        {"points with another colour", addThree, 1, 10, "", fw::clBlue, false},
        {"a label on every point", nullptr, 2, 12, "a", 255, false},
        {"no points", addThree, 2, 0, "", 255, false},
        {"an add event",
         [](TChartSeries& s, std::vector<std::string>& events) {
             s.OnAfterAdd = [&events](TChartSeries&, int32_t i) { events.push_back("added " + std::to_string(i)); };
         },
         2, 6, "", 255, false},
        {"descending X",
         [&](TChartSeries& s, std::vector<std::string>& e) {
             s.XValues().SetOrder(loDescending);
             addThree(s, e);
         },
         1, 5, "", 255, false},
        {"X stored after a delete",
         [&](TChartSeries& s, std::vector<std::string>& e) {
             addThree(s, e);
             s.Delete(0);
         },
         2, 9, "", 255, false},
        {"values that go on counting", nullptr, 1, 30, "", 255, true},
    };
    for (const AddCase& setup : cases) {
        std::vector<double> values(static_cast<std::size_t>(std::max<int32_t>(1, setup.count)) *
                                   static_cast<std::size_t>(setup.stride));
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = setup.continuesSequence ? i : std::sin(i * 0.7) * 10;
        FakeChart oneByOne, inOneGo;
        TFastLineSeries expected, actual;
        oneByOne.AddSeries(expected);
        inOneGo.AddSeries(actual);
        std::vector<std::string> expectedEvents, actualEvents;
        if (setup.prepare) {
            setup.prepare(expected, expectedEvents);
            setup.prepare(actual, actualEvents);
        }
        const int before = inOneGo.invalidations;
        for (int32_t k = 0; k < setup.count; ++k) expected.AddY(values[k * setup.stride], setup.label, setup.colour);
        actual.AddYs(values.data(), setup.stride, setup.count, setup.label, setup.colour);
        EXPECT_EQ(State(actual), State(expected)) << setup.name;
        EXPECT_EQ(actualEvents, expectedEvents) << setup.name;
        EXPECT_EQ(actual.XValues().IsSequence(), expected.XValues().IsSequence()) << setup.name;
        EXPECT_EQ(inOneGo.invalidations > before, setup.count > 0) << setup.name;
    }
}

// A shared block gives the series AddArray's points without a copy, and the
// series never writes into it: a change stores the series' own values.
TEST(SeriesAddArrayShared, EqualsAddArrayAndLeavesTheBlockAlone) {
    std::shared_ptr<double[]> block(new double[50]);
    for (int i = 0; i < 50; ++i) block[static_cast<std::size_t>(i)] = std::cos(i * 0.3);
    const std::vector<double> original(block.get(), block.get() + 50);
    for (const bool emptyFirst : {true, false}) {
        FakeChart oneChart, otherChart;
        TFastLineSeries copied, shared;
        oneChart.AddSeries(copied);
        otherChart.AddSeries(shared);
        if (!emptyFirst) {
            copied.AddY(5);
            shared.AddY(5);
        }
        EXPECT_EQ(shared.AddArrayShared(block, 49), copied.AddArray(block.get(), 49));
        EXPECT_EQ(State(shared), State(copied));
        EXPECT_EQ(shared.YValues().RawData() == block.get(), emptyFirst);
        EXPECT_GT(otherChart.invalidations, 0);
        shared.SetYValue(3, 100);
        shared.AddY(-1);
        EXPECT_EQ(std::vector<double>(block.get(), block.get() + 50), original);
    }
}

}  // namespace
}  // namespace chart
