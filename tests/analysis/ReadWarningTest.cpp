#include <gtest/gtest.h>

#include <string>

#include "analysis/ReadWarning.h"

namespace analysis {
namespace {

ReadResult Stopped(ReadStop stop, int32_t stored)
{
    ReadResult result;
    result.stop = stop;
    result.stored = stored;
    return result;
}

TEST(ReadWarning, CompleteReadNeedsNoWarning)
{
    EXPECT_EQ(DescribeIncompleteRead("a.dat", Stopped(ReadStop::Complete, 5), 5), "");
}

TEST(ReadWarning, EachReasonNamesFileCountAndCause)
{
    EXPECT_EQ(DescribeIncompleteRead("/data/a.dat", Stopped(ReadStop::FileEnded, 3), 9),
              "\"/data/a.dat\": The file ends after 3 numbers. 3 of 9 samples were read; the remaining 6 are 0.");
    EXPECT_EQ(DescribeIncompleteRead("a.dat", Stopped(ReadStop::CannotOpen, 0), 513),
              "\"a.dat\": The file could not be opened. 0 of 513 samples were read; all samples are 0.");
    EXPECT_EQ(DescribeIncompleteRead("a.dat", Stopped(ReadStop::ReadFailed, 1), 5),
              "\"a.dat\": Reading the file failed after 1 number. 1 of 5 samples were read; the remaining 4 are 0.");
    ReadResult word = Stopped(ReadStop::NotANumber, 0);
    word.line = 12;
    word.text = "abc";
    EXPECT_EQ(DescribeIncompleteRead("a.dat", word, 5),
              "\"a.dat\": Line 12: \"abc\" is not a number or is out of range. 0 of 5 samples were read; all samples "
              "are 0.");
}

}  // namespace
}  // namespace analysis
