#pragma once
// The command line of the batch program, parsed without touching any file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/denoise/Shrinkage.h"
#include "analysis/denoise/ThresholdRules.h"
#include "analysis/io/NpyWriter.h"
#include "analysis/transform/Wavelet.h"
#include "app/PictureFormat.h"
#include "import/ImportParts.h"
#include "import/SignalImport.h"
#include "recipe/Recipe.h"

namespace batch {

// One --threshold K=T: the view item K (1 ... L details, L + 1 the
// approximation) with the threshold text T as the window's threshold box
// would hold it.
struct LevelThreshold {
    int32_t level;
    std::string text;
};

enum class ReportFormat { Csv, Json };

struct BatchOptions {
    // "-" is standard input.
    std::vector<std::string> inputs;
    // One input: the output file; empty or "-" is standard output.
    std::string output;
    // Many inputs: each result goes to outDir under its input's file name.
    std::string outDir;
    // --output-format: how results are written; absent: NPY for a name
    // ending in .npy, else text.
    std::optional<analysis::SampleFormat> outputFormat;
    // --jobs N: inputs run at once; absent: one per core.
    std::optional<int32_t> jobs;
    // The count box's text; absent: the number of samples in each file.
    std::optional<std::string> countText;
    // The number of levels; absent: J, the deepest.
    std::optional<int32_t> levels;
    // --threshold T: every detail level 1 ... L.
    std::optional<std::string> allLevelsThreshold;
    // --threshold K=T, in increasing K; they override the threshold for all levels.
    std::vector<LevelThreshold> levelThresholds;
    // --universal: a short form of --rule universal (kept to name it in messages).
    bool universal = false;
    // --auto: the automatic denoising; --rule, --shrink, --shifts override its parts.
    bool autoDenoise = false;
    std::optional<analysis::ThresholdRule> rule;
    std::optional<analysis::Shrink> shrink;
    std::optional<int32_t> shifts;
    // --wavelet W: the transform; absent: Linear, or --auto's choice.
    std::optional<analysis::Wavelet> wavelet;
    // --wiener: the Wiener stage after the thresholding, by the same transform.
    bool wiener = false;
    // --report FILE: each input's levels; empty: none, "-": standard output.
    std::string reportFile;
    ReportFormat reportFormat = ReportFormat::Csv;
    // --coefficients DIR: the thresholded coefficients of each view item.
    std::string coefficientsDir;
    // --plot FILE: a picture of both charts of the one input, in the format
    // the name ends in (app::PictureFormatOf) unless plotFormat names one;
    // empty: none, "-": standard output, which plotFormat must name.
    std::string plotFile;
    std::optional<app::PictureFormat> plotFormat;
    // --plot-level K: the view item the lower chart shows (1 ... L details,
    // L + 1 the approximation).
    int32_t plotLevel = 1;
    // --save-recipe FILE: the recipe of what the run did with its one input
    // ("-": standard output).
    std::string saveRecipe;
    // --recipe FILE: the run is the recipe's; inputs holds the INPUT given
    // instead of the recipe's own, if any.
    std::string recipeFile;
    // --recipe FILE over many inputs: the recipe read, whose steps each
    // input runs as a run of its own would (recipe/OtherInput.h).
    std::shared_ptr<const recipe::Recipe> recipe;
    // --verify: replay the recipe and compare its outputs' hashes, writing nothing.
    bool verify = false;
    // --overwrite: a replay may replace the files its outputs name.
    bool overwrite = false;
    // --column, --delimiter, --decimal-comma, --skip-lines, --rows-as-series,
    // --channel, --variable, --axis, --gaps, --extend, --format: how an input
    // that is not a sample file is imported.
    importer::ImportChoices import;
    // One of those options was given: every input is imported, whatever its
    // name. Without them only the names of importable kinds other than the
    // sample file's .dat and .txt are.
    bool importOptions = false;
};

// Whether the input is imported rather than loaded as a sample file.
bool Imports(const BatchOptions& options, const std::string& input);

// The format a result written to `output` ("" or "-": standard output) takes.
inline analysis::SampleFormat ResultFormat(const BatchOptions& options, const std::string& output) {
    return options.outputFormat.value_or(analysis::FormatOfName(output));
}

// Whether --report compares rows of many inputs or parts of one
// (BatchComparison.h) rather than one input's levels.
inline bool Comparing(const BatchOptions& options) {
    return !options.outDir.empty() || options.recipe || importer::AsksForManyParts(options.import);
}

// Whether the run denoises by a rule, soft shrinkage or shifts instead of
// the window's hard thresholding with typed thresholds.
inline bool Denoising(const BatchOptions& options) {
    return options.autoDenoise || options.rule || options.shrink || options.shifts || options.wiener;
}

enum class BatchAction { Run, Help, Version };

struct ParsedArguments {
    BatchAction action = BatchAction::Run;
    BatchOptions options;
    // Non-empty: the arguments are bad and this says why; nothing is to be done.
    std::string error;
};

// The arguments after the program name. Numbers are checked as the window
// checks its boxes (the count as an integer and against the largest signal,
// thresholds as the threshold box reads them, with "." as decimal point);
// what depends on a file (levels and view items beyond its J) is checked by
// the run.
ParsedArguments ParseBatchArguments(const std::vector<std::string>& arguments);

// The --help text, exit codes included.
std::string BatchUsage();

// The --version text.
std::string BatchVersion();

}  // namespace batch
