#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "analysis/SampleCount.h"
#include "analysis/SampleReader.h"
#include "SampleTexts.h"
#include "TempFolder.h"

namespace analysis {
namespace {

using test::RandomSampleText;
using test::TempFolder;

// The reader itself, with room for every number, is the reference count.
int64_t ReaderCount(const std::string& path, int32_t room) {
    std::vector<double> x(static_cast<std::size_t>(room));
    return ReadSamples(path, x.data(), room).stored;
}

// Blocks of 1 to 8 bytes cut every token, sign, exponent and line end; the
// count is still the reader's, as it is with blocks that hold the whole text.
TEST(SampleCount, EqualsTheReadersCountOnGeneratedTextsForEveryBlockSize) {
    const TempFolder folder;
    std::vector<std::size_t> blocks{64, std::size_t{1} << 20};
    for (std::size_t block = 1; block <= 8; ++block) blocks.push_back(block);
    // A mantissa too long for the quick checks, beyond the double range, at the end.
    std::vector<std::string> texts{std::string(310, '9'), "1 - " + std::string(310, '9')};
    std::mt19937 random(11);
    for (int round = 0; round < 600; ++round) texts.push_back(RandomSampleText(random));
    for (const std::string& text : texts) {
        const std::string path = folder.Write("t.dat", text);
        const int64_t expected = ReaderCount(path, 1000);
        for (const std::size_t block : blocks) {
            ASSERT_EQ(CountSamples(path, 1000, block), expected) << "block " << block << " text [" << text << "]";
        }
    }
}

TEST(SampleCount, StopsAtTheLimit) {
    const TempFolder folder;
    const std::string path = folder.Write("five.dat", "1 2 3 4 5\n");
    EXPECT_EQ(CountSamples(path, 3), 3);
    EXPECT_EQ(CountSamples(path, 1), 1);
    EXPECT_EQ(CountSamples(path, 100), 5);

    // Limits within and at the ends of a long run of numbers the quick scan reads.
    std::string many;
    for (int i = 0; i < 10000; ++i) many += std::to_string(7 * i - 30000) + ".5\n";
    const std::string manyPath = folder.Write("many.dat", many);
    for (const int64_t limit : {1, 4095, 4096, 4097, 8192, 9999, 10000, 10001}) {
        EXPECT_EQ(CountSamples(manyPath, limit), std::min<int64_t>(limit, 10000)) << limit;
    }
}

TEST(SampleCount, FileThatCannotBeReadNamesItAndTheReason) {
    const TempFolder folder;
    struct Case {
        std::string path;
        std::string message;
    };
    const std::string missing = folder.PathOf("missing.dat");
    const std::string directory = folder.PathOf("");
    for (const Case& c : {Case{missing, "Cannot open file \"" + missing + "\": No such file or directory"},
                          Case{directory, "Cannot read file \"" + directory + "\": Is a directory"}}) {
        try {
            CountSamples(c.path, 10);
            ADD_FAILURE() << c.path << " was counted";
        } catch (const UnreadableSampleFile& error) {
            EXPECT_EQ(error.Message(), c.message);
        }
    }
}

}  // namespace
}  // namespace analysis
