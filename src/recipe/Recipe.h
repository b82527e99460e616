#pragma once
// A recipe: how a result was made. The input file (as named, with its size
// and SHA-256), the count it was loaded with, the analysis steps in the order
// they took effect (undone steps are not in it), and the SHA-256 of each
// output, tied to the step after which it was taken. Replaying the steps
// through the session's own operations gives the same bits.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"

namespace recipe {

// The version of the recipe format this program writes and reads.
constexpr int32_t kFormatVersion = 1;

// The most a recipe may hold, so that one from anyone is read and run in
// bounded time and memory: far beyond what a session records.
constexpr std::size_t kMaxRecipeBytes = std::size_t{16} << 20;
constexpr std::size_t kMaxRecipeSteps = 10000;
constexpr std::size_t kMaxRecipeOutputs = 10000;

// A recipe that cannot be read or run; the message names the field.
class RecipeError : public fw::Exception {
public:
    using Exception::Exception;
};

// Throws the error that names a recipe's field and what is wrong with it.
[[noreturn]] inline void Fail(const std::string& field, const std::string& why) {
    throw RecipeError(field + ": " + why);
}

struct InputFile {
    std::string name;  // as given to the load
    uint64_t size = 0;
    std::string sha256;
    // The choices of an import by the batch's option names ("format",
    // "column", ..., "extend"; import/ImportChoiceNames.h), "format" always;
    // empty for a sample file.
    std::map<std::string, std::string> import;
    bool operator==(const InputFile&) const = default;
};

enum class StepKind { Decompose, Thresholding, ApplyAllLevels, Reconstruct };

// An ApplyAllLevels that was the automatic denoising's choice: what the
// choice was asked with, so that it is made again on another input. The
// parts the user fixed (empty: left to the choice), the shifts every
// candidate is judged with, and the view items whose threshold was typed.
struct AutoRequest {
    std::string wavelet, rule, shrink;
    int32_t shifts = 1;
    std::vector<int32_t> given;
    bool operator==(const AutoRequest&) const = default;
};

struct Step {
    StepKind kind = StepKind::Reconstruct;
    int32_t levels = 0;              // Decompose: 1 ... J
    std::string wavelet = "linear";  // Decompose: the transform's name (analysis/transform/Wavelet.h)
    int32_t item = 0;                // Thresholding: the view item, 1 ... levels + 1
    std::string threshold;           // Thresholding: decimal text with "." that reads back to the double used
    // ApplyAllLevels: the rule and shrinkage names (analysis/denoise/DenoiseNames.h),
    // the shifts, each detail level's threshold on the plain decomposition,
    // the view items whose threshold was given rather than the rule's, and
    // the approximation's threshold when it had one.
    std::string rule;
    std::string shrink;
    int32_t shifts = 1;
    // The transform of the second, Wiener stage on the thresholded result;
    // empty: none. Whether a level its shrinking did not help was kept.
    std::string wiener;
    bool keepUnhelped = false;
    // The samples' noise sigma the rules were given; 0: estimated.
    double noise = 0;
    std::vector<double> thresholds;
    std::vector<int32_t> given;
    std::optional<double> approximation;
    std::optional<AutoRequest> automatic;
    bool operator==(const Step&) const = default;
};

inline Step DecomposeStep(int32_t levels, std::string wavelet = "linear") {
    Step step;
    step.kind = StepKind::Decompose;
    step.levels = levels;
    step.wavelet = std::move(wavelet);
    return step;
}

inline Step ThresholdingStep(int32_t item, std::string threshold) {
    Step step;
    step.kind = StepKind::Thresholding;
    step.item = item;
    step.threshold = std::move(threshold);
    return step;
}

inline Step ReconstructStep() { return Step(); }

// "Decompose", "Thresholding", "ApplyAllLevels", "Reconstruct".
const char* StepName(StepKind kind);
std::optional<StepKind> StepNamed(const std::string& name);

enum class OutputKind {
    Buffer,        // the session's sample buffer, its doubles' bytes
    Result,        // the reconstruction written as a sample file
    Coefficients,  // a view item's coefficients written as a sample file
    Signal,        // the signal as loaded, written as a sample file
};

struct Output {
    OutputKind kind = OutputKind::Buffer;
    std::string file;       // all but Buffer: the file written, "-" for standard output
    int32_t item = 0;       // Coefficients: the view item
    std::size_t after = 0;  // the number of steps done when it was taken
    std::string sha256;
    bool wholeGrid = false;  // Signal, Result: the samples an import made up too
    bool operator==(const Output&) const = default;
};

const char* OutputName(OutputKind kind);

struct Recipe {
    int32_t version = kFormatVersion;
    std::string program;  // the program and version that made it
    InputFile input;
    std::string count;  // the count text the load was given; an import's grid N
    std::vector<Step> steps;
    std::vector<Output> outputs;
    bool operator==(const Recipe&) const = default;
};

// "quelmar <version>".
std::string ProgramVersion();

// What the steps leave at each point, as the session would have it.
struct StepState {
    int32_t levels = -1;         // the decomposition held, -1 for none
    bool reconstructed = false;  // a Reconstruct since the last Decompose
};

// Checks the recipe as the session would take it, without running it: the
// count converts, each step fits the decomposition before it, thresholds are
// numbers the session reads, and outputs name what exists when they are
// taken. Throws RecipeError naming the field ("steps[2].item: ...").
void CheckRecipe(const Recipe& recipe);

// The text the session's threshold box takes for a recipe's threshold: the
// same number with the current regional decimal separator.
std::string SessionThresholdText(const std::string& recipeText);

// The shortest text with "." that reads back to t.
std::string ThresholdText(double t);

}  // namespace recipe
