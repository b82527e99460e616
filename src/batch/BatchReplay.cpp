#include "batch/BatchReplay.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <vector>

#include "batch/BatchRun.h"
#include "recipe/RecipeReplay.h"
#include "batch/BatchSinks.h"
#include "batch/SameFile.h"
#include "framework/core/Conversions.h"
#include "framework/core/FileReplacement.h"
#include "recipe/RecipeJson.h"
#include "recipe/Sha256.h"

namespace batch {
namespace {

// Why the recipe cannot run on input, and the exit code; empty when it can.
std::pair<std::string, int> InputProblem(const recipe::Recipe& r, const std::string& input, bool own) {
    for (const recipe::Output& output : r.outputs) {
        if (output.kind != recipe::OutputKind::Buffer && output.file != "-" && SameFile(output.file, input)) {
            return {"the output " + Quoted(output.file) + " is the input " + Quoted(input) + ", which it would replace",
                    kExitBadArguments};
        }
    }
    if (!own) return {};
    try {
        if (std::string mismatch = recipe::InputMismatch(r, input); !mismatch.empty()) {
            return {std::move(mismatch), kExitUnreadableInput};
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
    WarningControls controls(errors);
    recipe::PrivateSession session(controls);
    recipe::RecipeReplay replay(r, session.Session());
    try {
        replay.Load(input);
    } catch (const std::exception& error) {
        errors << prefix << Quoted(input) << ": " << ErrorMessage(error) << "\n";
        return kExitUnreadableInput;
    }
    try {
        const std::vector<std::string> contents = replay.Run();
        if (!options.verify) {
            WriteOutputs(r, contents, outputFd);
            return kExitDone;
        }
        if (const std::optional<std::size_t> i = recipe::FirstDifference(r, contents)) {
            errors << prefix << "--verify: " << recipe::DescribeOutput(r, *i) << " differs: the recipe's SHA-256 is "
                   << r.outputs[*i].sha256 << ", the replay's " << recipe::Sha256Hex(contents[*i]) << "\n";
            return kExitOutputDiffers;
        }
        errors << prefix << "--verify: the " << contents.size() << " outputs are identical\n";
        return kExitDone;
    } catch (const std::exception& error) {
        errors << prefix << Quoted(input) << ": " << ErrorMessage(error) << "\n";
        return kExitAnalysisFailed;
    }
}

}  // namespace batch
