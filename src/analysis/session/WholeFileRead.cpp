#include "analysis/session/WholeFileRead.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace analysis {

WholeFileRead ReadWholeFile(const std::string& fileName) {
    // Two numbers need a blank between them, so a file of b bytes holds at
    // most (b + 1) / 2; one more asked makes the read run to the file's end
    // and tell why it stopped, as a count does. A name that is no regular
    // file is refused by the read.
    std::error_code error;
    const std::uintmax_t bytes = std::filesystem::file_size(fileName, error);
    const std::uintmax_t most = error ? 0 : (bytes + 1) / 2;
    const auto limit = static_cast<int32_t>(std::min<std::uintmax_t>(most + 1, std::uintmax_t{kMaxSamples} + 1));
    const SignalSize grid = NormaliseCount(std::min(limit, kMaxSamples));
    // Read once, transformed and written once: small pages (BlockPages).
    std::shared_ptr<double[]> block =
        NewSampleBlock(static_cast<std::size_t>(std::max(limit, grid.N)), fw::BlockPages::Small);
    WholeFileRead whole{ReadSamples(fileName, block.get(), limit), nullptr};
    // A file that grew since its size was taken is read as far as that size.
    if (whole.read.stored > 0 && whole.read.stored <= kMaxSamples) {
        whole.samples = std::make_shared<DyadicSignal>(NormaliseCount(whole.read.stored).J, std::move(block));
    }
    return whole;
}

}  // namespace analysis
