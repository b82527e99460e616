#include "analysis/SampleCount.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "analysis/SampleNumber.h"

namespace analysis {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

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
Syntax ScanSyntax(const char* begin, const char* end, bool lastData)
{
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

std::string Reason()
{
    return std::strerror(errno);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

int64_t CountSamples(const std::string& fileName, int64_t limit)
{
    return CountSamples(fileName, limit, std::size_t{1} << 20);
}

int64_t CountSamples(const std::string& fileName, int64_t limit, std::size_t blockSize)
{
    const Descriptor file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) throw UnreadableSampleFile("Cannot open file \"" + fileName + "\": " + Reason());
    // bytes[0, filled) holds what was read; the scan has consumed [0, begin).
    std::vector<char> bytes(blockSize);
    std::size_t begin = 0;
    std::size_t filled = 0;
    bool lastData = false;
    int64_t count = 0;
    while (count < limit) {
        const char* p = bytes.data() + begin;
        const char* end = bytes.data() + filled;
        while (p < end && IsSampleBlank(*p)) ++p;
        if (p < end) {
            const Syntax number = ScanSyntax(p, end, lastData);
            if (number.status == SampleNumberStatus::NotANumber) return count;
            if (number.status == SampleNumberStatus::Number) {
                ++count;
                begin = static_cast<std::size_t>(number.end - bytes.data());
                continue;
            }
        }
        begin = static_cast<std::size_t>(p - bytes.data());
        if (lastData) return count;
        // More text: keep the unconsumed bytes, grow when one number fills the block.
        std::memmove(bytes.data(), bytes.data() + begin, filled - begin);
        filled -= begin;
        begin = 0;
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
        ssize_t got;
        do {
            got = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw UnreadableSampleFile("Cannot read file \"" + fileName + "\": " + Reason());
        if (got == 0) lastData = true;
        if (const void* stop = std::memchr(bytes.data() + filled, '\x1A', static_cast<std::size_t>(got))) {
            got = static_cast<const char*>(stop) - (bytes.data() + filled);
            lastData = true;
        }
        filled += static_cast<std::size_t>(got);
    }
    return count;
}

}  // namespace analysis
