#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include "analysis/io/SampleReader.h"
#include "analysis/io/SampleWriter.h"
#include "TempFolder.h"

namespace analysis {
namespace {

using test::TempFolder;

// Doubles of every kind: random bit patterns (all exponents), subnormals,
// the extremes, both zeros and values near powers of ten.
std::vector<double> GeneratedDoubles() {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  DBL_MAX,
                                  -DBL_MAX,
                                  DBL_MIN,
                                  -DBL_MIN,
                                  std::numeric_limits<double>::denorm_min(),
                                  -std::numeric_limits<double>::denorm_min(),
                                  std::nextafter(DBL_MIN, 0.0),
                                  -2.2250738585072014e-308,
                                  1e-5,
                                  1e21,
                                  0.1,
                                  1.0 / 3.0,
                                  123456789012345678.0};
    std::mt19937_64 random(7);
    // Enough for several of the writer's blocks.
    for (int i = 0; i < 100000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value)) values.push_back(value);
    }
    std::uniform_int_distribution<uint64_t> subnormalBits(1, (uint64_t{1} << 52) - 1);
    std::uniform_real_distribution<double> uniform(-1000.0, 1000.0);
    for (int i = 0; i < 2000; ++i) {
        values.push_back(std::bit_cast<double>(subnormalBits(random)) * (i % 2 ? -1.0 : 1.0));
        values.push_back(uniform(random));
    }
    // Where fixed and scientific notation trade places, and integers past
    // the digits' precision, whose fixed text has every digit.
    for (int power = -330; power <= 310; ++power) {
        const double ten = std::pow(10.0, power);
        for (const double scale : {1.0, 1.5, 123.0, 123456.0, 1.2345678901234567}) {
            if (!std::isfinite(ten * scale)) continue;
            values.push_back(ten * scale);
            values.push_back(std::nextafter(ten * scale, 0.0));
        }
    }
    for (uint64_t i = 0; i < 500; ++i) values.push_back(std::ldexp(static_cast<double>(random() >> 11), 10 + i % 20));
    return values;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    return names;
}

// The literal meaning of "shortest": the shortest of the texts with 1 ... 17
// significant digits that reads back to the value.
std::size_t ShortestLength(double value) {
    std::size_t shortest = 64;
    for (int digits = 1; digits <= 17; ++digits) {
        char text[64];
        const int length = std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) shortest = std::min(shortest, static_cast<std::size_t>(length));
    }
    return shortest;
}

TEST(SampleWriter, SavedFileReadsBackBitForBitWithShortestTexts) {
    const TempFolder folder;
    const std::vector<double> values = GeneratedDoubles();
    const std::string path = folder.PathOf("out.dat");
    SaveSamples(path, values);

    std::vector<double> back(values.size() + 1, 42.0);
    const ReadResult read = ReadSamples(path, back.data(), static_cast<int32_t>(back.size()));
    EXPECT_EQ(read.stop, ReadStop::FileEnded);
    ASSERT_EQ(read.stored, static_cast<int32_t>(values.size()));
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::bit_cast<uint64_t>(back[i]) != std::bit_cast<uint64_t>(values[i])) {
            if (++mismatches < 5) ADD_FAILURE() << "sample " << i << " was " << values[i] << ", read " << back[i];
        }
    }
    EXPECT_EQ(mismatches, 0u);

    // The file is exactly the formatted text, one line per value, each no
    // longer than the shortest text that reads back.
    const std::string text = ReadAll(path);
    EXPECT_EQ(text, FormatSamples(values));
    std::istringstream lines(text);
    std::string line;
    std::size_t index = 0;
    for (; std::getline(lines, line); ++index) {
        ASSERT_LT(index, values.size());
        EXPECT_LE(line.size(), ShortestLength(values[index])) << line;
        // The library's own text, character for character.
        char expected[32];
        EXPECT_EQ(line, std::string(expected, std::to_chars(expected, expected + 32, values[index]).ptr));
    }
    EXPECT_EQ(index, values.size());
    EXPECT_EQ(FolderEntries(std::filesystem::path(path).parent_path()), std::vector<std::string>{"out.dat"});
}

TEST(SampleWriter, FormatsSignedZeroAndLineEnds) {
    const std::vector<double> values = {-0.0, 0.0, 1.5, -2e-300};
    EXPECT_EQ(FormatSamples(values), "-0\n0\n1.5\n-2e-300\n");
    EXPECT_EQ(FormatSamples({}), "");
}

TEST(SampleWriter, FolderThatCannotHoldTheFileFailsWithNameAndReason) {
    const TempFolder folder;
    const std::string plainFile = folder.Write("plain", "1\n");
    struct Case {
        std::string path;
        std::string reason;
    };
    for (const Case& c : {Case{plainFile + "/out.dat", "Not a directory"},
                          Case{folder.PathOf("missing/out.dat"), "No such file or directory"}}) {
        try {
            SaveSamples(c.path, std::vector<double>{1.0, 2.0});
            ADD_FAILURE() << c.path << " was written";
        } catch (const SampleWriteError& error) {
            EXPECT_EQ(error.Message(), "Cannot save file \"" + c.path + "\": " + c.reason);
        }
    }
    EXPECT_EQ(ReadAll(plainFile), "1\n");
}

// The error a save gives under a file size limit of 4 KiB, which holds even
// for the superuser and stands in for a full disk.
std::string MessageUnderSizeLimit(const std::function<void()>& save) {
    rlimit old{};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0) return "getrlimit failed";
    rlimit small = old;
    small.rlim_cur = 4096;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    std::string message = "not refused";
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
        message = "setrlimit failed";
    else {
        try {
            save();
        } catch (const SampleWriteError& error) {
            message = error.Message();
        }
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    return message;
}

// A failure after part of the text was written (the file size limit, which
// holds even for the superuser, stands in for a full disk; a value with no
// text is the other way to fail midway) leaves the old file and no temporary.
TEST(SampleWriter, FailureMidwayLeavesTheExistingFileAndNoTemporary) {
    const TempFolder folder;
    const std::string path = folder.Write("keep.dat", "1\n2\n3\n");
    const std::vector<double> many(1 << 20, 0.125);

    const std::string message = MessageUnderSizeLimit([&] { SaveSamples(path, many); });
    EXPECT_EQ(message, "Cannot save file \"" + path + "\": File too large");

    std::vector<double> withInfinity = {1.0, 2.0, std::numeric_limits<double>::infinity()};
    try {
        SaveSamples(path, withInfinity);
        ADD_FAILURE() << "an infinity was written";
    } catch (const SampleWriteError& error) {
        EXPECT_EQ(error.Message(), "Cannot save file \"" + path + "\": sample 3 is not a finite number");
    }
    EXPECT_EQ(ReadAll(path), "1\n2\n3\n");
    EXPECT_EQ(FolderEntries(std::filesystem::path(path).parent_path()), std::vector<std::string>{"keep.dat"});
}

// A text (a report) is saved the same way: it replaces the file whole, and a
// failure midway leaves the old one and no temporary.
TEST(SampleWriter, SavedTextReplacesTheFileOnlyWhenComplete) {
    const TempFolder folder;
    const std::string path = folder.Write("report.csv", "old\n");
    SaveText(path, "a,b\n1,2\n");
    EXPECT_EQ(ReadAll(path), "a,b\n1,2\n");

    const std::string message = MessageUnderSizeLimit([&] { SaveText(path, std::string(10000, 'x')); });
    EXPECT_EQ(message, "Cannot save file \"" + path + "\": File too large");
    EXPECT_EQ(ReadAll(path), "a,b\n1,2\n");
    EXPECT_EQ(FolderEntries(std::filesystem::path(path).parent_path()), std::vector<std::string>{"report.csv"});
}

// Whichever block a value that is not finite falls in, the error names it and
// what reached the descriptor is whole lines of the values before it.
TEST(SampleWriter, AValueNotFiniteInAnyBlockStopsTheWriteAfterWholeLines) {
    const TempFolder folder;
    for (const std::size_t bad : {std::size_t{0}, std::size_t{50000}, std::size_t{90001}, std::size_t{149999}}) {
        std::vector<double> values(150000, 0.1);
        values[bad] = std::numeric_limits<double>::quiet_NaN();
        const std::string path = folder.PathOf("partial.dat");
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        try {
            WriteSamples(fd, values, "out");
            ADD_FAILURE() << "a NaN at " << bad << " was written";
        } catch (const SampleWriteError& error) {
            EXPECT_EQ(error.Message(),
                      "Cannot save file \"out\": sample " + std::to_string(bad + 1) + " is not a finite number");
        }
        ::close(fd);
        const std::string text = ReadAll(path);
        const std::string before = FormatSamples(std::span(values).first(bad));
        EXPECT_EQ(text, before.substr(0, text.size())) << "NaN at " << bad;
        EXPECT_TRUE(text.empty() || text.back() == '\n') << "NaN at " << bad;
    }
}

TEST(SampleWriter, ReplacingKeepsThePermissionsOfTheOldFile) {
    const TempFolder folder;
    const std::string path = folder.Write("mode.dat", "old\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    SaveSamples(path, std::vector<double>{4.0});
    EXPECT_EQ(ReadAll(path), "4\n");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace analysis
