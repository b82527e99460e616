#include "recipe/RecipeReplay.h"

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

#include "analysis/io/FileError.h"
#include "analysis/io/NpyWriter.h"
#include "analysis/io/SampleWriter.h"
#include "framework/core/Conversions.h"
#include "analysis/io/ReadWarning.h"
#include "analysis/session/WholeFileRead.h"
#include "recipe/OtherInput.h"
#include "recipe/RecipeImport.h"
#include "recipe/Sha256.h"

namespace recipe {

std::string InputMismatch(const Recipe& recipe, const std::string& fileName) {
    // A recipe from anyone may name a device or a pipe, which would be read
    // without end or wait for a writer: only a regular file is hashed.
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0) {
        throw analysis::EFileUnreadable(analysis::CannotOpenText(fileName, errno));
    }
    if (!S_ISREG(status.st_mode)) throw analysis::EFileUnreadable(analysis::NotRegularText(fileName));
    const FileDigest digest = DigestFile(fileName);
    if (digest.size == recipe.input.size && digest.sha256 == recipe.input.sha256) return {};
    return "the input " + analysis::QuotedName(fileName) + " is not the recipe's: it has " +
           std::to_string(digest.size) + " bytes of SHA-256 " + digest.sha256 + ", the recipe's has " +
           std::to_string(recipe.input.size) + " bytes of SHA-256 " + recipe.input.sha256;
}

std::string DescribeOutput(const Recipe& recipe, std::size_t index) {
    const Output& output = recipe.outputs[index];
    std::string what;
    switch (output.kind) {
    case OutputKind::Buffer: what = "the buffer"; break;
    case OutputKind::Result: what = "the result " + analysis::QuotedName(output.file); break;
    case OutputKind::Coefficients:
        what = "the coefficients of view item " + fw::IntToStr(output.item) + " " + analysis::QuotedName(output.file);
        break;
    case OutputKind::Signal: what = "the signal " + analysis::QuotedName(output.file); break;
    }
    const std::string when = output.after == 0 ? "after the load"
                                               : "after step " + std::to_string(output.after) + ", " +
                                                     StepName(recipe.steps[output.after - 1].kind);
    return "outputs[" + std::to_string(index) + "] (" + what + " " + when + ")";
}

std::string TakenSha256(const Output& output, const std::string& taken) {
    return output.kind == OutputKind::Buffer ? taken : Sha256Hex(taken);
}

std::optional<std::size_t> FirstDifference(const Recipe& recipe, const std::vector<std::string>& contents) {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (TakenSha256(recipe.outputs[i], contents[i]) == recipe.outputs[i].sha256) continue;
        if (!first || recipe.outputs[i].after < recipe.outputs[*first].after) first = i;
    }
    return first;
}

RecipeReplay::RecipeReplay(const Recipe& recipe, analysis::AnalysisSession& session)
    : recipe_(recipe), steps_(recipe.steps), session_(session), runner_(session) {}

void RecipeReplay::Load(const std::string& fileName, const analysis::ReadProgress& progress) {
    if (recipe_.input.import.empty()) return session_.Load(recipe_.count, fileName, progress);
    LoadImport(session_, fileName, recipe_.input.import, recipe_.count, progress);
}

void RecipeReplay::LoadOther(const std::string& fileName, const analysis::ReadProgress& progress) {
    if (recipe_.input.import.empty()) {
        analysis::WholeFileRead whole = analysis::ReadWholeFile(fileName);
        if (!whole.samples) {
            throw analysis::EFileUnreadable(whole.read.stored == 0 ? analysis::DescribeFailedRead(fileName, whole.read)
                                                                   : analysis::QuotedName(fileName) +
                                                                         " holds more samples than a signal may have");
        }
        session_.LoadRead(fw::IntToStr(whole.read.stored), fileName, std::move(whole));
    } else {
        const importer::ImportChoices choices = ImportChoicesOf(recipe_.input.import);
        const importer::ImportedSignal signal = importer::ImportSignal(fileName, choices, progress);
        LoadOnGrid(session_, fileName, signal.samples, choices, signal.warning);
    }
    steps_ = StepsForOtherInput(recipe_.steps, *session_.Samples());
}

std::vector<std::string> RecipeReplay::Run() {
    for (const Output& output : recipe_.outputs) {
        std::string& text = output.wholeGrid ? wholeSignal_ : signal_;
        if (output.kind == OutputKind::Signal && text.empty())
            text = analysis::FormatSamples(SavedPart(output, Buffer()));
    }
    // The outputs in the order of the steps they follow, so that each step
    // looks only at its own.
    std::vector<std::size_t> order(recipe_.outputs.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return recipe_.outputs[a].after < recipe_.outputs[b].after; });
    std::vector<std::string> contents(recipe_.outputs.size());
    auto next = order.begin();
    for (done_ = 0;; ++done_) {
        for (; next != order.end() && recipe_.outputs[*next].after == done_; ++next) {
            contents[*next] = Take(recipe_.outputs[*next]);
        }
        if (done_ == steps_.size()) return contents;
        runner_.Run(steps_, done_);
    }
}

std::span<const double> RecipeReplay::SignalPart(std::span<const double> samples) const {
    return samples.first(std::min(samples.size(), static_cast<std::size_t>(session_.SignalSamples())));
}

std::string RecipeReplay::Take(const Output& output) const {
    switch (output.kind) {
    case OutputKind::Buffer: {
        const std::span<const double> buffer = Buffer();
        return Sha256Hex(buffer.data(), buffer.size_bytes());
    }
    // A result names its format: an .npy holds the doubles themselves.
    case OutputKind::Result:
        return analysis::FormatSamplesAs(analysis::FormatOfName(output.file), SavedPart(output, Buffer()), output.file);
    case OutputKind::Signal: return output.wholeGrid ? wholeSignal_ : signal_;
    case OutputKind::Coefficients: return analysis::FormatSamples(runner_.ItemValues(output.item), output.file);
    }
    return {};
}

}  // namespace recipe
