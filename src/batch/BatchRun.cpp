#include "batch/BatchRun.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <sstream>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <cstdio>
#include <set>
#include <span>

#include "analysis/session/AnalysisSession.h"
#include "analysis/denoise/AutoChoice.h"
#include "analysis/denoise/DenoiseNames.h"
#include "analysis/io/ReadWarning.h"
#include "analysis/io/SampleReader.h"
#include "analysis/io/SampleWriter.h"
#include "analysis/denoise/Thresholding.h"
#include "batch/BatchProgress.h"
#include "batch/BatchRecipe.h"
#include "batch/BatchReport.h"
#include "batch/BatchSinks.h"
#include "batch/ResultTable.h"
#include "analysis/denoise/Residual.h"
#include "import/ImportParts.h"
#include "recipe/OtherInput.h"
#include "recipe/RecipeImport.h"
#include "recipe/RecipeSteps.h"
#include "recipe/StepRunner.h"
#include "batch/PlotPictureSink.h"
#include "batch/BatchReplay.h"
#include "framework/core/SameFile.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileReplacement.h"
#include "framework/core/OrderedRuns.h"
#include "framework/core/ShortestText.h"
#include "import/GridExtension.h"
#include "import/ImportChoiceNames.h"
#include "import/SignalImport.h"
#include "recipe/Sha256.h"
#include "recipe/RecipeJson.h"

namespace batch {
namespace {

// What the run will do with one input, settled before anything is written.
struct InputPlan {
    std::string input;
    std::string path;        // what is read: the input, or standard input's copy for "-"
    std::string unreadable;  // why the input cannot be read; empty when it can
    std::string warning;     // what the load will not tell of the input
    std::string countText;
    analysis::SignalSize size{};
    int32_t levels = 0;
    std::string output;           // empty: standard output
    std::string coefficientsDir;  // empty: no coefficient files
    // An imported input: its samples, which the load extends to the grid
    // of size.N; empty for a sample file.
    importer::Samples signal;
    std::string importWarning;  // what the import read short, told once it is loaded
    std::string source;         // what was imported, for the log
    // A sample file read whole to learn its count, which the load takes
    // instead of reading it again; its samples are null when the file is
    // to be read again (beyond the plans' budget, or with --count).
    analysis::WholeFileRead whole;
    // Several parts of the input (channels, columns), run in turn, each as
    // its own signal, and their results, written as one table's columns.
    std::vector<importer::ImportedSignal> parts;
    std::vector<std::vector<double>> columns;
    std::string part;  // what of the file is run (ImportedSignal::part); empty for a sample file
};

// The memory the plans' reads may keep for the runs to load; inputs beyond
// it are read again when their turn comes.
constexpr int64_t kKeptReadBytes = int64_t{1} << 30;

// The imported signal on its grid, or why the input cannot be imported.
void PlanImport(const BatchOptions& options, InputPlan& plan) {
    if (options.countText) {
        plan.unreadable = "--count sets a sample file's count; " + Quoted(plan.input) +
                          " is imported, and its grid follows its length";
        return;
    }
    try {
        if (importer::AsksForManyParts(options.import)) {
            plan.parts = importer::ImportParts(plan.path, options.import);
            plan.size = importer::GridFor(static_cast<int64_t>(plan.parts.front().samples.size()));
            plan.countText = fw::IntToStr(plan.size.N);
            return;
        }
        importer::ImportedSignal signal = importer::ImportSignal(plan.path, options.import);
        plan.size = importer::GridFor(static_cast<int64_t>(signal.samples.size()));
        plan.countText = fw::IntToStr(plan.size.N);
        plan.source = signal.Describe();
        plan.importWarning = signal.warning;
        plan.part = signal.part;
        plan.signal = std::move(signal.samples);
    } catch (const fw::Exception& error) {
        plan.unreadable = error.Message();
    }
}

// The count the load gets and the size it makes, or why the input cannot be read.
void PlanInput(const BatchOptions& options, InputPlan& plan) {
    if (Imports(options, plan.input)) return PlanImport(options, plan);
    try {
        // With a count given, one number is enough to know the file gives samples.
        if (!options.countText) plan.whole = analysis::ReadWholeFile(plan.path);
        const analysis::ReadResult count = options.countText ? analysis::CountSamples(plan.path, 1) : plan.whole.read;
        if (count.stored == 0) {
            plan.unreadable = analysis::DescribeFailedRead(plan.input, count);
            return;
        }
        if (!options.countText && count.stored > analysis::kMaxSamples) {
            plan.unreadable = "The file " + Quoted(plan.input) + " holds more than " +
                              fw::IntToStr(analysis::kMaxSamples) + " samples, the most a signal may have";
            return;
        }
        plan.countText = options.countText ? *options.countText : fw::IntToStr(count.stored);
        plan.size = analysis::NormaliseCount(fw::StrToInt(plan.countText));
        // A load of a larger grid meets the text that stopped the count and
        // warns of it; one of exactly the numbers counted does not.
        if (!options.countText && count.stored == plan.size.N) {
            plan.warning = analysis::DescribeUnreadRest(plan.input, count);
        }
    } catch (const fw::Exception& error) {
        plan.unreadable = error.Message();
    }
}

// The levels and view items asked for, against this input's J.
std::string LevelError(const BatchOptions& options, const InputPlan& plan) {
    const std::string file = Quoted(plan.input) + " (N = " + fw::IntToStr(plan.size.N) + ")";
    if (plan.levels > plan.size.J) {
        // A recipe's levels are its own, not an option the user gave.
        return (options.recipe ? "the recipe's " + fw::IntToStr(plan.levels) + " levels"
                               : "--levels " + fw::IntToStr(plan.levels)) +
               ": " + file + " has the levels 1 ... " + fw::IntToStr(plan.size.J);
    }
    const std::string items = ": " + file + " in " + fw::IntToStr(plan.levels) + " levels has the view items 1 ... " +
                              fw::IntToStr(plan.levels + 1) + " (" + fw::IntToStr(plan.levels + 1) +
                              ": the approximation)";
    if (!options.levelThresholds.empty() && options.levelThresholds.back().level > plan.levels + 1) {
        return "--threshold " + fw::IntToStr(options.levelThresholds.back().level) + "=" + items;
    }
    if (!options.plotFile.empty() && options.plotLevel > plan.levels + 1) {
        return "--plot-level " + fw::IntToStr(options.plotLevel) + items;
    }
    return {};
}

bool SamePath(const std::string& a, const std::string& b) {
    return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The coefficient file of each view item 1 ... levels + 1 an input gets.
std::vector<std::string> CoefficientFiles(const InputPlan& plan) {
    std::vector<std::string> names;
    if (plan.coefficientsDir.empty() || !plan.unreadable.empty()) return names;
    const std::filesystem::path folder(plan.coefficientsDir);
    for (int32_t item = 1; item <= plan.levels; ++item) {
        names.push_back((folder / ("level_" + std::to_string(item) + ".dat")).string());
    }
    names.push_back((folder / "approximation.dat").string());
    return names;
}

// An output that is one of the inputs, which writing it would destroy.
std::string OutputOnInput(const BatchOptions& options, const std::vector<InputPlan>& plans) {
    std::vector<std::string> outputs{options.plotFile, options.reportFile, options.saveRecipe};
    // Standard output is no input; standard input's copy is no output.
    std::erase(outputs, kStandardStream);
    for (const InputPlan& plan : plans) {
        outputs.push_back(plan.output);
        for (std::string& name : CoefficientFiles(plan)) outputs.push_back(std::move(name));
    }
    fw::FileNames inputs;
    for (const std::string& input : options.inputs) {
        if (input != kStandardStream) inputs.Add(input);
    }
    for (const std::string& output : outputs) {
        if (output.empty()) continue;
        if (const std::string* input = inputs.Find(output)) {
            return "the output " + Quoted(output) + " is the input " + Quoted(*input) + ", which it would replace";
        }
    }
    return {};
}

// Plans every input on `jobs` threads, "-" read from standardInput; returns
// the first bad argument found, empty when none.
std::string PlanAll(const BatchOptions& options, const std::string& standardInput, int jobs,
                    std::vector<InputPlan>& plans) {
    plans.resize(options.inputs.size());
    std::atomic<int64_t> kept{0};
    fw::RunInOrder(
        plans.size(), jobs,
        [&](std::size_t index) {
            InputPlan& plan = plans[index];
            plan.input = options.inputs[index];
            plan.path = plan.input == kStandardStream ? standardInput : plan.input;
            PlanInput(options, plan);
            if (!plan.whole.samples) return;
            const int64_t bytes = int64_t{plan.whole.samples->N()} * int64_t{sizeof(double)};
            if (kept += bytes; kept > kKeptReadBytes) {
                kept -= bytes;
                plan.whole.samples.reset();
            }
        },
        [](std::size_t) {});
    const bool many = !options.outDir.empty();
    std::set<std::string> outputs;
    for (InputPlan& plan : plans) {
        const std::string& input = plan.input;
        if (many) {
            plan.output = (std::filesystem::path(options.outDir) / FileName(input)).string();
            if (!outputs.insert(plan.output).second) {
                return "two inputs would both be written to " + Quoted(plan.output);
            }
        } else if (options.output != "-") {
            plan.output = options.output;
        }
        if (!options.plotFile.empty() && !plan.output.empty() && SamePath(options.plotFile, plan.output)) {
            return "the picture and the result would both be written to " + Quoted(plan.output);
        }
        if (!options.coefficientsDir.empty()) {
            plan.coefficientsDir = many ? (std::filesystem::path(options.coefficientsDir) / FileName(input)).string()
                                        : options.coefficientsDir;
        }
        if (plan.unreadable.empty()) {
            plan.levels = options.levels.value_or(plan.size.J);
            if (const std::string error = LevelError(options, plan); !error.empty()) return error;
        }
    }
    return OutputOnInput(options, plans);
}

// The threshold text of each view item 1 ... L + 1 ("" for none).
std::vector<std::string> ThresholdTexts(const BatchOptions& options, const InputPlan& plan) {
    std::vector<std::string> texts(static_cast<std::size_t>(plan.levels) + 1);
    std::fill(texts.begin(), texts.end() - 1, options.allLevelsThreshold.value_or(""));
    for (const LevelThreshold& level : options.levelThresholds)
        texts[static_cast<std::size_t>(level.level) - 1] = level.text;
    return texts;
}

// What the options ask of the denoising of one input: --auto fills what
// --rule, --shrink and --shifts leave open; without it, hard and no shifts.
analysis::DenoiseOptions DenoiseSettings(const BatchOptions& options, const InputPlan& plan) {
    analysis::DenoiseOptions settings;
    settings.levels = plan.levels;
    const bool automatic = options.autoDenoise;
    settings.rule = options.rule ? *options.rule : automatic ? analysis::kAutoRule : analysis::ThresholdRule::Fixed;
    settings.shrink = options.shrink.value_or(automatic ? analysis::kAutoShrink : analysis::Shrink::Hard);
    settings.shifts = options.shifts.value_or(automatic ? analysis::kAutoShifts : 1);
    settings.wavelet = options.wavelet.value_or(analysis::Wavelet::Linear);
    if (options.wiener) settings.wiener = settings.wavelet;
    if (options.allLevelsThreshold) settings.fixedThreshold = analysis::ParseThreshold(*options.allLevelsThreshold);
    if (!options.levelThresholds.empty()) {
        settings.itemThresholds.resize(static_cast<std::size_t>(plan.levels) + 1);
        for (const LevelThreshold& level : options.levelThresholds) {
            settings.itemThresholds[static_cast<std::size_t>(level.level) - 1] = analysis::ParseThreshold(level.text);
        }
    }
    return settings;
}

// What the steps did, as the settings of a denoising: the last
// decomposition's transform and levels, and the thresholding of every level
// after it; typed thresholds of view items are a Fixed rule, hard, unshifted.
analysis::DenoiseOptions SettingsOfSteps(const std::vector<recipe::Step>& steps) {
    analysis::DenoiseOptions settings;
    settings.rule = analysis::ThresholdRule::Fixed;
    settings.shrink = analysis::Shrink::Hard;
    settings.shifts = 1;
    for (const recipe::Step& step : steps) {
        if (step.kind == recipe::StepKind::Decompose) {
            settings.levels = step.levels;
            settings.wavelet = *analysis::WaveletNamed(step.wavelet);
        } else if (step.kind == recipe::StepKind::ApplyAllLevels) {
            const analysis::Wavelet wavelet = settings.wavelet;
            settings = recipe::DenoiseSettingsOf(step, settings.levels);
            settings.wavelet = wavelet;
        }
    }
    return settings;
}

// The share of the detail coefficients of items (levels 1 ... L, then the
// approximation) that are 0.
double ZeroedShare(const std::vector<std::vector<double>>& items) {
    std::size_t zeros = 0;
    std::size_t total = 0;
    for (std::size_t item = 0; item + 1 < items.size(); ++item) {
        zeros += static_cast<std::size_t>(std::count(items[item].begin(), items[item].end(), 0.0));
        total += items[item].size();
    }
    return total == 0 ? 0.0 : static_cast<double>(zeros) / static_cast<double>(total);
}

std::string Percent(double fraction) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", 100.0 * fraction);
    return text;
}

// Six digits for a person to read; the CSV keeps every digit.
std::string Readable(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

void PrepareSamples(fw::FileReplacements& files, const std::string& name, std::span<const double> values,
                    analysis::SampleFormat format = analysis::SampleFormat::Text) {
    files.Prepare(name, [&, format](int fd) { analysis::WriteSamplesAs(format, fd, values, name); });
}

class InputRun {
public:
    InputRun(const BatchOptions& options, InputPlan& plan, std::ostream& errors,
             const std::vector<InputResultSink*>& results, int outputFd, BatchReport& report)
        : options_(options),
          plan_(plan),
          errors_(errors),
          results_(results),
          outputFd_(outputFd),
          report_(report),
          signal_(!results.empty()),
          controls_(errors),
          session_(signal_, unkept_, unkept_, controls_) {
        // Nothing undoes a run's steps: their changes would only cost.
        session_.SetUndoable(false);
    }

    int Run() {
        try {
            if (plan_.whole.samples) {
                session_.LoadRead(plan_.countText, plan_.path, std::move(plan_.whole));
            } else if (!Imported()) {
                session_.Load(plan_.countText, plan_.path);
            } else {
                recipe::LoadOnGrid(session_, plan_.path, plan_.signal, options_.import, plan_.importWarning);
                errors_ << "quelmar-batch: " << Quoted(plan_.input) << ": imported " << plan_.source << ", extended by "
                        << importer::ExtensionName(options_.import.extension) << " to N = " << plan_.size.N << "\n";
            }
        } catch (const std::exception& error) {
            return Report(error, kExitUnreadableInput);
        }
        if (!plan_.warning.empty()) controls_.ShowWarning(plan_.warning);
        try {
            Analyse();
        } catch (const std::exception& error) {
            return Report(error, kExitAnalysisFailed);
        }
        return kExitDone;
    }

private:
    int Report(const std::exception& error, int code) {
        errors_ << "quelmar-batch: " << Quoted(plan_.input) << ": " << ErrorMessage(error) << "\n";
        return code;
    }

    // --auto's choice for the signal loaded, said on standard error.
    analysis::DenoiseOptions Chosen(const analysis::DenoiseOptions& base) {
        const analysis::DyadicSignal& samples = *session_.Samples();
        const analysis::AutoChoice choice = analysis::ChooseAutomatically(samples.Data(), samples.J(), base, Fixed());
        const std::string prefix = "quelmar-batch: " + Quoted(plan_.input) + ": ";
        for (std::size_t i = 0; i < choice.candidates.size(); ++i) {
            const analysis::AutoCandidate& c = choice.candidates[i];
            errors_ << prefix << "--auto: " << analysis::WaveletName(c.wavelet) << ", " << analysis::RuleName(c.rule)
                    << ", " << analysis::ShrinkName(c.shrink)
                    << (c.wiener ? ", Wiener by " + std::string(analysis::WaveletName(*c.wiener)) : std::string())
                    << ": estimated risk " << Readable(choice.risks[i]) << "\n";
        }
        errors_ << prefix << "--auto: the signal as it is: risk " << Readable(choice.noiseRisk)
                << (choice.keepsSignal ? "; no candidate is estimated to do better: the signal is kept" : "") << "\n";
        return choice.options;
    }

    analysis::AutoFixed Fixed() const { return {options_.wavelet, options_.rule, options_.shrink}; }

    // The steps of the options, or of the recipe made for this input.
    std::vector<recipe::Step> Steps(analysis::DenoiseOptions& settings) {
        if (options_.recipe) return recipe::StepsForOtherInput(options_.recipe->steps, *session_.Samples());
        if (!Denoising(options_)) {
            return recipe::ThresholdSteps(plan_.levels, ThresholdTexts(options_, plan_), settings.wavelet);
        }
        if (!options_.autoDenoise) return recipe::DenoisingSteps(settings);
        const analysis::DenoiseOptions base = settings;
        settings = Chosen(base);
        std::vector<recipe::Step> steps = recipe::DenoisingSteps(settings);
        // So that the recipe, on another input, makes the choice there again.
        steps[1].automatic = recipe::AutoRequestOf(base, Fixed());
        return steps;
    }

    void Analyse() {
        InputResult result;
        analysis::DenoiseOptions settings = DenoiseSettings(options_, plan_);
        const bool comparing = report_.Comparing() && !options_.reportFile.empty();
        std::vector<double> loaded;
        if (comparing) loaded.assign(session_.Samples()->Data(), session_.Samples()->Data() + session_.N());
        const std::vector<recipe::Step> steps = Steps(settings);
        // Only a denoising over shifts or with a Wiener stage goes back to the signal.
        session_.SetSignalKept(std::any_of(steps.begin(), steps.end(), [](const recipe::Step& step) {
            return step.kind == recipe::StepKind::ApplyAllLevels && (step.shifts > 1 || !step.wiener.empty());
        }));
        // The levels the last step's items are of: those of the decomposition before it.
        const int32_t levels = std::find_if(steps.rbegin(), steps.rend(), [](const recipe::Step& step) {
                                   return step.kind == recipe::StepKind::Decompose;
                               })->levels;
        // The steps run as a replay runs them, so that a recipe of the run
        // replays to the same bits.
        recipe::StepRunner runner(session_);
        for (std::size_t index = 0; index < steps.size(); ++index) {
            const bool last = index + 1 == steps.size();
            if (last && (!plan_.coefficientsDir.empty() || !results_.empty() || comparing)) {
                for (int32_t item = 1; item <= levels + 1; ++item)
                    result.coefficients.push_back(runner.ItemValues(item));
            }
            steps_.push_back(runner.Run(steps, index));
        }
        const bool denoising = std::any_of(steps_.begin(), steps_.end(), [](const recipe::Step& step) {
            return step.kind == recipe::StepKind::ApplyAllLevels;
        });
        if (options_.recipe) settings = SettingsOfSteps(steps_);
        if (denoising) {
            ReportLevels(settings, runner);
            result.thresholds.assign(static_cast<std::size_t>(plan_.levels) + 1, "");
            for (const analysis::LevelReport& level : runner.Reports()) {
                result.thresholds[static_cast<std::size_t>(level.level) - 1] = fw::ShortestText(level.threshold);
            }
        } else {
            result.thresholds = ThresholdTexts(options_, plan_);
        }
        const std::span<const double> buffer = runner.Buffer();
        const bool recording = !options_.saveRecipe.empty() || !options_.plotFile.empty();
        // The recipe's buffer is the session's, the whole grid.
        const std::string bufferSha = recording ? recipe::Sha256Hex(buffer.data(), buffer.size_bytes()) : "";
        // An imported signal's result is the signal, not its extension. It is
        // written from the session's buffer and copied only for those who keep it.
        const std::span<const double> written = buffer.first(Imported() ? plan_.signal.size() : buffer.size());
        if (plan_.parts.empty()) {
            WriteFiles(written, result.coefficients);
        } else {
            plan_.columns.emplace_back(written.begin(), written.end());
        }
        if (comparing) {
            const analysis::ResidualFigures figures = analysis::MeasureResidual(loaded, runner.Buffer());
            report_.AddRow({plan_.input, plan_.part, session_.SignalSamples(), session_.J(), SettingsOfSteps(steps_),
                            figures.noise, figures.rms, ZeroedShare(result.coefficients),
                            recipe::DigestFile(plan_.path).sha256,
                            recipe::Sha256Hex(analysis::FormatSamplesAs(ResultFormat(), written))});
        } else if (denoising) {
            report_.Add(plan_.input, settings, runner.Reports(),
                        report_.TakesFiles() ? Written(written, result.coefficients) : std::vector<WrittenFile>());
        }
        if (recording) RecordRecipe(result, written, bufferSha);
        if (results_.empty()) return;
        result.reconstruction.assign(written.begin(), written.end());
        result.input = plan_.input;
        result.n = session_.N();
        result.j = session_.J();
        result.levels = plan_.levels;
        result.signal = std::move(signal_.points);
        for (InputResultSink* sink : results_) sink->Take(result);
    }

    // Every file of the input is complete before the first one is replaced,
    // and standard output is written only when they are.
    void WriteFiles(std::span<const double> reconstruction, const std::vector<std::vector<double>>& coefficients) {
        fw::FileReplacements files;
        if (!options_.outDir.empty()) MakeFolder(options_.outDir);
        if (!plan_.output.empty()) PrepareSamples(files, plan_.output, reconstruction, ResultFormat());
        if (!plan_.coefficientsDir.empty()) MakeFolder(plan_.coefficientsDir);
        const std::vector<std::string> names = CoefficientFiles(plan_);
        for (std::size_t item = 0; item < names.size(); ++item) {
            PrepareSamples(files, names[item], coefficients[item]);
        }
        if (plan_.output.empty())
            analysis::WriteSamplesAs(ResultFormat(), outputFd_, reconstruction, "standard output");
        files.Commit();
    }

    // The sample files WriteFiles wrote, each with the SHA-256 of its text.
    std::vector<WrittenFile> Written(std::span<const double> reconstruction,
                                     const std::vector<std::vector<double>>& coefficients) const {
        std::vector<WrittenFile> files{{plan_.output.empty() ? std::string(kStandardStream) : plan_.output,
                                        recipe::Sha256Hex(analysis::FormatSamplesAs(ResultFormat(), reconstruction))}};
        const std::vector<std::string> names = CoefficientFiles(plan_);
        for (std::size_t item = 0; item < names.size(); ++item) {
            files.push_back({names[item], recipe::Sha256Hex(analysis::FormatSamples(coefficients[item]))});
        }
        return files;
    }

    // After the files: the recipe holds their hashes, and the picture the recipe.
    void RecordRecipe(InputResult& result, std::span<const double> reconstruction, const std::string& bufferSha) {
        RunRecord run{plan_.input,    plan_.path, plan_.countText,         steps_, plan_.output,
                      reconstruction, bufferSha,  CoefficientFiles(plan_), {}};
        if (Imported()) run.import = importer::ChoiceTexts(options_.import, plan_.input);
        result.recipe = recipe::WriteRecipe(RecordRun(run));
        if (!options_.saveRecipe.empty()) WriteOutput(options_.saveRecipe, result.recipe, outputFd_);
    }

    bool Imported() const { return !plan_.signal.empty(); }

    analysis::SampleFormat ResultFormat() const { return batch::ResultFormat(options_, plan_.output); }

    void ReportLevels(const analysis::DenoiseOptions& settings, const recipe::StepRunner& denoised) {
        const std::string prefix = "quelmar-batch: " + Quoted(plan_.input) + ": ";
        errors_ << prefix << analysis::WaveletName(settings.wavelet) << " transform, rule "
                << analysis::RuleName(settings.rule) << ", " << analysis::ShrinkName(settings.shrink) << " shrinkage, "
                << settings.shifts << (settings.shifts == 1 ? " shift" : " shifts")
                << (settings.wiener ? ", Wiener stage by " + std::string(analysis::WaveletName(*settings.wiener))
                                    : std::string())
                << (settings.keepUnhelpedLevels ? ", levels kept where shrinking does not help" : "")
                << (options_.autoDenoise ? " (--auto)" : "") << ", noise sigma " << Readable(denoised.SampleNoise())
                << "\n";
        for (const analysis::LevelReport& level : denoised.Reports()) {
            const std::string name =
                level.level <= plan_.levels ? "level " + fw::IntToStr(level.level) : "approximation";
            errors_ << prefix << name << ": sigma " << Readable(level.sigma) << ", T " << Readable(level.threshold)
                    << ", zeroed " << level.zeroed << "/" << level.total << ", energy kept "
                    << Percent(level.energyKept) << ", estimated risk " << Readable(level.risk) << "\n";
        }
    }

    const BatchOptions& options_;
    InputPlan& plan_;
    std::ostream& errors_;
    const std::vector<InputResultSink*>& results_;
    int outputFd_;
    BatchReport& report_;
    RecordingPlot signal_;
    // The steps' results come from the runner; these plots would only copy them.
    RecordingPlot unkept_{false};
    WarningControls controls_;
    analysis::AnalysisSession session_;
    std::vector<recipe::Step> steps_;  // what the run did, as a recipe names it
};

// Runs each part of the plan's input as a signal of its own, then writes
// their results as one table, once every part went through.
int RunParts(const BatchOptions& options, InputPlan& plan, std::ostream& errors, int outputFd, BatchReport& report) {
    int code = kExitDone;
    std::vector<std::string> names;
    const std::vector<InputResultSink*> noSinks;
    for (importer::ImportedSignal& part : plan.parts) {
        plan.source = part.Describe();
        plan.importWarning = part.warning;
        plan.part = part.part;
        plan.signal = std::move(part.samples);
        names.push_back(plan.part);
        code = std::max(code, InputRun(options, plan, errors, noSinks, outputFd, report).Run());
    }
    if (code != kExitDone) return code;
    try {
        const analysis::SampleFormat format = ResultFormat(options, plan.output);
        if (!options.outDir.empty()) MakeFolder(options.outDir);
        WriteOutput(plan.output.empty() ? std::string(kStandardStream) : plan.output,
                    FormatTable(format, names, plan.columns, plan.output), outputFd);
    } catch (const std::exception& error) {
        errors << "quelmar-batch: " << Quoted(plan.input) << ": " << ErrorMessage(error) << "\n";
        return kExitAnalysisFailed;
    }
    return code;
}

// The options of a recipe run over many inputs: the recipe's import choices
// and levels; or why the recipe cannot be run.
std::string TakeRecipe(BatchOptions& options) {
    try {
        auto r = std::make_shared<recipe::Recipe>(recipe::ReadRecipeFile(options.recipeFile));
        options.import = recipe::ImportChoicesOf(r->input.import);
        for (const recipe::Step& step : r->steps) {
            if (step.kind == recipe::StepKind::Decompose)
                options.levels = std::max(options.levels.value_or(1), step.levels);
        }
        options.recipe = std::move(r);
    } catch (const fw::Exception& error) {
        return Quoted(options.recipeFile) + ": " + error.Message();
    }
    return {};
}

}  // namespace

void MakeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw fw::Exception("Cannot create folder " + Quoted(folder) + ": " + error.message());
}

std::string ErrorMessage(const std::exception& error) {
    if (const auto* own = dynamic_cast<const fw::Exception*>(&error)) return own->Message();
    if (dynamic_cast<const std::bad_alloc*>(&error)) return fw::EOutOfMemory().Message();
    return error.what();
}

int RunBatch(const BatchOptions& given, std::ostream& errors, InputResultSink* results, StandardStreams streams) {
    std::optional<StandardInputCopy> standardInput;
    if (std::find(given.inputs.begin(), given.inputs.end(), kStandardStream) != given.inputs.end()) {
        try {
            standardInput.emplace(streams.input);
        } catch (const fw::Exception& error) {
            errors << "quelmar-batch: " << error.Message() << "\n";
            return kExitUnreadableInput;
        }
    }
    if (!given.recipeFile.empty() && given.inputs.size() < 2) {
        BatchOptions replay = given;
        if (standardInput) replay.inputs = {standardInput->Path()};
        return ReplayRecipe(replay, errors, streams.output);
    }
    BatchOptions options = given;
    if (!options.recipeFile.empty()) {
        if (const std::string error = TakeRecipe(options); !error.empty()) {
            errors << "quelmar-batch: " << error << "\n";
            return kExitBadArguments;
        }
        const auto others = std::count_if(
            options.recipe->outputs.begin(), options.recipe->outputs.end(), [](const recipe::Output& output) {
                return output.kind == recipe::OutputKind::Coefficients || output.kind == recipe::OutputKind::Signal;
            });
        if (others > 0) {
            errors << "quelmar-batch: " << Quoted(options.recipeFile)
                   << ": over many inputs each input's result is written; the recipe's " << others
                   << " other outputs are written by a run on one input\n";
        }
    }
    const int jobs = options.jobs.value_or(fw::CoreCount());
    std::vector<InputPlan> plans;
    if (const std::string error = PlanAll(options, standardInput ? standardInput->Path() : "", jobs, plans);
        !error.empty()) {
        errors << "quelmar-batch: " << error << "\n";
        return kExitBadArguments;
    }
    std::vector<InputResultSink*> sinks;
    if (results) sinks.push_back(results);
    std::unique_ptr<PlotPictureSink> picture;
    if (!options.plotFile.empty()) {
        const app::PictureFormat format =
            options.plotFormat ? *options.plotFormat : *app::PictureFormatOf(options.plotFile);
        picture = std::make_unique<PlotPictureSink>(options.plotFile, format, options.plotLevel, streams.output);
        sinks.push_back(picture.get());
    }
    int code = kExitDone;
    BatchReport report(options.reportFormat, Comparing(options));
    BatchProgress progress(errors, streams.error, plans.size());
    std::ostream& messages = progress.Messages();
    // A picture or a caller's sink takes the results one by one. Runs at
    // once keep their messages and report rows until those of every input
    // before them are out.
    const bool atOnce = sinks.empty() && jobs > 1 && plans.size() > 1;
    std::vector<std::ostringstream> held(atOnce ? plans.size() : 0);
    std::vector<BatchReport> reports(plans.size(), BatchReport(options.reportFormat, Comparing(options)));
    std::vector<int> codes(plans.size(), kExitDone);
    fw::RunInOrder(
        plans.size(), atOnce ? jobs : 1,
        [&](std::size_t index) {
            InputPlan& plan = plans[index];
            std::ostream& out = atOnce ? held[index] : messages;
            if (!plan.unreadable.empty()) {
                out << "quelmar-batch: " << plan.unreadable << "\n";
                codes[index] = kExitUnreadableInput;
            } else if (!plan.parts.empty()) {
                codes[index] = RunParts(options, plan, out, streams.output, reports[index]);
            } else {
                codes[index] = InputRun(options, plan, out, sinks, streams.output, reports[index]).Run();
            }
        },
        [&](std::size_t index) {
            if (atOnce) messages << std::move(held[index]).str();
            report.Append(std::move(reports[index]));
            code = std::max(code, codes[index]);
            progress.Ended(index + 1);
        });
    if (!options.reportFile.empty() && code != kExitDone) {
        // As a failed input's own files, the report of a run that failed
        // leaves the file it would replace as it was.
        messages << "quelmar-batch: "
                 << (options.reportFile == kStandardStream ? "the report is not written"
                                                           : Quoted(options.reportFile) + " is left as it was")
                 << ": not every input went through\n";
    } else if (!options.reportFile.empty()) {
        try {
            WriteOutput(options.reportFile, report.Text(), streams.output);
        } catch (const fw::Exception& error) {
            messages << "quelmar-batch: " << error.Message() << "\n";
            code = std::max<int>(code, kExitAnalysisFailed);
        }
    }
    return code;
}

}  // namespace batch
