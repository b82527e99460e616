#include "batch/ResultTable.h"

#include "analysis/io/SampleWriter.h"
#include "framework/core/FileReplacement.h"

namespace batch {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string FormatTable(analysis::SampleFormat format, const std::vector<std::string>& names,
                        const std::vector<std::vector<double>>& columns, const std::string& name) {
    const std::size_t rows = columns.empty() ? 0 : columns.front().size();
    if (format == analysis::SampleFormat::Npy) {
        std::vector<double> values;
        values.reserve(rows * columns.size());
        for (std::size_t row = 0; row < rows; ++row) {
            for (const std::vector<double>& column : columns) values.push_back(column[row]);
        }
        return analysis::FormatNpy(values, columns.size(), name);
    }
    std::string text;
    for (const std::string& column : names) {
        if (!text.empty()) text += ',';
        text += CsvField(column);
    }
    text += "\n";
    char line[analysis::kMaxSampleLine];
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const char* end = analysis::FormatSampleLine(columns[c][row], line);
            if (!end) throw fw::SaveError(name.empty() ? "standard output" : name, "a value is not finite");
            // The sample line without its line feed.
            text.append(line, static_cast<std::size_t>(end - 1 - line));
            text += c + 1 == columns.size() ? '\n' : ',';
        }
    }
    return text;
}

}  // namespace batch
