#include "analysis/SampleCount.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>

#include "analysis/FileChunkReader.h"
#include "analysis/FileDescriptor.h"
#include "analysis/PlainNumbers.h"
#include "analysis/SampleNumber.h"

namespace analysis {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Mantissas up to this many digits with exponents of at most two digits lie
// far inside the double range (below 1e300); longer ones are left to the
// converting scan.
constexpr std::ptrdiff_t kSafeMantissaDigits = 200;

struct Syntax {
    SampleNumberStatus status;
    const char* end = nullptr;
};

// The syntax of one number starting at p (not a blank), as ScanSampleNumber
// reads it, without converting it.
Syntax ScanSyntax(const char* begin, const char* end, bool lastData) {
    const Syntax notANumber{SampleNumberStatus::NotANumber};
    const Syntax needMore{SampleNumberStatus::NeedMore};
    const char* p = begin;
    if (*p == '+' || *p == '-') {
        ++p;
        while (p < end && IsSampleBlank(*p)) ++p;
        if (p == end) return lastData ? notANumber : needMore;
    }
    if (!IsDigit(*p) && *p != '.') return notANumber;
    const char* mantissa = p;
    while (p < end && IsDigit(*p)) ++p;
    std::ptrdiff_t digits = p - mantissa;
    if (p < end && *p == '.') {
        const char* fraction = ++p;
        while (p < end && IsDigit(*p)) ++p;
        digits += p - fraction;
    }
    if (digits == 0) return (mantissa + 1 == end && !lastData) ? needMore : notANumber;
    if (p == end && !lastData) return needMore;
    // A long mantissa at the end of the data is checked for its range too.
    bool safe = digits <= kSafeMantissaDigits;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < end && (*q == '+' || *q == '-')) ++q;
        if (q == end) return lastData ? notANumber : needMore;
        if (!IsDigit(*q)) return notANumber;
        const char* exponent = q;
        while (q < end && IsDigit(*q)) ++q;
        if (q == end && !lastData) return needMore;
        safe = safe && q - exponent <= 2;
        p = q;
    }
    if (!safe) {
        const SampleNumber number = ScanSampleNumber(begin, end, lastData);
        return {number.status, number.end};
    }
    return {SampleNumberStatus::Number, p};
}

std::string Reason(int error) { return std::strerror(error); }

// Numbers the quick scan reads between two looks at the limit.
constexpr int64_t kPlainBatch = 4096;

}  // namespace

int64_t CountSamples(const std::string& fileName, int64_t limit) {
    return CountSamples(fileName, limit, kReadChunkBytes);
}

int64_t CountSamples(const std::string& fileName, int64_t limit, std::size_t blockSize) {
    const FileDescriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) throw UnreadableSampleFile("Cannot open file \"" + fileName + "\": " + Reason(errno));
    FileChunkReader window(file.Get(), blockSize, blockSize);
    // The quick scan's values are not wanted, only how many it read.
    std::vector<double> unused(kPlainBatch);
    int64_t count = 0;
    while (count < limit) {
        const char* end = window.End();
        const auto room = static_cast<int32_t>(std::min<int64_t>(limit - count, kPlainBatch));
        const PlainNumbers plain = ScanPlainNumbers(window.Begin(), end, unused.data(), room);
        count += plain.count;
        const char* p = plain.end;
        while (p < end && IsSampleBlank(*p)) ++p;
        window.Consume(p);
        if (plain.count == room) continue;
        if (p < end) {
            const Syntax number = ScanSyntax(p, end, window.LastData());
            if (number.status == SampleNumberStatus::NotANumber) return count;
            if (number.status == SampleNumberStatus::Number) {
                ++count;
                window.Consume(number.end);
                continue;
            }
        }
        if (window.LastData()) return count;
        if (!window.Fill() && window.Error() != 0) {
            throw UnreadableSampleFile("Cannot read file \"" + fileName + "\": " + Reason(window.Error()));
        }
    }
    return count;
}

}  // namespace analysis
