#include "chart/scale/LabelDecimals.h"

#include <string_view>
#include <utility>

#include "chart/base/ChartStrings.h"
#include "framework/core/FormatFloat.h"

namespace chart {

namespace {

bool NeighboursDiffer(std::span<const double> values, const std::string& format) {
    std::string previous;
    for (size_t i = 0; i < values.size(); ++i) {
        std::string text = fw::FormatFloat(format, values[i]);
        if (i > 0 && text == previous) return false;
        previous = std::move(text);
    }
    return true;
}

}  // namespace

int32_t DefaultFormatDecimals() {
    const std::string_view format = MsgDefaultValueFormat;
    const size_t point = format.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int32_t>(format.size() - point - 1);
}

std::string DefaultFormatWithDecimals(int32_t decimals) {
    const int32_t extra = decimals - DefaultFormatDecimals();
    return std::string(MsgDefaultValueFormat) + std::string(static_cast<size_t>(extra > 0 ? extra : 0), '#');
}

int32_t DistinctLabelDecimals(std::span<const double> values) {
    for (int32_t decimals = DefaultFormatDecimals(); decimals <= kMaxLabelDecimals; ++decimals) {
        if (NeighboursDiffer(values, DefaultFormatWithDecimals(decimals))) return decimals;
    }
    return DefaultFormatDecimals();
}

}  // namespace chart
