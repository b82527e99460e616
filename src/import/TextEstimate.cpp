#include "import/TextEstimate.h"

#include <algorithm>
#include <cmath>

#include "analysis/io/FileDescriptor.h"
#include "import/SourceFile.h"
#include "import/TextImport.h"

namespace importer {
namespace {

// The windows over the rest of the file, and the bytes each reads.
constexpr int32_t kWindows = 8;
constexpr std::size_t kWindowBytes = 16 * 1024;

// Bytes a line over the whole lines of text; 0 for fewer than two line ends.
double BytesPerLine(std::string_view text) {
    const std::size_t first = text.find('\n');
    const std::size_t last = text.rfind('\n');
    const auto lines = std::count(text.begin(), text.end(), '\n') - 1;
    return lines > 0 ? static_cast<double>(last - first) / static_cast<double>(lines) : 0.0;
}

}  // namespace

TextEstimate EstimateTextCount(const std::string& fileName, std::string_view head, const TextChoices& fixed,
                               Gaps gaps) {
    TextEstimate estimate;
    const std::size_t lastLine = head.rfind('\n');
    if (lastLine == std::string_view::npos) return estimate;
    const std::string_view whole = head.substr(0, lastLine + 1);
    estimate.firstValues = ParseTextColumn(whole, fixed, gaps != Gaps::Refuse).values;
    ResolveGaps(estimate.firstValues, gaps);
    const auto headValues = static_cast<double>(estimate.firstValues.size());
    // The data lines of the head: its lines after those before the data.
    const auto headLines =
        std::count(whole.begin(), whole.end(), '\n') - static_cast<std::ptrdiff_t>(fixed.skipLines.value_or(0));
    const double valuesPerLine = headValues / static_cast<double>(std::max<std::ptrdiff_t>(headLines, 1));

    double shortest = static_cast<double>(whole.size()) / static_cast<double>(std::max<std::ptrdiff_t>(headLines, 1));
    double longest = shortest;
    double sum = 0.0;
    int32_t measured = 0;
    int64_t fileBytes = 0;
    const analysis::FileDescriptor file(OpenSourceFile(fileName, fileBytes));
    const int64_t restStart = static_cast<int64_t>(whole.size());
    const int64_t rest = std::max<int64_t>(fileBytes - restStart, 0);
    std::string window(kWindowBytes, '\0');
    for (int32_t i = 0; i < kWindows; ++i) {
        // Evenly from just after the head to the file's end.
        const int64_t span = std::max<int64_t>(rest - static_cast<int64_t>(kWindowBytes), 0);
        const int64_t at = restStart + span * i / (kWindows - 1);
        const std::size_t got = analysis::ReadFileAt(file.Get(), fileName, window.data(), window.size(), at);
        const double length = BytesPerLine(std::string_view(window.data(), got));
        if (length <= 0.0) continue;
        shortest = std::min(shortest, length);
        longest = std::max(longest, length);
        sum += length;
        ++measured;
    }
    const double mean = measured > 0 ? sum / measured : shortest;
    const auto count = [&](double bytesPerLine) {
        return headValues + static_cast<double>(rest) / bytesPerLine * valuesPerLine;
    };
    estimate.n = std::llround(count(mean));
    estimate.least = static_cast<int64_t>(std::floor(count(longest)));
    estimate.most = static_cast<int64_t>(std::ceil(count(shortest)));
    return estimate;
}

}  // namespace importer
