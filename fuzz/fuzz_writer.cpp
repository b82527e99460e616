// The sample writer against the reader, on any doubles: a finite value gets one
// line of the number syntax, the standard library's shortest text, with no fewer digits possible (unless a whole
// number written out in full is shorter), and the file of
// them all reads back bit for bit with the right count, whether formatted
// whole or written in blocks to a descriptor. A value that is not finite gets
// no line, and the whole text fails naming the first such sample; what went to
// the descriptor before that is whole lines of the values before it.
//
// The messages of broken contracts are built only once one is broken: the
// checks run for every sample of texts beyond a megabyte.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzInput.h"
#include "analysis/io/SampleReader.h"
#include "analysis/io/SampleWriter.h"

namespace {

// A file in memory that the writer writes to and the reader opens by name.
class MemoryFile {
public:
    MemoryFile() : fd_(memfd_create("fuzz-writer", 0)), name_("/proc/self/fd/" + std::to_string(fd_)) {}
    int Emptied() const {
        fuzz::Check(ftruncate(fd_, 0) == 0 && lseek(fd_, 0, SEEK_SET) == 0, "memory file emptied");
        return fd_;
    }
    std::string Bytes() const {
        std::string bytes(static_cast<std::size_t>(lseek(fd_, 0, SEEK_END)), '\0');
        fuzz::Check(pread(fd_, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()),
                    "memory file read");
        return bytes;
    }
    const std::string& Name() const { return name_; }

private:
    int fd_;
    std::string name_;
};

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string Text(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

bool ReadsBackAs(const std::string& text, double value) { return Same(std::strtod(text.c_str(), nullptr), value); }

// The significant digits of a line of the number syntax: sign, exponent and
// point left out, then zeros at either end.
std::size_t SignificantDigits(const std::string& line) {
    std::string digits;
    for (char c : line) {
        if (c == 'e') break;
        if (c >= '0' && c <= '9') digits += c;
    }
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : digits.find_last_not_of('0') + 1 - first;
}

// No text with one digit fewer reads back to value. Such a text, if any, lies
// in the interval that reads back to value, and then so does the nearer of
// the two numbers of that many digits on either side of the value: the exact
// expansion truncated, and one unit up in its last digit kept.
void CheckNoShorter(double value, std::size_t digits) {
    if (digits < 2) return;
    static char exact[1100];
    std::snprintf(exact, sizeof exact, "%.800e", std::fabs(value));
    // |value| = 0.<mantissa> * 10^(exponent + 1)
    const int exponent = std::atoi(std::strchr(exact, 'e') + 1);
    const std::string mantissa = (exact[0] + std::string(exact + 2, 800)).substr(0, digits - 1);
    std::string up = mantissa;
    std::size_t i = up.size();
    while (i > 0 && up[i - 1] == '9') up[--i] = '0';
    // All nines carry into a new leading digit, a place further up.
    const bool carry = i == 0;
    if (carry) {
        up.insert(0, "1");
    } else {
        ++up[i - 1];
    }
    const std::string sign = std::signbit(value) ? "-" : "";
    const std::string below = sign + "0." + mantissa + "e" + std::to_string(exponent + 1);
    const std::string above = sign + "0." + up + "e" + std::to_string(exponent + 1 + (carry ? 1 : 0));
    if (ReadsBackAs(below, value) || ReadsBackAs(above, value)) {
        fuzz::Broken("a text of " + std::to_string(digits - 1) + " digits reads back to " + Text(value) + ": " + below +
                     " or " + above);
    }
}

// One value's line: checked whole, returned without its line feed ("" when
// the value is not finite).
std::string CheckLine(double value) {
    constexpr char kUnwritten = '\x7f';
    char line[analysis::kMaxSampleLine + 8];
    std::memset(line, kUnwritten, sizeof line);
    const char* end = analysis::FormatSampleLine(value, line);
    const char* const limit = line + sizeof line;
    if (!std::isfinite(value)) {
        if (end != nullptr) fuzz::Broken("a line for " + Text(value));
        if (std::find_if(static_cast<const char*>(line), limit, [](char c) { return c != kUnwritten; }) != limit) {
            fuzz::Broken("bytes written for " + Text(value));
        }
        return "";
    }
    if (end == nullptr || end < line + 2 || end > line + analysis::kMaxSampleLine || end[-1] != '\n') {
        fuzz::Broken("no line of at most " + std::to_string(analysis::kMaxSampleLine) + " bytes for " + Text(value));
    }
    if (std::find_if(end, limit, [](char c) { return c != kUnwritten; }) != limit) {
        fuzz::Broken("bytes written beyond the line of " + Text(value));
    }
    const std::string text(static_cast<const char*>(line), end - 1);
    if (text.find_first_not_of("0123456789.e+-") != std::string::npos) {
        fuzz::Broken("'" + text + "' for " + Text(value) + " holds more than the number syntax");
    }
    if (!ReadsBackAs(text, value)) fuzz::Broken("'" + text + "' does not read back as " + Text(value));
    char library[64];
    if (text != std::string(library, std::to_chars(library, library + sizeof library, value).ptr)) {
        fuzz::Broken("'" + text + "' is not the library's text of " + Text(value));
    }
    // A whole number may be written out in full, digits beyond the shortest
    // included, when that is fewer characters than with an exponent.
    if (text.find_first_of(".e") != std::string::npos) CheckNoShorter(value, SignificantDigits(text));
    return text;
}

std::string NotFiniteMessage(const std::string& name, std::size_t index) {
    return "Cannot save file \"" + name + "\": sample " + std::to_string(index + 1) + " is not a finite number";
}

// The reader takes the file back as values, all of them and no more.
void CheckReadBack(const MemoryFile& file, const std::vector<double>& values) {
    constexpr uint64_t kUntouched = 0x7FF4'DEAD'BEEF'0002u;
    const auto n = static_cast<int32_t>(values.size());
    std::vector<double> x(values.size() + 1);
    for (double& v : x) std::memcpy(&v, &kUntouched, sizeof v);
    const analysis::ReadResult read = analysis::ReadSamples(file.Name(), x.data(), n + 1);
    if (read.stop != analysis::ReadStop::FileEnded || read.stored != n) {
        fuzz::Broken("read back " + std::to_string(read.stored) + " of " + std::to_string(n) + " samples");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!Same(x[i], values[i])) {
            fuzz::Broken("sample " + std::to_string(i + 1) + " read back as " + Text(x[i]) + ", written " +
                         Text(values[i]));
        }
    }
    fuzz::Check(std::memcmp(&x[values.size()], &kUntouched, sizeof(double)) == 0, "a sample beyond the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static MemoryFile file;
    // One input in 64, by a hash of all its bytes so that every change draws
    // again, crosses the end of the writer's first block of 1 MiB: its finite
    // values are repeated in front of it. Rare, as it takes fifty times as long.
    uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
    const bool beyondOneBlock = hash % 64 == 0;
    fuzz::FuzzInput input(data, size);
    std::vector<double> values;
    while (input.Left() > 0) {
        const uint64_t bits = input.Bits(8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        values.push_back(value);
    }

    std::string expected;  // the lines of the values before the first that is not finite
    std::size_t firstNotFinite = values.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string line = CheckLine(values[i]);
        if (line.empty() && firstNotFinite == values.size()) firstNotFinite = i;
        if (firstNotFinite == values.size()) expected += line + "\n";
    }
    const bool repeated = beyondOneBlock && firstNotFinite > 0;
    if (repeated) {
        const std::vector<double> finite(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(firstNotFinite));
        const std::string finiteText = expected;
        std::vector<double> longer;
        std::string longerText;
        while (longerText.size() <= (std::size_t{1} << 20)) {
            longer.insert(longer.end(), finite.begin(), finite.end());
            longerText += finiteText;
        }
        firstNotFinite += longer.size();
        longer.insert(longer.end(), values.begin(), values.end());
        values = std::move(longer);
        expected = longerText + expected;
    }
    const bool allFinite = firstNotFinite == values.size();

    try {
        const std::string text = analysis::FormatSamples(values, "fuzz");
        fuzz::Check(allFinite, "formatted a value that is not finite");
        fuzz::Check(text == expected, "the whole text is not the lines one after another");
    } catch (const analysis::SampleWriteError& e) {
        if (allFinite || e.Message() != NotFiniteMessage("fuzz", firstNotFinite)) {
            fuzz::Broken("formatting failed: " + e.Message());
        }
    }

    const int fd = file.Emptied();
    try {
        analysis::WriteSamples(fd, values, "standard output");
        fuzz::Check(allFinite, "wrote a value that is not finite");
    } catch (const analysis::SampleWriteError& e) {
        if (allFinite || e.Message() != NotFiniteMessage("standard output", firstNotFinite)) {
            fuzz::Broken("writing failed: " + e.Message());
        }
    }
    const std::string written = file.Bytes();
    if (!allFinite) {
        fuzz::Check(expected.compare(0, written.size(), written) == 0 && (written.empty() || written.back() == '\n'),
                    "before the value that is not finite: not whole lines of the values before it");
        return 0;
    }
    fuzz::Check(written == expected, "the blocks written are not the whole text");
    // The repeated lines read back as they did once; the reader's window ends
    // have a target of their own.
    if (!repeated) CheckReadBack(file, values);
    return 0;
}
