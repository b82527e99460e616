#include "batch/BatchOptions.h"

#include <algorithm>
#include <charconv>

#include "analysis/denoise/Denoise.h"
#include "analysis/denoise/DenoiseNames.h"
#include "analysis/transform/DyadicSignal.h"
#include "app/PictureFormat.h"
#include "analysis/denoise/Thresholding.h"
#include "batch/StandardStreams.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "import/ImportChoiceNames.h"

namespace batch {
namespace {

// More jobs than this only add threads that wait.
constexpr int32_t kMostJobs = 256;

// A decimal integer without sign or anything after it; nullopt otherwise.
std::optional<int32_t> PositiveInteger(const std::string& text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 1 || text[0] == '+') return std::nullopt;
    return value;
}

// A view item of the deepest decomposition there is: 1 ... kMaxOrder + 1.
// Whether this file's levels have it is known only from the file.
std::optional<int32_t> ViewItem(const std::string& text) {
    const std::optional<int32_t> item = PositiveInteger(text);
    if (!item || *item > analysis::kMaxOrder + 1) return std::nullopt;
    return item;
}

std::string NotAViewItem(const std::string& text) {
    return "'" + text + "' is not a view item from 1 to " + std::to_string(analysis::kMaxOrder + 1);
}

// The threshold box's check: an error message, empty when the text is a threshold.
std::string ThresholdError(const std::string& option, const std::string& text) {
    try {
        analysis::ParseThreshold(text);
        return {};
    } catch (const fw::Exception& error) {
        return option + ": " + error.Message();
    }
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    ParsedArguments Parse() {
        std::vector<std::string> files;
        bool onlyFiles = false;
        for (index_ = 0; index_ < arguments_.size() && result_.error.empty(); ++index_) {
            const std::string& argument = arguments_[index_];
            if (onlyFiles || argument == "-" || argument.empty() || argument[0] != '-') {
                files.push_back(argument);
            } else if (argument == "--") {
                onlyFiles = true;
            } else {
                Option(argument);
                if (result_.action != BatchAction::Run) return result_;
            }
        }
        if (result_.error.empty()) Files(files);
        if (result_.error.empty()) CrossChecks();
        if (!result_.error.empty()) result_.options = BatchOptions();
        return result_;
    }

private:
    void Fail(const std::string& message) {
        if (result_.error.empty()) result_.error = message;
    }

    // "--name value" or "--name=value"; nullopt after reporting a missing value.
    std::optional<std::string> Value(const std::string& name, const std::optional<std::string>& attached) {
        if (attached) return attached;
        if (index_ + 1 >= arguments_.size()) {
            Fail("option " + name + " needs a value");
            return std::nullopt;
        }
        return arguments_[++index_];
    }

    void Option(const std::string& argument) {
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const std::optional<std::string> attached =
            equals == std::string::npos ? std::nullopt : std::optional<std::string>(argument.substr(equals + 1));
        BatchOptions& options = result_.options;
        const bool flag = name == "--help" || name == "--version" || name == "--universal" || name == "--auto" ||
                          name == "--verify" || name == "--overwrite" || name == "--wiener";
        if (name != "--help" && name != "--version") given_.push_back(name);
        if (flag && attached) return Fail("option " + name + " takes no value");
        if (name == "--help") {
            result_.action = BatchAction::Help;
        } else if (name == "--version") {
            result_.action = BatchAction::Version;
        } else if (name == "--universal") {
            options.universal = true;
            Rule("universal");
        } else if (name == "--auto") {
            options.autoDenoise = true;
        } else if (name == "--rule") {
            if (const auto text = Value(name, attached)) Rule(*text);
        } else if (name == "--shrink") {
            if (const auto text = Value(name, attached)) ShrinkOption(*text);
        } else if (name == "--shifts") {
            if (const auto text = Value(name, attached)) Shifts(*text);
        } else if (name == "--wavelet") {
            if (const auto text = Value(name, attached)) WaveletOption(*text);
        } else if (name == "--wiener") {
            options.wiener = true;
        } else if (name == "--report") {
            if (const auto text = Value(name, attached)) options.reportFile = *text;
            if (options.reportFile.empty() && result_.error.empty()) Fail("option --report needs a file");
        } else if (name == "--report-format") {
            if (const auto text = Value(name, attached)) ReportFormatOption(*text);
        } else if (name == "--count") {
            if (const auto text = Value(name, attached)) Count(*text);
        } else if (name == "--levels") {
            if (const auto text = Value(name, attached)) Levels(*text);
        } else if (name == "--threshold") {
            if (const auto text = Value(name, attached)) Threshold(*text);
        } else if (name == "--out-dir") {
            if (const auto text = Value(name, attached)) options.outDir = *text;
            if (options.outDir.empty() && result_.error.empty()) Fail("option --out-dir needs a folder");
            if (options.outDir == kStandardStream) Fail("--out-dir: standard output (\"-\") is not a folder");
        } else if (name == "--output-format") {
            if (const auto text = Value(name, attached)) OutputFormat(*text);
        } else if (name == "--jobs") {
            if (const auto text = Value(name, attached)) options.jobs = NumberOf("--jobs", "jobs", *text, kMostJobs);
        } else if (name == "--coefficients") {
            if (const auto text = Value(name, attached)) options.coefficientsDir = *text;
            if (options.coefficientsDir.empty() && result_.error.empty()) Fail("option --coefficients needs a folder");
            if (options.coefficientsDir == kStandardStream)
                Fail("--coefficients: standard output (\"-\") is not a folder");
        } else if (name == "--plot") {
            if (const auto text = Value(name, attached)) options.plotFile = *text;
            if (options.plotFile.empty() && result_.error.empty()) Fail("option --plot needs a file");
        } else if (name == "--plot-format") {
            if (const auto text = Value(name, attached)) PlotFormat(*text);
        } else if (name == "--save-recipe") {
            if (const auto text = Value(name, attached)) options.saveRecipe = *text;
            if (options.saveRecipe.empty() && result_.error.empty()) Fail("option --save-recipe needs a file");
        } else if (name == "--recipe") {
            if (const auto text = Value(name, attached)) options.recipeFile = *text;
            if (options.recipeFile.empty() && result_.error.empty()) Fail("option --recipe needs a file");
            // A replay writes beside its recipe, and standard input is beside nothing.
            if (options.recipeFile == kStandardStream) Fail("--recipe: the recipe must be a file, not \"-\"");
        } else if (name == "--verify") {
            options.verify = true;
        } else if (name == "--overwrite") {
            options.overwrite = true;
        } else if (name == "--plot-level") {
            if (const auto text = Value(name, attached)) PlotLevel(*text);
        } else if (name == "--decimal-comma" || name == "--rows-as-series") {
            if (attached) return Fail("option " + name + " takes no value");
            ImportOption(name, "true");
        } else if (IsImportOption(name)) {
            if (const auto text = Value(name, attached)) ImportOption(name, *text);
        } else {
            Fail("unknown option " + name);
        }
    }

    static bool IsImportOption(const std::string& name) {
        return name == "--column" || name == "--delimiter" || name == "--skip-lines" || name == "--channel" ||
               name == "--variable" || name == "--axis" || name == "--gaps" || name == "--extend" || name == "--format";
    }

    void ImportOption(const std::string& name, const std::string& text) {
        result_.options.importOptions = true;
        if (text.empty()) return Fail("option " + name + " needs a value");
        const std::string why = importer::SetChoice(result_.options.import, name.substr(2), text);
        if (!why.empty()) Fail(name + ": " + why);
    }

    void Rule(const std::string& text) {
        BatchOptions& options = result_.options;
        if (options.rule) return Fail("the rule is given twice (--universal is --rule universal)");
        // A fixed threshold is --threshold T, not a rule.
        const std::optional<analysis::ThresholdRule> rule = analysis::RuleNamed(text);
        if (!rule || *rule == analysis::ThresholdRule::Fixed) {
            return Fail("--rule: '" + text + "' is not one of universal, sure, bayes");
        }
        options.rule = rule;
    }

    void ShrinkOption(const std::string& text) {
        result_.options.shrink = analysis::ShrinkNamed(text);
        if (!result_.options.shrink) Fail("--shrink: '" + text + "' is not hard or soft");
    }

    void WaveletOption(const std::string& text) {
        result_.options.wavelet = analysis::WaveletNamed(text);
        if (!result_.options.wavelet) Fail("--wavelet: '" + text + "' is not linear, haar or cubic");
    }

    // A whole number from 1 to most, else a failure that names the option.
    std::optional<int32_t> NumberOf(const char* option, const char* what, const std::string& text, int32_t most) {
        const std::optional<int32_t> number = PositiveInteger(text);
        if (number && *number <= most) return number;
        Fail(std::string(option) + ": '" + text + "' is not a number of " + what + " from 1 to " +
             std::to_string(most));
        return std::nullopt;
    }

    void Shifts(const std::string& text) {
        result_.options.shifts = NumberOf("--shifts", "shifts", text, analysis::kMaxShifts);
    }

    void Count(const std::string& text) {
        try {
            analysis::NormaliseCount(fw::StrToInt(text));
            result_.options.countText = text;
        } catch (const fw::Exception& error) {
            Fail("--count: " + error.Message());
        }
    }

    void Levels(const std::string& text) {
        result_.options.levels = NumberOf("--levels", "levels", text, analysis::kMaxOrder);
    }

    void Threshold(const std::string& text) {
        BatchOptions& options = result_.options;
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos) {
            if (options.allLevelsThreshold) return Fail("--threshold T is given twice");
            if (const std::string error = ThresholdError("--threshold", text); !error.empty()) return Fail(error);
            options.allLevelsThreshold = text;
            return;
        }
        const std::string levelText = text.substr(0, equals);
        const std::string threshold = text.substr(equals + 1);
        const std::optional<int32_t> level = ViewItem(levelText);
        if (!level) return Fail("--threshold " + text + ": " + NotAViewItem(levelText));
        if (const std::string error = ThresholdError("--threshold " + text, threshold); !error.empty()) {
            return Fail(error);
        }
        auto& list = options.levelThresholds;
        const auto at = std::lower_bound(list.begin(), list.end(), *level,
                                         [](const LevelThreshold& t, int32_t k) { return t.level < k; });
        if (at != list.end() && at->level == *level) return Fail("--threshold: level " + levelText + " is given twice");
        list.insert(at, LevelThreshold{*level, threshold});
    }

    void ReportFormatOption(const std::string& text) {
        if (text != "csv" && text != "json") return Fail("--report-format: '" + text + "' is not csv or json");
        result_.options.reportFormat = text == "csv" ? ReportFormat::Csv : ReportFormat::Json;
    }

    void OutputFormat(const std::string& text) {
        if (text != "text" && text != "npy") return Fail("--output-format: '" + text + "' is not text or npy");
        result_.options.outputFormat = text == "npy" ? analysis::SampleFormat::Npy : analysis::SampleFormat::Text;
    }

    // A recipe tells a result's format by the result's name only.
    void RecipeFormatCheck() {
        const BatchOptions& options = result_.options;
        if (options.saveRecipe.empty() || !options.outputFormat) return;
        const std::string& output = options.output.empty() ? std::string(kStandardStream) : options.output;
        if (ResultFormat(options, output) == analysis::FormatOfName(output)) return;
        Fail("--save-recipe: a recipe tells a result's format by its name; name the result *" +
             std::string(options.outputFormat == analysis::SampleFormat::Npy ? ".npy" : ".dat") +
             " instead of giving --output-format");
    }

    void PlotFormat(const std::string& text) {
        const auto& names = app::kPictureExtensions;
        const auto at = std::find(names.begin(), names.end(), text);
        if (at == names.end()) return Fail("--plot-format: '" + text + "' is not png, svg or pdf");
        result_.options.plotFormat = static_cast<app::PictureFormat>(at - names.begin());
    }

    // The picture's format comes from --plot-format or else the name.
    void PlotChecks() {
        const BatchOptions& options = result_.options;
        const bool formatGiven = Given("--plot-format");
        if (formatGiven && options.plotFile.empty()) return Fail("--plot-format F needs --plot FILE");
        if (formatGiven || options.plotFile.empty() || app::PictureFormatOf(options.plotFile)) return;
        if (options.plotFile == kStandardStream) {
            return Fail(
                "--plot -: standard output has no name to tell the format by; give --plot-format png, svg or pdf");
        }
        Fail("--plot: '" + options.plotFile + "' is not a .png, .svg or .pdf file name");
    }

    // Two writings to standard output would run into each other.
    void StandardOutputChecks() {
        const BatchOptions& options = result_.options;
        std::vector<std::string> writers;
        if (options.recipeFile.empty() && options.outDir.empty() &&
            (options.output.empty() || options.output == kStandardStream)) {
            writers.push_back("the result");
        }
        for (const auto& [name, file] : {std::pair<const char*, const std::string&>{"--report", options.reportFile},
                                         {"--save-recipe", options.saveRecipe},
                                         {"--plot", options.plotFile}}) {
            if (file == kStandardStream) writers.push_back(std::string(name) + " -");
        }
        if (writers.size() > 1) {
            Fail(writers[0] + " and " + writers[1] + " would both go to standard output; name a file for one of them");
        }
    }

    bool Given(const std::string& name) const { return std::find(given_.begin(), given_.end(), name) != given_.end(); }

    void PlotLevel(const std::string& text) {
        const std::optional<int32_t> level = ViewItem(text);
        if (!level) return Fail("--plot-level: " + NotAViewItem(text));
        result_.options.plotLevel = *level;
        plotLevelGiven_ = true;
    }

    void Files(const std::vector<std::string>& files) {
        BatchOptions& options = result_.options;
        if (!options.recipeFile.empty()) return RecipeFiles(files);
        if (files.empty()) return Fail("no input file");
        if (!options.outDir.empty()) {
            if (std::find(files.begin(), files.end(), kStandardStream) != files.end()) {
                return Fail("with --out-dir each result is named after its input; standard input (\"-\") has no name");
            }
            options.inputs = files;
            return;
        }
        if (files.size() > 2) return Fail("more than one input needs --out-dir DIR");
        options.inputs = {files[0]};
        if (files.size() == 2) options.output = files[1];
    }

    // --recipe FILE [INPUT]: the recipe says what to write and where.
    void RecipeFiles(const std::vector<std::string>& files) {
        const BatchOptions& options = result_.options;
        if (files.size() > 1 && options.outDir.empty()) {
            return Fail("--recipe FILE takes one INPUT instead of the recipe's, or many with --out-dir DIR");
        }
        if (files.size() > 1 && std::find(files.begin(), files.end(), kStandardStream) != files.end()) {
            return Fail("with --out-dir each result is named after its input; standard input (\"-\") has no name");
        }
        result_.options.inputs = files;
        for (const std::string& name : given_) {
            if (name != "--recipe" && name != "--verify" && name != "--overwrite" && name != "--out-dir" &&
                name != "--report" && name != "--report-format" && name != "--jobs") {
                return Fail(name + " is not used with --recipe FILE: the recipe holds the analysis");
            }
        }
        // Many inputs are runs of their own, checked by nothing recorded.
        if (files.size() > 1 && (options.verify || options.overwrite)) {
            return Fail("--verify and --overwrite take the recipe's own outputs; " + std::to_string(files.size()) +
                        " inputs each write their result under their name");
        }
        if (files.size() < 2 && !options.reportFile.empty()) {
            return Fail("--report with --recipe FILE compares many inputs; give them with --out-dir DIR");
        }
    }

    void CrossChecks() {
        const BatchOptions& options = result_.options;
        if (options.verify && options.recipeFile.empty()) return Fail("--verify needs --recipe FILE");
        if (options.overwrite && options.recipeFile.empty()) return Fail("--overwrite needs --recipe FILE");
        if (!options.saveRecipe.empty() && options.inputs.size() > 1) {
            return Fail("--save-recipe FILE records one input; " + std::to_string(options.inputs.size()) +
                        " are given");
        }
        if (options.allLevelsThreshold && (options.rule || options.autoDenoise)) {
            const std::string other = options.universal ? "--universal" : options.rule ? "--rule" : "--auto";
            return Fail(other + " and --threshold T both set the threshold of every level; give one");
        }
        const bool thresholded = options.rule || options.autoDenoise || options.allLevelsThreshold;
        if ((options.shrink || options.shifts) && !thresholded) {
            return Fail("--shrink and --shifts need a threshold: --auto, --rule or --threshold T");
        }
        if (options.wiener && !thresholded) return Fail("--wiener needs a threshold: --auto, --rule or --threshold T");
        if (!options.reportFile.empty() && options.recipeFile.empty() && !Denoising(options)) {
            return Fail("--report FILE reports a denoising: give --auto, --rule, --shrink or --shifts");
        }
        if (Given("--report-format") && options.reportFile.empty())
            return Fail("--report-format F needs --report FILE");
        const std::string items = options.levels
                                      ? ": the levels are 1 ... " + std::to_string(*options.levels) + " and " +
                                            std::to_string(*options.levels + 1) + " for the approximation"
                                      : "";
        if (options.levels && !options.levelThresholds.empty() &&
            options.levelThresholds.back().level > *options.levels + 1) {
            return Fail("--threshold " + std::to_string(options.levelThresholds.back().level) + "=" + items);
        }
        if (plotLevelGiven_ && options.plotFile.empty()) return Fail("--plot-level K needs --plot FILE");
        if (options.levels && options.plotLevel > *options.levels + 1) {
            return Fail("--plot-level " + std::to_string(options.plotLevel) + items);
        }
        if (options.importOptions && options.countText) {
            return Fail("--count sets a sample file's count; an imported signal's grid follows its length");
        }
        if (!options.plotFile.empty() && options.inputs.size() > 1) {
            return Fail("--plot FILE draws one input; " + std::to_string(options.inputs.size()) + " are given");
        }
        if (importer::AsksForManyParts(options.import)) {
            for (const auto& [name, given] : {std::pair{"--coefficients", !options.coefficientsDir.empty()},
                                              {"--plot", !options.plotFile.empty()},
                                              {"--save-recipe", !options.saveRecipe.empty()}}) {
                if (given) return Fail(std::string(name) + " takes one signal; several parts make one table");
            }
        }
        PlotChecks();
        StandardOutputChecks();
        RecipeFormatCheck();
    }

    const std::vector<std::string>& arguments_;
    std::size_t index_ = 0;
    bool plotLevelGiven_ = false;
    std::vector<std::string> given_;  // the options given, by name
    ParsedArguments result_;
};

}  // namespace

ParsedArguments ParseBatchArguments(const std::vector<std::string>& arguments) { return Parser(arguments).Parse(); }

bool Imports(const BatchOptions& options, const std::string& input) {
    // A recipe's inputs are all loaded as its own was.
    if (options.recipe) return !options.recipe->input.import.empty();
    if (options.importOptions) return true;
    return importer::ImportedByName(input);
}

std::string BatchVersion() { return std::string("quelmar-batch ") + QUELMAR_VERSION + "\n"; }

std::string BatchUsage() {
    return R"(Usage: quelmar-batch [options] INPUT [OUTPUT]
       quelmar-batch [options] INPUT... --out-dir DIR
       quelmar-batch --recipe FILE [--verify | --overwrite] [--out-dir DIR] [INPUT]
       quelmar-batch --recipe FILE --out-dir DIR [--report FILE] INPUT...

Loads each sample file, decomposes it, thresholds its levels and writes the
reconstructed signal, one number per line. With typed thresholds alone it runs
the window's operations, with the window's results. OUTPUT "-" or absent:
standard output. INPUT "-": standard input, read to its end first, a sample
file unless --format names another kind. --report, --save-recipe and --plot
write to standard output when given "-"; one thing at most may go there.

Options:
  --count N         the sample count, raised to the next 2^J + 1 as in the
                    window's count box (default: the number of samples in the
                    file, so a file of 2^J + 1 numbers is taken whole)
  --levels L        the number of levels, 1 ... J (default: J)
  --threshold T     hard-threshold the details of every level 1 ... L with T
  --threshold K=T   threshold view item K with T (K = L + 1: the approximation);
                    repeatable, and overrides the threshold for all levels
  --auto            denoise automatically: the transform, rule, shrinkage
                    and Wiener stage whose estimated risk (Stein's unbiased
                    risk estimate, from the noisy signal alone) is lowest,
                    16 shifts; the choice is printed and recorded
  --wavelet W       the transform: linear (the 5/3 pair, default), haar
                    (piecewise-constant signals) or cubic (smooth ones)
  --wiener          a second stage: each coefficient scaled by the
                    empirical Wiener gain the thresholded result gives it
  --rule R          each detail level's threshold from its own noise by the
                    rule R: universal (sigma_k * sqrt(2 ln N)), sure (Stein's
                    unbiased risk, universal on sparse levels) or bayes
                    (BayesShrink); the noise sigma_k of level k is the level-1
                    estimate median(|details|) / 0.6745 scaled by the level's
                    gain. Without --auto: hard, no shifts unless given
  --universal       short for --rule universal
  --shrink hard|soft  hard: zero what is not above T; soft: also move the rest
                    T towards zero (default hard; with --threshold T too)
  --shifts S        average the denoising of S shifted copies, 1 ... 256
                    (1: none)
  --report FILE     also write each level's sigma, threshold, zeroed
                    coefficients, energy kept and estimated risk as CSV (the
                    same report goes to standard error with a rule); with
                    --out-dir, a recipe over inputs or several parts, a row
                    an input and part instead, in the order given:
                    input,part,n,J,levels,wavelet,rule,shrink,shifts,wiener,
                    sigma,residual_rms,zeroed_share,input_sha256,
                    output_sha256 (sigma: the noise on the finest details;
                    the output's SHA-256 is of its result as a file alone;
                    as JSON: {"rows": [...]} of the same keys, the
                    configuration's under "configuration")
  --report-format F  csv (default) or json (see below)
  --coefficients DIR  also write the thresholded coefficients: level_1.dat ...
                    level_L.dat and approximation.dat (with --out-dir, in
                    DIR/<input name>/); folders are made as needed
  --out-dir DIR     write each result to DIR under its input's file name
                    (made as needed)
  --jobs N          run N inputs at once (default: one per core); messages,
                    files and the exit code are those of a run one by one
  --output-format F  text or npy: how results are written (default: npy for
                    a name ending in .npy, else text); an .npy file holds
                    the float64 values the text reads back as
  --plot FILE       also draw the window's two charts into one picture, a
                    .png, .svg or .pdf file: the signal and its reconstruction
                    above, the level --plot-level chooses below, after
                    thresholding; needs no display, and takes one input;
                    the picture carries the run's recipe
  --plot-format F   png, svg or pdf: the picture's format whatever the name
                    ends in; --plot - needs it
  --plot-level K    the view item the lower chart shows (K = L + 1: the
                    approximation; default 1)
  --save-recipe FILE  also write the recipe of the run: the input's name,
                    size and SHA-256, the count, the steps and the SHA-256 of
                    each result written; takes one input
  --recipe FILE     run a recipe (a recipe file, or a picture --plot wrote,
                    which carries one) on its own input (whose size and
                    SHA-256 must match), or on INPUT instead, and write each
                    output under its file name in the recipe's folder (or
                    --out-dir DIR), never elsewhere; the recipe is checked
                    whole before anything runs
                    Given another input than its own, the recipe runs on it
                    what its options would there: the grid follows the
                    input's length, each rule (and --auto's choice) is made
                    again from it; typed thresholds stay. Given many, with
                    --out-dir DIR, each result goes to DIR under its input's
                    name (its other outputs are its own input's alone)
  --verify          with --recipe: write nothing, and compare each output's
                    SHA-256 with the recipe's; the first that differs is named
  --overwrite       with --recipe: replace output files that exist already
                    (without it a replay refuses to)

Importing (a .csv, .tsv, .wav, .flac, .aiff, .ogg, .mat or .npy input, or
any input when one of these options is given; .dat and .txt inputs without
them are sample files, read as the window's Load Data reads them):
  --format F        text (or csv), audio, mat or npy (default: from the name)
  --column C        the column by its header name or number from 1 (default:
                    the only or last column); of a NumPy or MATLAB matrix,
                    its number (the row's, with --axis rows)
  --delimiter D     , ; tab or space (default: found from the first lines)
  --decimal-comma   numbers are written with a decimal comma (default: found)
  --skip-lines K    the lines before the data (default: found)
  --rows-as-series  a wide table (a year a line, a month a column): the data
                    lines are one series, read line by line, left to right,
                    from --column C on to the last column (default: from
                    column 2 of several, the first being the line's label);
                    only the last line may have fewer values
  --channel C       the audio channel from 1, mean (default) or all: every
                    channel denoised alone, the results the columns of one
                    table (CSV, or NPY for a .npy result), as are those of
                    --column 2,3,5 or --column all
  --variable NAME   the MATLAB variable (default: the first numeric vector)
  --axis A          of a NumPy or MATLAB matrix: columns (each column is a
                    signal) or rows (each row is one); default: along the
                    longer axis, rows when there are fewer rows than
                    columns, else columns; a vector is one signal either way
  --gaps G          empty fields and NaNs ("nan" or "NA" in a table): refuse
                    (default; the import fails naming the first), fill (a
                    straight line between the values on either side; a gap
                    at an end takes the nearest value) or drop (left out);
                    an infinity is always refused
  --extend E        how the n samples are extended to the next 2^J + 1:
                    reflect (default: no step at the end), repeat or zero
  An imported signal's result holds its n samples, not the extension; its
  coefficient files are the whole grid's.
  --help            show this text
  --version         show the version

The JSON report holds, for each input in turn, the configuration the run
used ("wiener": the Wiener stage's transform, or null), each level as the
CSV has it, and the SHA-256 of each sample file written (the result, "-" on
standard output, and the coefficient files):
  {"inputs": [{"input", "configuration": {"wavelet", "rule", "shrink",
    "shifts", "wiener", "levels"}, "levels": [{"level", "sigma", "threshold",
    "zeroed", "total", "energy_kept", "risk"}], "outputs": [{"file",
    "sha256"}]}]}

Thresholds are read with "." as the decimal point. Warnings and errors go to
standard error; when it is a terminal, a run that takes over a second shows
how far it is there. A file is replaced only once its new content is complete.

Exit codes:
  0  done
  1  bad arguments or a bad recipe (nothing is written)
  2  an input cannot be read (the other inputs are still processed), or is
     not the recipe's: its size or SHA-256 differs
  3  an error in the analysis or in writing a result
  4  --verify: an output differs from the recipe's
  When inputs fail in different ways the highest code is returned.
)";
}

}  // namespace batch
