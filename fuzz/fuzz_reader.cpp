// The sample reader on any file content: at most n samples stored, nothing
// written after them, every stored value finite, and the same result, bit for
// bit, when the file comes in chunks of a few bytes so that every number, sign,
// exponent and quoted token crosses the end of what has been read; the count
// of the samples agrees with it. A quote shows at most 20 bytes, each at most
// four characters ("\xEF").

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "FuzzInput.h"
#include "analysis/io/FileError.h"
#include "analysis/io/SampleReader.h"

namespace {

// A file in memory, written again for every input; the reader opens it by name.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("fuzz-samples", 0)), name_("/proc/self/fd/" + std::to_string(fd_)) {}
    const std::string& Write(const std::string& bytes) {
        fuzz::Check(
            ftruncate(fd_, 0) == 0 && pwrite(fd_, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()),
            "memory file written");
        return name_;
    }

private:
    int fd_;
    std::string name_;
};

// A bit pattern no reader writes: a not-a-number with a payload.
constexpr uint64_t kUntouched = 0x7FF4'DEAD'BEEF'0001u;

struct Read {
    analysis::ReadResult result;
    std::vector<uint64_t> bits;
};

Read ReadIn(const std::string& name, int32_t n, std::size_t chunk) {
    Read read;
    read.bits.assign(static_cast<std::size_t>(n), kUntouched);
    std::vector<double> x(static_cast<std::size_t>(n));
    std::memcpy(x.data(), read.bits.data(), x.size() * sizeof(double));
    read.result = analysis::ReadSamplesInChunks(name, x.data(), n, chunk);
    std::memcpy(read.bits.data(), x.data(), x.size() * sizeof(double));
    return read;
}

}  // namespace

// A quote of kQuotedBytes bytes, each at most four characters (\xEF), and
// the mark of a cut.
const std::size_t kLongestQuote = 4 * analysis::kQuotedBytes + std::string("\u2026").size();

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static MemoryFile file;
    fuzz::FuzzInput input(data, size);
    const auto n = static_cast<int32_t>(1 + input.Bits(2) % 1024);
    const std::size_t chunk = 1 + input.Byte() % 8;
    const std::string& name = file.Write(input.Rest());

    const Read whole = ReadIn(name, n, analysis::kReadChunkBytes);
    const analysis::ReadResult& r = whole.result;
    fuzz::Check(r.stored >= 0 && r.stored <= n, "stored within 0 ... n");
    fuzz::Check((r.stop == analysis::ReadStop::Complete) == (r.stored == n), "complete exactly when n are stored");
    for (int32_t i = 0; i < n; ++i) {
        const uint64_t bits = whole.bits[static_cast<std::size_t>(i)];
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (i < r.stored) {
            fuzz::Check(std::isfinite(value), "stored value " + std::to_string(i) + " finite");
        } else {
            fuzz::Check(bits == kUntouched, "position " + std::to_string(i) + " after the stored ones untouched");
        }
    }
    fuzz::Check(
        r.stop == analysis::ReadStop::NotANumber ? r.line >= 1 && r.text.size() <= kLongestQuote : r.text.empty(),
        "line and quote only for a token that is no number");

    const Read small = ReadIn(name, n, chunk);
    fuzz::Check(small.result.stop == r.stop && small.result.stored == r.stored && small.result.line == r.line &&
                    small.result.text == r.text,
                "chunks of " + std::to_string(chunk) + " give the same result: stored " +
                    std::to_string(small.result.stored) + " vs " + std::to_string(r.stored) + ", text '" +
                    small.result.text + "' vs '" + r.text + "'");
    fuzz::Check(small.bits == whole.bits, "chunks of " + std::to_string(chunk) + " store the same bits");

    // The count reads through the same chunks and stops where, and as, the reader does.
    const analysis::ReadResult count = analysis::CountSamples(name, n, chunk);
    fuzz::Check(count.stored == r.stored && count.stop == r.stop && count.line == r.line && count.text == r.text,
                "the count in chunks of " + std::to_string(chunk) + " is the reader's");
    return 0;
}
