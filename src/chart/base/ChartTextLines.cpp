#include "chart/base/ChartTextLines.h"

#include <algorithm>

#include "chart/base/ChartException.h"

namespace chart {

void ChartSplitInLines(std::string& text, char separator) {
    std::replace(text.begin(), text.end(), separator, ChartLineSeparator);
}

int32_t ChartNumTextLines(const std::string& text) {
    const auto separators = static_cast<int32_t>(std::count(text.begin(), text.end(), ChartLineSeparator));
    const bool textAfterLast = !text.empty() && text.back() != ChartLineSeparator;
    return separators + (textAfterLast ? 1 : 0);
}

std::vector<std::string> ChartTextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(ChartLineSeparator, start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void ChartCheckAngle(int32_t angle, const std::string& name) {
    if (angle < 0 || angle > 359) throw ChartException(name + " Angle must be between 0 and 359 degrees");
}

}  // namespace chart
