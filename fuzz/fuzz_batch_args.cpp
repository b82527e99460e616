// The batch command line on any argument vector (the input's bytes split at
// NUL bytes). The parse gives either an error, with every option left at its
// default, or options that keep the rules the run relies on: inputs that were
// named, numbers the window's boxes take, levels and view items in range,
// one input for a picture. The same options written out again as a command
// line parse to the same options. The command prints the error with exit code
// 1, or the help or version text, or hands the options to the run unchanged.

#include <sstream>
#include <vector>

#include "FuzzInput.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/denoise/Thresholding.h"
#include "app/PictureFormat.h"
#include "batch/BatchCommand.h"
#include "batch/BatchOptions.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace batch {
namespace {

// What the run was handed; the command's own code is checked without it.
struct RunCall {
    bool called = false;
    BatchOptions options;
} lastRun;

constexpr int kRunCode = 77;

}  // namespace

int RunBatch(const BatchOptions& options, std::ostream&, InputResultSink*, StandardStreams) {
    lastRun.called = true;
    lastRun.options = options;
    return kRunCode;
}

}  // namespace batch

namespace {

using batch::BatchOptions;

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// Every field, so that two options compare by their text.
std::string Describe(const BatchOptions& o) {
    std::ostringstream text;
    text << "inputs";
    for (const std::string& input : o.inputs) text << " " << Quote(input);
    text << "; output " << Quote(o.output) << "; out-dir " << Quote(o.outDir) << "; count "
         << (o.countText ? Quote(*o.countText) : "-") << "; levels " << (o.levels ? std::to_string(*o.levels) : "-")
         << "; threshold " << (o.allLevelsThreshold ? Quote(*o.allLevelsThreshold) : "-") << "; per level";
    for (const batch::LevelThreshold& t : o.levelThresholds) text << " " << t.level << "=" << Quote(t.text);
    text << "; universal " << o.universal << "; coefficients " << Quote(o.coefficientsDir) << "; plot "
         << Quote(o.plotFile) << " format " << (o.plotFormat ? static_cast<int>(*o.plotFormat) : -1) << " level "
         << o.plotLevel << "; save recipe " << Quote(o.saveRecipe) << "; recipe " << Quote(o.recipeFile) << " verify "
         << o.verify << " overwrite " << o.overwrite;
    return text.str();
}

bool IsThreshold(const std::string& text) {
    try {
        analysis::ParseThreshold(text);
        return true;
    } catch (const fw::Exception&) {
        return false;
    }
}

bool IsCount(const std::string& text) {
    try {
        analysis::NormaliseCount(fw::StrToInt(text));
        return true;
    } catch (const fw::Exception&) {
        return false;
    }
}

// The inputs appear among the arguments, in their order.
bool NamedInOrder(const std::vector<std::string>& inputs, const std::vector<std::string>& arguments) {
    std::size_t at = 0;
    for (const std::string& input : inputs) {
        while (at < arguments.size() && arguments[at] != input) ++at;
        if (at == arguments.size()) return false;
        ++at;
    }
    return true;
}

void CheckOptions(const BatchOptions& o, const std::vector<std::string>& arguments) {
    const std::string what = " in " + Describe(o);
    fuzz::Check(!o.verify || !o.recipeFile.empty(), "--verify without a recipe" + what);
    if (!o.recipeFile.empty()) {
        // The recipe holds the analysis: nothing but INPUTs beside it, more
        // than one only into --out-dir, and none of them standard input then.
        BatchOptions alone;
        alone.recipeFile = o.recipeFile;
        alone.verify = o.verify;
        alone.overwrite = o.overwrite;
        alone.outDir = o.outDir;
        alone.inputs = o.inputs;
        alone.reportFile = o.reportFile;
        alone.reportFormat = o.reportFormat;
        alone.jobs = o.jobs;
        fuzz::Check(Describe(alone) == Describe(o) && (o.inputs.size() <= 1 || !o.outDir.empty()),
                    "a recipe with more than INPUTs, --out-dir and --overwrite" + what);
        if (o.inputs.size() > 1) {
            for (const std::string& input : o.inputs) fuzz::Check(input != "-", "\"-\" as a recipe's input" + what);
        }
        return;
    }
    fuzz::Check(o.saveRecipe.empty() || o.inputs.size() == 1, "a recipe of more than one input" + what);
    fuzz::Check(!o.inputs.empty() && NamedInOrder(o.inputs, arguments), "inputs not as named" + what);
    if (o.outDir.empty()) {
        fuzz::Check(o.inputs.size() == 1, "one input without --out-dir" + what);
    } else {
        for (const std::string& input : o.inputs) fuzz::Check(input != "-", "\"-\" as an input" + what);
        fuzz::Check(o.output.empty(), "an output beside --out-dir" + what);
    }
    fuzz::Check(!o.countText || IsCount(*o.countText), "a count the count box refuses" + what);
    fuzz::Check(!o.levels || (*o.levels >= 1 && *o.levels <= analysis::kMaxOrder), "levels out of range" + what);
    fuzz::Check(!o.allLevelsThreshold || (IsThreshold(*o.allLevelsThreshold) && !o.universal),
                "a threshold for every level that is no threshold, or beside --universal" + what);
    int32_t previous = 0;
    for (const batch::LevelThreshold& t : o.levelThresholds) {
        fuzz::Check(t.level > previous && IsThreshold(t.text), "view items not increasing, or no threshold" + what);
        previous = t.level;
    }
    const int32_t lastItem = o.levels ? *o.levels + 1 : analysis::kMaxOrder + 1;
    fuzz::Check(previous <= lastItem, "a threshold's view item beyond the levels" + what);
    fuzz::Check(o.plotLevel >= 1 && o.plotLevel <= lastItem, "the plotted view item out of range" + what);
    const int streamed = (o.outDir.empty() && (o.output.empty() || o.output == "-")) + (o.reportFile == "-") +
                         (o.saveRecipe == "-") + (o.plotFile == "-");
    fuzz::Check(streamed <= 1, "two writings to standard output" + what);
    if (o.plotFile.empty()) {
        fuzz::Check(o.plotLevel == 1, "a plotted view item without a picture" + what);
    } else {
        fuzz::Check((o.plotFormat || app::PictureFormatOf(o.plotFile)) && o.inputs.size() == 1,
                    "a picture of no known format, or of more than one input" + what);
    }
}

// A command line that asks for exactly these options.
std::vector<std::string> WrittenOut(const BatchOptions& o) {
    std::vector<std::string> arguments;
    auto option = [&](const std::string& name, const std::string& value) {
        arguments.push_back(name);
        arguments.push_back(value);
    };
    if (o.countText) option("--count", *o.countText);
    if (o.levels) option("--levels", std::to_string(*o.levels));
    if (o.allLevelsThreshold) option("--threshold", *o.allLevelsThreshold);
    for (const batch::LevelThreshold& t : o.levelThresholds)
        option("--threshold", std::to_string(t.level) + "=" + t.text);
    if (o.universal) arguments.push_back("--universal");
    if (!o.coefficientsDir.empty()) option("--coefficients", o.coefficientsDir);
    if (!o.outDir.empty()) option("--out-dir", o.outDir);
    if (!o.plotFile.empty()) {
        option("--plot", o.plotFile);
        option("--plot-level", std::to_string(o.plotLevel));
        if (o.plotFormat) option("--plot-format", std::string(app::PictureExtension(*o.plotFormat)));
    }
    if (!o.saveRecipe.empty()) option("--save-recipe", o.saveRecipe);
    if (!o.recipeFile.empty()) option("--recipe", o.recipeFile);
    if (o.verify) arguments.push_back("--verify");
    if (o.overwrite) arguments.push_back("--overwrite");
    arguments.push_back("--");
    arguments.insert(arguments.end(), o.inputs.begin(), o.inputs.end());
    if (o.outDir.empty() && o.recipeFile.empty()) arguments.push_back(o.output);
    return arguments;
}

bool Named(const std::vector<std::string>& arguments, const std::string& name) {
    for (const std::string& argument : arguments) {
        if (argument == name) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::string text = input.Rest();
    std::vector<std::string> arguments;
    if (!text.empty()) {
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\0', start)) != std::string::npos; start = end + 1) {
            arguments.push_back(text.substr(start, end - start));
        }
        arguments.push_back(text.substr(start));
    }

    const batch::ParsedArguments parsed = batch::ParseBatchArguments(arguments);
    const batch::ParsedArguments again = batch::ParseBatchArguments(arguments);
    fuzz::Check(again.action == parsed.action && again.error == parsed.error &&
                    Describe(again.options) == Describe(parsed.options),
                "the same arguments parse differently");

    if (!parsed.error.empty()) {
        fuzz::Check(parsed.action == batch::BatchAction::Run && Describe(parsed.options) == Describe(BatchOptions()),
                    "options set beside the error " + parsed.error);
    } else if (parsed.action == batch::BatchAction::Help) {
        fuzz::Check(Named(arguments, "--help"), "help without --help");
    } else if (parsed.action == batch::BatchAction::Version) {
        fuzz::Check(Named(arguments, "--version"), "version without --version");
    } else {
        CheckOptions(parsed.options, arguments);
        const batch::ParsedArguments written = batch::ParseBatchArguments(WrittenOut(parsed.options));
        fuzz::Check(written.error.empty() && written.action == batch::BatchAction::Run &&
                        Describe(written.options) == Describe(parsed.options),
                    "written out again, " + Describe(parsed.options) + " parse to " + Describe(written.options) + " " +
                        written.error);
    }

    batch::lastRun = {};
    std::ostringstream out;
    std::ostringstream errors;
    const int code = batch::RunBatchCommand(arguments, out, errors);
    if (!parsed.error.empty()) {
        fuzz::Check(
            code == batch::kExitBadArguments && out.str().empty() && !batch::lastRun.called &&
                errors.str() == "quelmar-batch: " + parsed.error + "\nTry 'quelmar-batch --help' for the options.\n",
            "bad arguments not told with exit code 1: " + errors.str());
    } else if (parsed.action != batch::BatchAction::Run) {
        const std::string expected =
            parsed.action == batch::BatchAction::Help ? batch::BatchUsage() : batch::BatchVersion();
        fuzz::Check(code == batch::kExitDone && out.str() == expected && errors.str().empty() && !batch::lastRun.called,
                    "help or version not printed alone");
    } else {
        fuzz::Check(code == batch::kRunCode && out.str().empty() && errors.str().empty() && batch::lastRun.called &&
                        Describe(batch::lastRun.options) == Describe(parsed.options),
                    "the run not handed the parsed options");
    }
    return 0;
}
