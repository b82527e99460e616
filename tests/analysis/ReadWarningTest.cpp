#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "analysis/io/ReadWarning.h"

namespace analysis {
namespace {

ReadResult Stopped(ReadStop stop, int32_t stored, int64_t bytes = 10) {
    ReadResult result;
    result.stop = stop;
    result.stored = stored;
    result.bytes = bytes;
    return result;
}

ReadResult NotANumber(int32_t stored) {
    ReadResult result = Stopped(ReadStop::NotANumber, stored);
    result.line = 12;
    result.text = "abc";
    return result;
}

ReadResult SystemError(ReadStop stop, int error) {
    ReadResult result = Stopped(stop, 0);
    result.error = error;
    return result;
}

// Each read gets either an error (nothing stored) or a warning (some stored,
// not all), never both.
TEST(ReadWarning, ErrorWhenNothingWasReadWarningWhenSomethingWas) {
    struct Case {
        ReadResult read;
        std::string error;
        std::string warning;
    };
    const Case cases[] = {
        {Stopped(ReadStop::Complete, 5), "", ""},
        {SystemError(ReadStop::CannotOpen, ENOENT), "Cannot open file \"a.dat\": No such file or directory", ""},
        {SystemError(ReadStop::CannotOpen, EACCES), "Cannot open file \"a.dat\": Permission denied", ""},
        {Stopped(ReadStop::NotRegular, 0), "The file \"a.dat\" is not a regular file", ""},
        {SystemError(ReadStop::ReadFailed, EIO), "Cannot read file \"a.dat\": Input/output error", ""},
        {Stopped(ReadStop::FileEnded, 0, 0), "The file \"a.dat\" holds no samples: it is empty", ""},
        {Stopped(ReadStop::FileEnded, 0, 7), "The file \"a.dat\" holds no samples: it holds no numbers", ""},
        {NotANumber(0), "The file \"a.dat\" holds no samples: the text \"abc\" at line 12 is not a number", ""},
        {Stopped(ReadStop::FileEnded, 3), "",
         "\"a.dat\": The file ends after 3 numbers. 3 of 9 samples were read; the remaining 6 are 0."},
        {Stopped(ReadStop::ReadFailed, 1), "",
         "\"a.dat\": Reading the file failed after 1 number. 1 of 9 samples were read; the remaining 8 are 0."},
        {NotANumber(2), "",
         "\"a.dat\": Line 12: \"abc\" is not a number or is out of range. 2 of 9 samples were read; the remaining 7 "
         "are 0."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeFailedRead("a.dat", c.read), c.error) << c.error << c.warning;
        EXPECT_EQ(DescribeIncompleteRead("a.dat", c.read, 9), c.warning) << c.error << c.warning;
    }
}

// A quote shows at most kQuotedBytes of a file and marks a cut; a name is
// shown whole. Neither lets a control character reach a terminal.
TEST(ReadWarning, QuotesMarkACutAndNoTextCarriesAControlCharacter) {
    const std::string most(kQuotedBytes, '7');
    // clang-format off
    const struct { std::string text, quote, name; } cases[] = {
        {most,                                most,                                     most},
        {most + "8",                          most + "\u2026",                          most + "8"},
        {"\x1B[2J\x7F\t\n\xC3\xA4\xC2\x9B[m",   "\\x1B[2J\\x7F\\x09\\x0A\\xC3\\xA4\\xC2\\x9B[m", "\\x1B[2J\\x7F\\x09\\x0A\xC3\xA4\\xC2\\x9B[m"},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(QuoteBytes(c.text.data(), c.text.data() + c.text.size()), c.quote);
        EXPECT_EQ(NotRegularText(c.text), "The file \"" + c.name + "\" is not a regular file");
    }
}

}  // namespace
}  // namespace analysis
