#pragma once
// What --report writes: each denoised input's levels as CSV, or as JSON
// with the configuration the run used and the SHA-256 of each sample file
// it wrote; or, for a run over many inputs or parts, a row each
// (BatchComparison.h).

#include <string>
#include <vector>

#include "analysis/denoise/Denoise.h"
#include "batch/BatchComparison.h"
#include "batch/BatchOptions.h"

namespace batch {

struct WrittenFile {
    std::string name;  // "-": standard output
    std::string sha256;
};

class BatchReport {
public:
    BatchReport(ReportFormat format, bool comparing) : format_(format), comparing_(comparing) {}

    // Whether the report is rows to compare (AddRow) rather than levels (Add).
    bool Comparing() const { return comparing_; }

    // Whether Add is to be given the files written, which cost a hash each.
    bool TakesFiles() const { return format_ == ReportFormat::Json; }

    void Add(const std::string& input, const analysis::DenoiseOptions& settings,
             const std::vector<analysis::LevelReport>& levels, std::vector<WrittenFile> files);
    void AddRow(ComparisonRow row) { rows_.push_back(std::move(row)); }

    // Takes other's inputs after this one's (a run's own report, kept
    // while other inputs ran at once).
    void Append(BatchReport&& other);

    // The whole report, every input so far.
    std::string Text() const;

private:
    struct Input {
        std::string name;
        analysis::DenoiseOptions settings;
        std::vector<analysis::LevelReport> levels;
        std::vector<WrittenFile> files;
    };

    std::string Csv() const;
    std::string Json() const;

    ReportFormat format_;
    bool comparing_;
    std::vector<Input> inputs_;
    std::vector<ComparisonRow> rows_;
};

}  // namespace batch
