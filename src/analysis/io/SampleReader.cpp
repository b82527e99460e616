#include "analysis/io/SampleReader.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "analysis/io/FileChunkReader.h"
#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"
#include "analysis/io/PlainNumbers.h"
#include "analysis/io/SampleNumber.h"
#include "framework/core/Exceptions.h"

namespace analysis {
namespace {

// The text a warning quotes: up to the next blank, in the words of every
// file message (QuoteBytes). One byte more than a quote holds is looked at,
// so that a cut token is told from one of exactly that length.
std::string QuoteStart(const char* p, const char* end) {
    const char* stop = p + std::min<std::ptrdiff_t>(end - p, kQuotedBytes + 1);
    return QuoteBytes(p, std::find_if(p, stop, IsSampleBlank));
}

// The quote of a token cut by the window's end would be shorter than the
// token: the window is filled until the quote is whole or the data ends.
std::string QuoteToken(FileChunkReader& window) {
    for (;;) {
        const char* p = window.Begin();
        const char* end = window.End();
        const bool cut = static_cast<std::size_t>(end - p) <= kQuotedBytes && std::none_of(p, end, IsSampleBlank);
        if (!cut || !window.Fill()) return QuoteStart(window.Begin(), window.End());
    }
}

ReadResult Stop(ReadResult result, ReadStop stop) {
    result.stop = stop;
    result.text.clear();
    return result;
}

// A UTF-8 byte order mark, which some editors put before the first number.
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

void SkipByteOrderMark(FileChunkReader& window) {
    while (window.End() - window.Begin() < 3 && window.Fill()) {
    }
    if (window.End() - window.Begin() >= 3 && std::equal(kByteOrderMark, kByteOrderMark + 3, window.Begin())) {
        window.Consume(window.Begin() + 3);
    }
}

// Numbers the quick scan writes between two looks at the limit when they
// are only counted: as many as a window of text can hold, so that a count
// takes a window's numbers on two threads as a read does.
constexpr int32_t kCountBatch = static_cast<int32_t>(kReadChunkBytes / 2);

// Reads up to n numbers into x, or with x null only counts them: a count is
// the read itself, so that the two agree on every file.
ReadResult ReadFrom(FileChunkReader& window, double* x, int32_t n) {
    std::vector<double> scratch(x ? 0 : kCountBatch);
    const auto target = [&](int32_t stored) { return x ? x + stored : scratch.data(); };
    const auto room = [&](int32_t stored) { return x ? n - stored : std::min(n - stored, kCountBatch); };
    ReadResult result;
    int64_t line = 1;
    SkipByteOrderMark(window);
    // The plain numbers are taken on two threads, but on one after a token
    // the general scan took, as such tokens may come one after another.
    std::vector<double> spare;
    bool inTwo = true;
    while (result.stored < n) {
        const char* end = window.End();
        // Most numbers take the quick way; what it leaves, the general one.
        const int32_t ask = room(result.stored);
        const PlainNumbers plain = inTwo ? ScanPlainNumbersInTwo(window.Begin(), end, target(result.stored), ask, spare)
                                         : ScanPlainNumbers(window.Begin(), end, target(result.stored), ask);
        result.stored += plain.count;
        line += plain.lineFeeds;
        if (result.stored == n) return result;
        const char* p = plain.end;
        while (p < end && IsSampleBlank(*p)) line += *p++ == '\n';
        window.Consume(p);
        if (plain.count == ask) continue;  // a count's batch is full
        inTwo = true;
        if (p == end) {
            if (window.Fill()) continue;
            if (window.Cancelled()) return Stop(result, ReadStop::Cancelled);
            result.stop = window.Error() != 0 ? ReadStop::ReadFailed : ReadStop::FileEnded;
            result.error = window.Error();
            return result;
        }
        const SampleNumber number = ScanSampleNumber(p, end, window.LastData());
        if (number.status == SampleNumberStatus::NeedMore) {
            // Scanned again with more text, or as the last data when none came.
            if (!window.Fill() && window.Cancelled()) return Stop(result, ReadStop::Cancelled);
            if (window.Error() != 0) {
                result.stop = ReadStop::ReadFailed;
                result.error = window.Error();
                return result;
            }
            continue;
        }
        if (number.status == SampleNumberStatus::NotANumber) {
            result.text = QuoteToken(window);
            if (window.Cancelled()) return Stop(result, ReadStop::Cancelled);
            result.stop = ReadStop::NotANumber;
            result.line = line;
            return result;
        }
        *target(result.stored++) = number.value;
        inTwo = false;
        line += number.lineFeeds;
        window.Consume(number.end);
    }
    return result;
}

ReadResult Refused(ReadStop stop, int error) {
    ReadResult result;
    result.stop = stop;
    result.error = error;
    return result;
}

}  // namespace

ReadResult ReadSamplesInChunks(const std::string& fileName, double* x, int32_t n, std::size_t chunkBytes,
                               const ReadProgress& progress) {
    // Looked at before opening: opening a pipe would wake a writer waiting
    // for a reader. The open itself does not wait (O_NONBLOCK) should the name
    // have become a pipe since, and the open file is checked again.
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0) return Refused(ReadStop::CannotOpen, errno);
    if (!S_ISREG(status.st_mode)) return Refused(ReadStop::NotRegular, 0);
    FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) return Refused(ReadStop::CannotOpen, errno);
    if (::fstat(file.Get(), &status) != 0) return Refused(ReadStop::ReadFailed, errno);
    if (!S_ISREG(status.st_mode)) return Refused(ReadStop::NotRegular, 0);
    return fw::MapOutOfMemory([&] {
        // One byte more than the file holds sees its end in the first read.
        const auto fileBytes = static_cast<std::size_t>(std::max<off_t>(status.st_size, 0));
        FileChunkReader window(file.Get(), chunkBytes, std::min(chunkBytes, fileBytes + 1),
                               static_cast<int64_t>(fileBytes), progress);
        ReadResult result = ReadFrom(window, x, n);
        result.bytes = window.BytesRead();
        return result;
    });
}

ReadResult ReadSamples(const std::string& fileName, double* x, int32_t n, const ReadProgress& progress) {
    return ReadSamplesInChunks(fileName, x, n, kReadChunkBytes, progress);
}

ReadResult CountSamples(const std::string& fileName, int32_t limit, std::size_t chunkBytes) {
    return ReadSamplesInChunks(fileName, nullptr, limit, chunkBytes);
}

}  // namespace analysis
