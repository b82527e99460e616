#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <future>
#include <memory>
#include <random>
#include <thread>
#include <string>
#include <vector>

#include "SampleTexts.h"
#include "TempFolder.h"
#include "analysis/io/SampleNumber.h"
#include "analysis/io/SampleReader.h"

namespace analysis {
namespace {

constexpr double kUnset = -777.0;

struct Read {
    ReadResult result;
    std::vector<double> x;
};

class SampleReaderTest : public ::testing::Test {
protected:
    // Reads n samples from a file holding exactly the given bytes.
    Read ReadText(const std::string& bytes, int32_t n = 5) {
        Read read;
        read.x.assign(static_cast<std::size_t>(n), kUnset);
        read.result = ReadSamples(folder_.Write("samples.dat", bytes), read.x.data(), n);
        return read;
    }

    // The value of the first sample read from text followed by a line end.
    double First(const std::string& text) {
        const Read read = ReadText(text + "\n", 1);
        EXPECT_EQ(read.result.stop, ReadStop::Complete) << text;
        return read.x[0];
    }

    // The token after a first number, then the end of the file.
    void ExpectNotANumber(const std::string& text) {
        const Read read = ReadText("1 " + text + "\n", 3);
        EXPECT_EQ(read.result.stop, ReadStop::NotANumber) << text;
        EXPECT_EQ(read.result.stored, 1) << text;
        EXPECT_EQ(read.x[1], kUnset) << text;
    }

    // Reads 5 samples on a thread; a read that still runs after 5 s fails the
    // test, and a writer opened then lets a blocked open or read end.
    Read ReadWithin5s(const std::string& name) {
        auto read = std::make_shared<Read>();
        read->x.assign(5, kUnset);
        std::promise<void> done;
        std::future<void> finished = done.get_future();
        std::thread reader([read, name, &done] {
            read->result = ReadSamples(name, read->x.data(), 5);
            done.set_value();
        });
        if (finished.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << name << ": the read blocks";
            const int unblock = ::open(name.c_str(), O_WRONLY);
            if (unblock >= 0) ::close(unblock);
        }
        reader.join();
        return *read;
    }

    test::TempFolder folder_;
};

TEST_F(SampleReaderTest, BlankSeparatedNumbersInAnyArrangement) {
    const std::vector<double> expected{1, 2, 3, 4, 5};
    for (const std::string text :
         {"1 2 3 4 5", "1\n2\n3\n4\n5\n", "1\r\n2\r\n3\r\n4\r\n5\r\n", " \t1\v2\f3\r4\n\n 5", "1 2\n3\t4 5 6 7"}) {
        const Read read = ReadText(text);
        EXPECT_EQ(read.result.stop, ReadStop::Complete) << text;
        EXPECT_EQ(read.result.stored, 5);
        EXPECT_EQ(read.x, expected) << text;
    }
}

TEST_F(SampleReaderTest, NumberForms) {
    EXPECT_EQ(First("-.5"), -0.5);
    EXPECT_EQ(First("+3"), 3.0);
    EXPECT_EQ(First("5."), 5.0);
    EXPECT_EQ(First(".25e1"), 2.5);
    EXPECT_EQ(First("1E-3"), 0.001);
    EXPECT_EQ(First("1e+2"), 100.0);
    EXPECT_EQ(First("007.50"), 7.5);
    EXPECT_EQ(First("5.e1"), 50.0);
    EXPECT_EQ(First("- 2.5"), -2.5);
    EXPECT_EQ(First("+\n\t4"), 4.0);
    EXPECT_TRUE(std::signbit(First("-0")));
    EXPECT_EQ(First("0.1"), 0.1);
    EXPECT_EQ(First("2.2250738585072014e-308"), 2.2250738585072014e-308);
    EXPECT_EQ(First("4.9406564584124654e-324"), 4.9406564584124654e-324);
    EXPECT_EQ(First("1.7976931348623157e308"), 1.7976931348623157e308);
    // Many digits still convert to the nearest double.
    EXPECT_EQ(First("0.1000000000000000055511151231257827021181583404541015625000001"), 0.1);
}

TEST_F(SampleReaderTest, TooSmallForADoubleIsZeroOfItsSign) {
    EXPECT_EQ(First("1e-400"), 0.0);
    const double negative = First("-2e-999999999999999999999");
    EXPECT_EQ(negative, 0.0);
    EXPECT_TRUE(std::signbit(negative));
    EXPECT_EQ(First("0.00000000000000000000000000000000000000000000000001e-300"), 0.0);
    EXPECT_EQ(First("0e99999"), 0.0);
}

TEST_F(SampleReaderTest, TokensThatAreNoNumbers) {
    for (const char* text : {"abc", ",", "-", "+", ".", "-.", "1e", "1e+", "2.5E-", "e5", "inf", "nan", "-inf", "--5",
                             "+-5", "x10", "1e999", "-1e400", "123456789e99999999999999"}) {
        ExpectNotANumber(text);
    }
}

TEST_F(SampleReaderTest, NumberEndsWhereTheSyntaxEnds) {
    // "1.5abc": 1.5 is stored, the next number fails at "abc".
    Read glued = ReadText("1.5abc 2", 3);
    EXPECT_EQ(glued.result.stored, 1);
    EXPECT_EQ(glued.x[0], 1.5);
    EXPECT_EQ(glued.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(glued.result.text, "abc");

    // A second point or a sign starts the next number.
    Read split = ReadText("1.5.25-3+4", 4);
    EXPECT_EQ(split.result.stop, ReadStop::Complete);
    EXPECT_EQ(split.x, (std::vector<double>{1.5, 0.25, -3, 4}));

    // After a complete exponent a second "e" is the next token's start.
    Read exponent = ReadText("1 1e5e 3", 3);
    EXPECT_EQ(exponent.result.stored, 2);
    EXPECT_EQ(exponent.x[1], 1e5);
    EXPECT_EQ(exponent.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(ReadText("1.5E+3E", 2).x[0], 1500.0);

    // Hexadecimal reads as the 0 before the "x", then fails.
    Read hex = ReadText("0x1A", 2);
    EXPECT_EQ(hex.result.stored, 1);
    EXPECT_EQ(hex.x[0], 0.0);
}

TEST_F(SampleReaderTest, CommaStopsAfterTheFirstNumber) {
    const Read read = ReadText("1,2,3,4,5");
    EXPECT_EQ(read.result.stored, 1);
    EXPECT_EQ(read.x, (std::vector<double>{1, kUnset, kUnset, kUnset, kUnset}));
    EXPECT_EQ(read.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(read.result.line, 1);
    EXPECT_EQ(read.result.text, ",2,3,4,5");
}

TEST_F(SampleReaderTest, WordStopsReadingEvenWithNumbersAfterIt) {
    const Read read = ReadText("1\r\n2\r\n\r\n  abc\r\n4\r\n5\r\n");
    EXPECT_EQ(read.x, (std::vector<double>{1, 2, kUnset, kUnset, kUnset}));
    EXPECT_EQ(read.result.stored, 2);
    EXPECT_EQ(read.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(read.result.line, 4);
    EXPECT_EQ(read.result.text, "abc");
}

// Bytes that are not printable are quoted by their codes; a byte order mark
// is skipped only at the very start.
TEST_F(SampleReaderTest, ReportedTextIsShortAndPrintable) {
    const Read read = ReadText(std::string("7 \x01\xEFlonglonglonglonglonglong"), 2);
    EXPECT_EQ(read.result.text, "\\x01\\xEFlonglonglonglonglo\u2026");
    const Read marked = ReadText(
        "\xEF\xBB\xBF-17440986 \xEF\xBB\xBF"
        "5",
        2);
    EXPECT_EQ(marked.x[0], -17440986.0);
    EXPECT_EQ(marked.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(marked.result.text, "\\xEF\\xBB\\xBF5");
}

TEST_F(SampleReaderTest, LineOfAFailedSignIsWhereTheSignStands) {
    const Read read = ReadText("1\n-\n\nx", 3);
    EXPECT_EQ(read.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(read.result.line, 2);
}

TEST_F(SampleReaderTest, ShortFileReportsWhereItEnded) {
    const Read read = ReadText("1 2\n3\n");
    EXPECT_EQ(read.result.stop, ReadStop::FileEnded);
    EXPECT_EQ(read.result.stored, 3);
    EXPECT_EQ(read.x, (std::vector<double>{1, 2, 3, kUnset, kUnset}));

    const Read empty = ReadText("");
    EXPECT_EQ(empty.result.stop, ReadStop::FileEnded);
    EXPECT_EQ(empty.result.stored, 0);

    const Read blanks = ReadText(" \r\n\t ");
    EXPECT_EQ(blanks.result.stop, ReadStop::FileEnded);
}

TEST_F(SampleReaderTest, CtrlZEndsTheData) {
    const Read read = ReadText("1 2\x1A 3 4 5");
    EXPECT_EQ(read.result.stop, ReadStop::FileEnded);
    EXPECT_EQ(read.result.stored, 2);
    EXPECT_EQ(read.x, (std::vector<double>{1, 2, kUnset, kUnset, kUnset}));

    // A number right before the Ctrl-Z ends with the data and is stored.
    const Read glued = ReadText("1 2 3 4 5\x1A", 5);
    EXPECT_EQ(glued.result.stop, ReadStop::Complete);

    // "1e" cut by a Ctrl-Z is an incomplete exponent.
    const Read cut = ReadText(
        "1 1e\x1A"
        "5",
        2);
    EXPECT_EQ(cut.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(cut.result.stored, 1);
}

TEST_F(SampleReaderTest, LastNumberWithoutLineEnd) {
    const Read read = ReadText("1 2 3 4 -5.5e-1");
    EXPECT_EQ(read.result.stop, ReadStop::Complete);
    EXPECT_EQ(read.x[4], -0.55);
}

TEST_F(SampleReaderTest, ReadsOnlyTheFirstN) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += std::to_string(i) + "\n";
    const Read read = ReadText(text + "garbage", 513);
    EXPECT_EQ(read.result.stop, ReadStop::Complete);
    EXPECT_EQ(read.result.stored, 513);
    for (int i = 0; i < 513; ++i) ASSERT_EQ(read.x[static_cast<std::size_t>(i)], i);
}

TEST_F(SampleReaderTest, MissingFileIsReportedAndWritesNothing) {
    std::vector<double> x(5, kUnset);
    const ReadResult result = ReadSamples(folder_.PathOf("no-such-file.dat"), x.data(), 5);
    EXPECT_EQ(result.stop, ReadStop::CannotOpen);
    EXPECT_EQ(result.stored, 0);
    EXPECT_EQ(x, std::vector<double>(5, kUnset));
}

// A pipe could block the open (no writer) or the read (a writer that keeps it
// open); neither may hold up the reader, which refuses anything but a regular
// file before reading from it.
TEST_F(SampleReaderTest, OnlyRegularFilesAreRead) {
    const std::string pipe = folder_.PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Opened for reading and writing, the pipe has a writer that stays.
    const int writer = ::open(folder_.PathOf("pipe").c_str(), O_RDWR | O_NONBLOCK);
    for (const std::string& name : {folder_.PathOf(""), pipe, std::string("/dev/null")}) {
        if (name == pipe) {
            if (writer < 0) continue;
            ASSERT_EQ(::write(writer, "1 2 3 4 5\n", 10), 10);
        }
        const Read read = ReadWithin5s(name);
        EXPECT_EQ(read.result.stop, ReadStop::NotRegular) << name;
        EXPECT_EQ(read.x, std::vector<double>(5, kUnset)) << name;
    }
    ASSERT_GE(writer, 0);
    ::close(writer);

    // With no writer at all.
    const Read read = ReadWithin5s(pipe);
    EXPECT_EQ(read.result.stop, ReadStop::NotRegular);
    EXPECT_EQ(read.result.stored, 0);
}

// A token that a read window cuts is quoted whole: the reads of a megabyte,
// and reads of a few bytes that cut every token.
TEST_F(SampleReaderTest, TokenCutByTheReadWindowIsQuotedWhole) {
    for (const std::size_t spaces : {kReadChunkBytes - 30, kReadChunkBytes - 20, kReadChunkBytes - 6,
                                     kReadChunkBytes - 1, kReadChunkBytes, kReadChunkBytes + 1}) {
        const Read read = ReadText("1" + std::string(spaces - 1, ' ') + "abc\n", 2);
        EXPECT_EQ(read.result.stop, ReadStop::NotANumber) << spaces;
        EXPECT_EQ(read.result.text, "abc") << spaces;
    }
    const std::string file = folder_.Write("cut.dat", "1 2\n 3 wordwordwordwordword 4");
    for (std::size_t chunk = 1; chunk <= 8; ++chunk) {
        std::vector<double> x(5, kUnset);
        const ReadResult result = ReadSamplesInChunks(file, x.data(), 5, chunk);
        EXPECT_EQ(result.stop, ReadStop::NotANumber) << chunk;
        EXPECT_EQ(result.stored, 3) << chunk;
        EXPECT_EQ(result.line, 2) << chunk;
        EXPECT_EQ(result.text, "wordwordwordwordword") << chunk;
    }
}

// Reads of a few bytes cut every number, sign, exponent and line end; the
// result is that of the reads of a megabyte, on texts written for it and on
// generated ones.
TEST_F(SampleReaderTest, SmallChunksReadWhatLargeOnesRead) {
    std::vector<std::string> texts{"1 2 3 4 5",
                                   "-.5\r\n+ 3\n5.e1\t.25E-1 1e-400",
                                   "1.5abc",
                                   "12345678901234567890e-5 1e",
                                   "1 2\x1A 3",
                                   "1,2",
                                   "  -\n\n 7 1e999 3",
                                   "0.1 0.2 0.3 1e+",
                                   "4 5 6 7 8 9"};
    std::mt19937 random(5);
    for (int i = 0; i < 150; ++i) texts.push_back(test::RandomSampleText(random));
    for (const std::string& text : texts) {
        const std::string file = folder_.Write("chunks.dat", text);
        // Room for 5 numbers ends most reads early, room for 100 few.
        for (const int32_t room : {5, 100}) {
            std::vector<double> large(static_cast<std::size_t>(room), kUnset);
            const ReadResult expected = ReadSamples(file, large.data(), room);
            for (std::size_t chunk = 1; chunk <= 8; ++chunk) {
                std::vector<double> small(static_cast<std::size_t>(room), kUnset);
                const ReadResult result = ReadSamplesInChunks(file, small.data(), room, chunk);
                SCOPED_TRACE(text + " in chunks of " + std::to_string(chunk) + ", room " + std::to_string(room));
                EXPECT_EQ(result.stop, expected.stop);
                EXPECT_EQ(result.stored, expected.stored);
                EXPECT_EQ(result.line, expected.line);
                EXPECT_EQ(result.text, expected.text);
                EXPECT_EQ(small, large);
            }
        }
    }
}

// Progress after every chunk: the bytes read grow by at most a chunk up to the
// file's size. A cancel stops the reading at once: nothing more is read and no
// number of the chunk that was read last is stored.
TEST_F(SampleReaderTest, ProgressAfterEveryChunkAndCancelWithinOne) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += std::to_string(i) + (i % 5 ? " " : "\n");
    const std::string file = folder_.Write("progress.dat", text);
    const auto size = static_cast<int64_t>(text.size());
    constexpr std::size_t kChunk = 16;

    std::vector<int64_t> told;
    std::vector<double> x(200, kUnset);
    const ReadResult whole = ReadSamplesInChunks(file, x.data(), 200, kChunk, [&](int64_t read, int64_t total) {
        EXPECT_EQ(total, size);
        told.push_back(read);
        return true;
    });
    EXPECT_EQ(whole.stop, ReadStop::FileEnded);
    ASSERT_FALSE(told.empty());
    for (std::size_t i = 0; i < told.size(); ++i) {
        EXPECT_LE(told[i] - (i ? told[i - 1] : 0), static_cast<int64_t>(kChunk)) << i;
        EXPECT_GT(told[i] - (i ? told[i - 1] : 0), 0) << i;
    }
    EXPECT_EQ(told.back(), size);

    for (const std::size_t cancelAt : {std::size_t{1}, std::size_t{2}, told.size() / 2, told.size()}) {
        std::vector<double> y(200, kUnset);
        std::size_t calls = 0;
        const ReadResult cancelled =
            ReadSamplesInChunks(file, y.data(), 200, kChunk, [&](int64_t, int64_t) { return ++calls < cancelAt; });
        EXPECT_EQ(cancelled.stop, ReadStop::Cancelled) << cancelAt;
        EXPECT_EQ(calls, cancelAt);
        EXPECT_EQ(cancelled.bytes, told[cancelAt - 1]) << cancelAt;
        // The numbers that ended before the last chunk began, and no more.
        const int64_t before = cancelAt > 1 ? told[cancelAt - 2] : 0;
        int32_t complete = 0;
        for (std::size_t end = text.find_first_of(" \n");
             end != std::string::npos && static_cast<int64_t>(end) < before; end = text.find_first_of(" \n", end + 1)) {
            ++complete;
        }
        EXPECT_LE(cancelled.stored, complete) << cancelAt;
        EXPECT_GE(cancelled.stored, complete - 1) << cancelAt;
        for (int32_t i = cancelled.stored; i < 200; ++i) ASSERT_EQ(y[static_cast<std::size_t>(i)], kUnset) << i;
    }
}

// Numbers that straddle the reader's internal blocks of a megabyte, and a
// single number longer than a block, read exactly as they do elsewhere.
TEST_F(SampleReaderTest, LargeFilesAcrossBlockBoundaries) {
    std::string text;
    std::vector<double> expected;
    int32_t k = 0;
    while (text.size() < 3'300'000) {
        const double value = (k % 2 ? -1.0 : 1.0) * (k * 0.0123456789 + 1e-7);
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, k % 3 ? "%.17g\n" : "%.17g\t ", value);
        text += buffer;
        expected.push_back(std::strtod(buffer, nullptr));
        ++k;
    }
    // A number of the longest text a number may have, across block ends, and
    // 42; then one a character longer, which is no number.
    const auto longest = static_cast<std::size_t>(kMaxNumberText);
    text += "0." + std::string(longest - 3, '0') + "1 42\n0." + std::string(longest - 2, '0') + "1 7";
    expected.push_back(0.0);
    expected.push_back(42.0);
    const auto n = static_cast<int32_t>(expected.size()) + 1;
    const Read read = ReadText(text, n);
    EXPECT_EQ(read.result.stop, ReadStop::NotANumber);
    EXPECT_EQ(read.result.text, "0.000000000000000000\u2026");
    ASSERT_EQ(read.result.stored, n - 1);
    for (int32_t i = 0; i < n - 1; ++i)
        ASSERT_EQ(read.x[static_cast<std::size_t>(i)], expected[static_cast<std::size_t>(i)]) << i;

    // A file of one endless token is given up on within a few chunks.
    const Read endless = ReadText("1" + std::string(16 * kReadChunkBytes, '0'), 1);
    EXPECT_EQ(endless.result.stop, ReadStop::NotANumber);
    EXPECT_LE(endless.result.bytes, 3 * static_cast<int64_t>(kReadChunkBytes));
}

}  // namespace
}  // namespace analysis
