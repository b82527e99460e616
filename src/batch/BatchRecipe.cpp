#include "batch/BatchRecipe.h"

#include "analysis/io/SampleWriter.h"
#include "recipe/Sha256.h"

namespace batch {

recipe::Recipe RecordRun(const RunRecord& run) {
    recipe::Recipe r;
    r.program = recipe::ProgramVersion();
    const recipe::FileDigest input = recipe::DigestFile(run.inputFile);
    r.input = {run.input, input.size, input.sha256, run.import};
    r.count = run.countText;
    r.steps = run.steps;
    const std::size_t beforeReconstruct = r.steps.size() - 1;
    for (std::size_t item = 0; item < run.coefficientFiles.size(); ++item) {
        const std::string& file = run.coefficientFiles[item];
        r.outputs.push_back({recipe::OutputKind::Coefficients, file, static_cast<int32_t>(item) + 1, beforeReconstruct,
                             recipe::DigestFile(file).sha256});
    }
    const std::string resultHash = run.resultFile.empty() ? recipe::Sha256Hex(analysis::FormatSamples(run.result))
                                                          : recipe::DigestFile(run.resultFile).sha256;
    r.outputs.push_back(
        {recipe::OutputKind::Result, run.resultFile.empty() ? "-" : run.resultFile, 0, r.steps.size(), resultHash});
    r.outputs.push_back({recipe::OutputKind::Buffer, "", 0, r.steps.size(), run.bufferSha256});
    return r;
}

}  // namespace batch
