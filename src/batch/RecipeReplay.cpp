#include "batch/RecipeReplay.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <vector>

#include "analysis/AnalysisSession.h"
#include "analysis/SampleWriter.h"
#include "batch/BatchRecipe.h"
#include "batch/BatchRun.h"
#include "batch/BatchSinks.h"
#include "batch/SameFile.h"
#include "framework/core/Conversions.h"
#include "framework/core/FileReplacement.h"
#include "recipe/RecipeJson.h"
#include "recipe/Sha256.h"

namespace batch {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// "outputs[1] (the result "out.dat" after step 4, Reconstruct)".
std::string Describe(const recipe::Recipe& r, std::size_t index) {
    const recipe::Output& output = r.outputs[index];
    std::string what = output.kind == recipe::OutputKind::Buffer ? "the buffer"
                       : output.kind == recipe::OutputKind::Result
                           ? "the result " + Quoted(output.file)
                           : "the coefficients of view item " + fw::IntToStr(output.item) + " " + Quoted(output.file);
    const std::string when = output.after == 0 ? "after the load"
                                               : "after step " + std::to_string(output.after) + ", " +
                                                     recipe::StepName(r.steps[output.after - 1].kind);
    return "outputs[" + std::to_string(index) + "] (" + what + " " + when + ")";
}

// The steps on a session whose plots are kept, each output taken as its step
// is done: its bytes as they would be written.
class Replay {
public:
    Replay(const recipe::Recipe& r, std::ostream& errors)
        : recipe_(r), controls_(errors), session_(signal_, reconstruction_, view_, controls_) {}

    void Load(const std::string& input) { session_.Load(recipe_.count, input); }

    std::vector<std::string> Run() {
        std::vector<std::string> contents(recipe_.outputs.size());
        for (std::size_t done = 0;; ++done) {
            for (std::size_t i = 0; i < recipe_.outputs.size(); ++i) {
                if (recipe_.outputs[i].after == done) contents[i] = Take(recipe_.outputs[i]);
            }
            if (done == recipe_.steps.size()) return contents;
            RunStep(done);
        }
    }

private:
    void RunStep(std::size_t index) {
        const recipe::Step& step = recipe_.steps[index];
        switch (step.kind) {
        case recipe::StepKind::Decompose:
            // The denoising of the whole signal starts from the samples as they stand.
            if (index + 1 < recipe_.steps.size() && recipe_.steps[index + 1].kind == recipe::StepKind::ApplyAllLevels) {
                levels_ = step.levels;
                denoiseStep_ = &recipe_.steps[index + 1];
                coefficients_ = ShrunkCoefficients(*session_.Samples(), levels_, analysis::Shrink::Hard, {});
            } else {
                session_.Decompose(step.levels - 1);
            }
            break;
        case recipe::StepKind::Thresholding:
            session_.SelectViewLevel(step.item - 1);
            session_.ApplyThreshold(step.item - 1, recipe::SessionThresholdText(step.threshold));
            break;
        case recipe::StepKind::ApplyAllLevels: {
            const analysis::DenoiseOptions settings = DenoiseSettingsOf(step, levels_);
            const analysis::DyadicSignal& samples = *session_.Samples();
            const analysis::DenoiseResult result = analysis::Denoise(samples.Data(), samples.J(), settings);
            coefficients_ = ShrunkCoefficients(samples, levels_, settings.shrink, result.levels);
            denoised_ = result.signal;
            break;
        }
        case recipe::StepKind::Reconstruct:
            if (denoiseStep_) {
                denoiseStep_ = nullptr;
                reconstructed_ = true;
            } else {
                session_.Reconstruct();
            }
            break;
        }
    }

    std::string Take(const recipe::Output& output) {
        switch (output.kind) {
        case recipe::OutputKind::Buffer: {
            const std::vector<double>* denoised = reconstructed_ ? &denoised_ : nullptr;
            const double* data = denoised ? denoised->data() : session_.Samples()->Data();
            const std::size_t count = denoised ? denoised->size() : static_cast<std::size_t>(session_.N());
            return std::string(reinterpret_cast<const char*>(data), count * sizeof(double));
        }
        case recipe::OutputKind::Result:
            return analysis::FormatSamples(reconstructed_ ? denoised_ : reconstruction_.points, output.file);
        case recipe::OutputKind::Coefficients:
            if (denoiseStep_) {
                return analysis::FormatSamples(coefficients_[static_cast<std::size_t>(output.item) - 1], output.file);
            }
            session_.SelectViewLevel(output.item - 1);
            return analysis::FormatSamples(view_.points, output.file);
        }
        return {};
    }

    const recipe::Recipe& recipe_;
    RecordingPlot signal_{false};
    RecordingPlot reconstruction_;
    RecordingPlot view_;
    WarningControls controls_;
    analysis::AnalysisSession session_;
    // Between the Decompose and the Reconstruct of a denoising of the whole
    // signal: the levels, its step, and each item's coefficients.
    int32_t levels_ = 0;
    const recipe::Step* denoiseStep_ = nullptr;
    std::vector<std::vector<double>> coefficients_;
    std::vector<double> denoised_;
    bool reconstructed_ = false;  // the denoising's result stands as the buffer
};

std::string Message(const std::exception& error) {
    if (const auto* own = dynamic_cast<const fw::Exception*>(&error)) return own->Message();
    if (dynamic_cast<const std::bad_alloc*>(&error)) return fw::EOutOfMemory().Message();
    return error.what();
}

// Why the recipe cannot run on input, and the exit code; empty when it can.
std::pair<std::string, int> InputProblem(const recipe::Recipe& r, const std::string& input, bool own) {
    if (!r.input.import.empty()) {
        return {"input.import: this program reads sample files only, with no import choices", kExitBadArguments};
    }
    for (const recipe::Output& output : r.outputs) {
        if (output.kind != recipe::OutputKind::Buffer && output.file != "-" && SameFile(output.file, input)) {
            return {"the output " + Quoted(output.file) + " is the input " + Quoted(input) + ", which it would replace",
                    kExitBadArguments};
        }
    }
    if (!own) return {};
    try {
        const recipe::FileDigest digest = recipe::DigestFile(input);
        if (digest.size != r.input.size || digest.sha256 != r.input.sha256) {
            return {"the input " + Quoted(input) + " is not the recipe's: it has " + std::to_string(digest.size) +
                        " bytes of SHA-256 " + digest.sha256 + ", the recipe's has " + std::to_string(r.input.size) +
                        " bytes of SHA-256 " + r.input.sha256,
                    kExitUnreadableInput};
        }
    } catch (const fw::Exception& error) {
        return {error.Message(), kExitUnreadableInput};
    }
    return {};
}

void WriteOutputs(const recipe::Recipe& r, const std::vector<std::string>& contents, int outputFd) {
    fw::FileReplacements files;
    const std::string* standardOutput = nullptr;
    for (std::size_t i = 0; i < r.outputs.size(); ++i) {
        const recipe::Output& output = r.outputs[i];
        if (output.kind == recipe::OutputKind::Buffer) continue;
        if (output.file == "-") {
            standardOutput = &contents[i];
            continue;
        }
        const std::filesystem::path folder = std::filesystem::path(output.file).parent_path();
        std::error_code error;
        if (!folder.empty()) std::filesystem::create_directories(folder, error);
        files.Prepare(output.file, [&](int fd) {
            if (!fw::WriteAll(fd, contents[i].data(), contents[i].size())) {
                throw fw::SaveError(output.file, std::strerror(errno));
            }
        });
    }
    files.Commit();
    if (standardOutput && !fw::WriteAll(outputFd, standardOutput->data(), standardOutput->size())) {
        throw fw::SaveError("standard output", std::strerror(errno));
    }
}

}  // namespace

int ReplayRecipe(const BatchOptions& options, std::ostream& errors, int outputFd) {
    const std::string prefix = "quelmar-batch: ";
    recipe::Recipe r;
    try {
        r = recipe::ReadRecipeFile(options.recipeFile);
    } catch (const fw::Exception& error) {
        errors << prefix << Quoted(options.recipeFile) << ": " << error.Message() << "\n";
        return kExitBadArguments;
    }
    const bool own = options.inputs.empty();
    const std::string input = own ? r.input.name : options.inputs[0];
    if (const auto [problem, code] = InputProblem(r, input, own); !problem.empty()) {
        errors << prefix << problem << "\n";
        return code;
    }
    Replay replay(r, errors);
    try {
        replay.Load(input);
    } catch (const std::exception& error) {
        errors << prefix << Quoted(input) << ": " << Message(error) << "\n";
        return kExitUnreadableInput;
    }
    try {
        const std::vector<std::string> contents = replay.Run();
        if (!options.verify) {
            WriteOutputs(r, contents, outputFd);
            return kExitDone;
        }
        for (std::size_t i = 0; i < contents.size(); ++i) {
            const std::string replayed = recipe::Sha256Hex(contents[i]);
            if (replayed != r.outputs[i].sha256) {
                errors << prefix << "--verify: " << Describe(r, i) << " differs: the recipe's SHA-256 is "
                       << r.outputs[i].sha256 << ", the replay's " << replayed << "\n";
                return kExitOutputDiffers;
            }
        }
        errors << prefix << "--verify: the " << contents.size() << " outputs are identical\n";
        return kExitDone;
    } catch (const std::exception& error) {
        errors << prefix << Quoted(input) << ": " << Message(error) << "\n";
        return kExitAnalysisFailed;
    }
}

}  // namespace batch
