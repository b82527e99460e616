#include "batch/BatchReplay.h"

#include <filesystem>
#include <new>
#include <optional>
#include <vector>

#include "batch/BatchRun.h"
#include "recipe/RecipeReplay.h"
#include "recipe/ReplayOutputs.h"
#include "batch/BatchSinks.h"
#include "framework/core/Conversions.h"
#include "recipe/RecipeJson.h"
#include "recipe/Sha256.h"

namespace batch {
namespace {

// Why the recipe cannot run on its own input, and the exit code; empty when it can.
std::pair<std::string, int> InputProblem(const recipe::Recipe& r, const std::string& input, bool own) {
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
    std::vector<std::string> targets;
    if (!options.verify) {
        // The recipe's own folder, unless another is asked for: made only
        // once the outputs are, so that a failed run leaves no folder.
        const std::filesystem::path folder = options.outDir.empty()
                                                 ? std::filesystem::path(options.recipeFile).parent_path()
                                                 : std::filesystem::path(options.outDir);
        try {
            targets = recipe::OutputTargets(r, folder.empty() ? "." : folder, input, options.overwrite);
        } catch (const fw::Exception& error) {
            errors << prefix << Quoted(options.recipeFile) << ": " << error.Message() << "\n";
            return kExitBadArguments;
        }
    }
    if (const auto [problem, code] = InputProblem(r, input, own); !problem.empty()) {
        errors << prefix << problem << "\n";
        return code;
    }
    WarningControls controls(errors);
    recipe::PrivateSession session(controls);
    recipe::RecipeReplay replay(r, session.Session());
    try {
        if (own) {
            replay.Load(input);
        } else {
            replay.LoadOther(input);
        }
    } catch (const std::exception& error) {
        errors << prefix << Quoted(input) << ": " << ErrorMessage(error) << "\n";
        return kExitUnreadableInput;
    }
    try {
        const std::vector<std::string> contents = replay.Run();
        if (!options.verify) {
            if (!options.outDir.empty()) MakeFolder(options.outDir);
            recipe::WriteOutputs(targets, contents, outputFd);
            return kExitDone;
        }
        if (const std::optional<std::size_t> i = recipe::FirstDifference(r, contents)) {
            errors << prefix << "--verify: " << recipe::DescribeOutput(r, *i) << " differs: the recipe's SHA-256 is "
                   << r.outputs[*i].sha256 << ", the replay's " << recipe::TakenSha256(r.outputs[*i], contents[*i])
                   << "\n";
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
