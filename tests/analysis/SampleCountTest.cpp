#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/SampleCount.h"
#include "analysis/SampleReader.h"
#include "TempFolder.h"

namespace analysis {
namespace {

using test::TempFolder;

// The reader itself, with room for every number, is the reference count.
int64_t ReaderCount(const std::string& path, int32_t room)
{
    std::vector<double> x(static_cast<std::size_t>(room));
    return ReadSamples(path, x.data(), room).stored;
}

// Texts built from pieces that meet every rule of the number syntax: signs
// with blanks after them, points, exponents with and without digits, values
// beyond and below the double range, long mantissas, words and Ctrl-Z.
std::string RandomText(std::mt19937& random)
{
    static const std::vector<std::string> pieces = {
        "1", "23", "-", "+", " ", "\n", "\t", "\r\n", ".", "e", "E", "5", "0", "x", "1e400", "1e-400", "-1e308",
        "1.7976931348623157e308", "1.8e308", "2e307", std::string(310, '9'), "0." + std::string(400, '0') + "1",
        std::string(250, '1') + "e-100", "e5", "1e+", "3e-2", ".25", "5.", "\x1A", "nan", ",", "1e999", "00001",
    };
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 40);
    std::string text;
    for (int i = length(random); i > 0; --i) {
        text += pieces[pick(random)];
        // Mostly well separated numbers, so that the counts grow beyond one.
        if (random() % 3 != 0) text += random() % 2 ? " " : "\n";
    }
    return text;
}

TEST(SampleCount, EqualsTheReadersCountOnGeneratedTextsForEveryBlockSize)
{
    const TempFolder folder;
    std::mt19937 random(11);
    for (int round = 0; round < 600; ++round) {
        const std::string text = RandomText(random);
        const std::string path = folder.Write("t.dat", text);
        const int64_t expected = ReaderCount(path, 1000);
        for (const std::size_t block : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7},
                                        std::size_t{64}, std::size_t{1} << 20}) {
            ASSERT_EQ(CountSamples(path, 1000, block), expected) << "block " << block << " text [" << text << "]";
        }
    }
}

TEST(SampleCount, StopsAtTheLimit)
{
    const TempFolder folder;
    const std::string path = folder.Write("five.dat", "1 2 3 4 5\n");
    EXPECT_EQ(CountSamples(path, 3), 3);
    EXPECT_EQ(CountSamples(path, 1), 1);
    EXPECT_EQ(CountSamples(path, 100), 5);
}

TEST(SampleCount, FileThatCannotBeReadNamesItAndTheReason)
{
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
