#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "analysis/io/ReadWarning.h"
#include "analysis/io/SampleReader.h"
#include "SampleTexts.h"
#include "TempFolder.h"

namespace analysis {
namespace {

using test::RandomSampleText;
using test::TempFolder;

// The reader itself, with room for every number, is the reference count.
ReadResult ReaderCount(const std::string& path, int32_t room) {
    std::vector<double> x(static_cast<std::size_t>(room));
    return ReadSamples(path, x.data(), room);
}

// Blocks of 1 to 8 bytes cut every token, sign, exponent and line end; the
// count stops where and as the reader does, as it does with blocks that hold
// the whole text.
TEST(SampleCount, EqualsTheReadersCountOnGeneratedTextsForEveryBlockSize) {
    const TempFolder folder;
    std::vector<std::size_t> blocks{64, std::size_t{1} << 20};
    for (std::size_t block = 1; block <= 8; ++block) blocks.push_back(block);
    // A number beyond the double range at the end, with and without a line end.
    const std::string huge = "1" + std::string(309, '0');
    std::vector<std::string> texts{huge, "1 2 " + huge, "1 2 " + huge + "\n", "1 - " + std::string(310, '9')};
    std::mt19937 random(11);
    for (int round = 0; round < 600; ++round) {
        // Some with a byte order mark, which only the very start skips.
        texts.push_back((round % 4 == 0 ? "\xEF\xBB\xBF" : "") + RandomSampleText(random));
    }
    for (const std::string& text : texts) {
        const std::string path = folder.Write("t.dat", text);
        const ReadResult expected = ReaderCount(path, 1000);
        for (const std::size_t block : blocks) {
            const ReadResult count = CountSamples(path, 1000, block);
            ASSERT_TRUE(count.stored == expected.stored && count.stop == expected.stop && count.line == expected.line &&
                        count.text == expected.text)
                << "block " << block << " text [" << text << "]: " << count.stored << " vs " << expected.stored;
        }
    }
}

TEST(SampleCount, StopsAtTheLimit) {
    const TempFolder folder;
    const std::string path = folder.Write("five.dat", "1 2 3 4 5\n");
    EXPECT_EQ(CountSamples(path, 3).stored, 3);
    EXPECT_EQ(CountSamples(path, 1).stored, 1);
    EXPECT_EQ(CountSamples(path, 100).stored, 5);

    // Limits within and at the ends of a long run of numbers the quick scan reads.
    std::string many;
    for (int i = 0; i < 10000; ++i) many += std::to_string(7 * i - 30000) + ".5\n";
    const std::string manyPath = folder.Write("many.dat", many);
    for (const int32_t limit : {1, 4095, 4096, 4097, 8192, 9999, 10000, 10001}) {
        EXPECT_EQ(CountSamples(manyPath, limit).stored, std::min(limit, 10000)) << limit;
    }
}

// The count opens what the reader opens: a folder, a pipe with no writer and
// a device are refused at once, in the window's words.
TEST(SampleCount, OnlyRegularFilesAreCounted) {
    const TempFolder folder;
    const std::string missing = folder.PathOf("missing.dat");
    const std::string pipe = folder.PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string directory = folder.PathOf("");
    for (const auto& [path, message] :
         {std::pair{missing, "Cannot open file \"" + missing + "\": No such file or directory"},
          std::pair{directory, "The file \"" + directory + "\" is not a regular file"},
          std::pair{pipe, "The file \"" + pipe + "\" is not a regular file"},
          std::pair{std::string("/dev/zero"), std::string("The file \"/dev/zero\" is not a regular file")}}) {
        EXPECT_EQ(DescribeFailedRead(path, CountSamples(path, 10)), message);
    }
}

}  // namespace
}  // namespace analysis
