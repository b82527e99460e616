// What the batch command does with the files around it: inputs that are no
// regular files, a count that stops at text, outputs that would replace an
// input, links, long names, and the outputs of one input replaced together.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTestRun.h"
#include "batch/BatchRun.h"
#include "TempFolder.h"

namespace batch {
namespace {

using analysis::test::TempFolder;
using namespace batch::test;

std::string Numbers(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += std::to_string(i * 0.5) + "\n";
    return text;
}

// A pipe with no writer and the devices that never end are refused before
// anything is read from them, at once.
TEST(BatchFiles, InputsThatAreNoRegularFilesEndAtOnce) {
    const TempFolder folder;
    const std::string pipe = folder.PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& input : {pipe, std::string("/dev/null"), std::string("/dev/zero")}) {
        auto run = std::async(std::launch::async, [&] { return RunCommand({input, folder.PathOf("out.dat")}); });
        if (run.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << input << " blocks the batch";
            const int unblock = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (unblock >= 0) ::close(unblock);
        }
        const Outcome outcome = run.get();
        EXPECT_EQ(outcome.code, kExitUnreadableInput) << input;
        EXPECT_EQ(outcome.errors, "quelmar-batch: The file \"" + input + "\" is not a regular file\n");
    }
}

// The grid comes from the numbers a load reads; when they fill it exactly,
// the text that stopped the count is still told of.
TEST(BatchFiles, TheCountStopsWhereTheReaderDoes) {
    const TempFolder folder;
    const std::string outOfRange = "1" + std::string(309, '0');
    struct Case {
        std::string text;
        std::size_t samples;
        std::string warning;
    };
    const std::vector<Case> cases = {
        {Numbers(33) + outOfRange, 33,
         "Line 34: \"10000000000000000000\u2026\" is not a number or is out of range. "
         "The 33 numbers before it were read; the rest of the file was not."},
        {Numbers(33) + "abc 7 8\n", 33,
         "Line 34: \"abc\" is not a number or is out of range. "
         "The 33 numbers before it were read; the rest of the file was not."},
        {Numbers(30) + "abc\n", 33,
         "Line 31: \"abc\" is not a number or is out of range. "
         "30 of 33 samples were read; the remaining 3 are 0."},
    };
    for (const Case& c : cases) {
        const std::string input = folder.Write("in.dat", c.text);
        const std::string output = folder.PathOf("out.dat");
        const Outcome outcome = RunCommand({input, output});
        EXPECT_EQ(outcome.code, kExitDone);
        EXPECT_EQ(outcome.errors, c.warning.empty() ? "" : "quelmar-batch: \"" + input + "\": " + c.warning + "\n");
        const std::string result = ReadAll(output);
        EXPECT_EQ(static_cast<std::size_t>(std::count(result.begin(), result.end(), '\n')), c.samples);
    }
}

// Every way of naming an input as an output is refused before anything is
// written, and the input keeps its content.
TEST(BatchFiles, AnOutputThatIsAnInputIsRefused) {
    const TempFolder folder;
    const std::string text = Numbers(9);
    const std::string input = folder.Write("x.dat", text);
    const std::string link = folder.PathOf("link.dat");
    std::filesystem::create_symlink("x.dat", link);
    const std::string levels = folder.Write("level_1.dat", text);
    struct Case {
        std::vector<std::string> arguments;
        std::string output;
        std::string input;
    };
    const std::string dotted = folder.PathOf("./x.dat");
    const std::vector<Case> cases = {
        {{input, dotted}, dotted, input},
        {{input, link}, link, input},
        {{"--out-dir", folder.PathOf("."), input, levels}, folder.PathOf("./x.dat"), input},
        {{levels, folder.PathOf("r.dat"), "--coefficients", folder.PathOf("")}, levels, levels},
        {{input, folder.PathOf("r.dat"), "--auto", "--report", dotted}, dotted, input},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunCommand(c.arguments);
        EXPECT_EQ(outcome.code, kExitBadArguments) << c.output;
        EXPECT_EQ(outcome.errors, "quelmar-batch: the output \"" + c.output + "\" is the input \"" + c.input +
                                      "\", which it would replace\n");
        EXPECT_EQ(ReadAll(input), text);
        EXPECT_EQ(ReadAll(levels), text);
        EXPECT_FALSE(std::filesystem::exists(folder.PathOf("r.dat")));
    }
}

// A link is written through, in its target's folder, and stays a link; a
// name as long as the file system takes is written, its temporary being short.
TEST(BatchFiles, LinksAndLongNamesAreWrittenThrough) {
    const TempFolder folder;
    const std::string input = SampleFile("blocks_257.dat");
    std::filesystem::create_directory(folder.PathOf("real"));
    const std::string target = folder.Write("real/result.dat", "old\n");
    const std::string link = folder.PathOf("link.dat");
    std::filesystem::create_symlink("real/result.dat", link);
    ASSERT_EQ(RunCommand({input, link}).code, kExitDone);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(target), ReadAll(link));
    EXPECT_NE(ReadAll(target), "old\n");

    const std::string longName = folder.PathOf(std::string(251, 'n') + ".dat");
    ASSERT_EQ(RunCommand({input, longName}).code, kExitDone);
    EXPECT_EQ(ReadAll(longName), ReadAll(target));
    EXPECT_EQ(Entries(folder.PathOf("")),
              (std::vector<std::string>{"link.dat", std::string(251, 'n') + ".dat", "real", "real/result.dat"}));
}

// "-" as an input reads standard input and as an output writes standard
// output: each run gives there what the same run with files gives in them.
TEST(BatchFiles, StandardStreamsStandInForFiles) {
    const TempFolder folder;
    const std::string input = SampleFile("doppler_noisy_513.dat");
    const std::string out = folder.PathOf("out.dat");
    const std::string named = folder.PathOf("named");
    struct Case {
        std::vector<std::string> streamed;
        std::vector<std::string> named;
        std::string compared;  // the file that holds what the streamed run writes
    };
    const std::vector<Case> cases = {
        {{"--levels", "3", "--threshold", "10", input, "-"},
         {"--levels", "3", "--threshold", "10", input, named},
         named},
        {{"--auto", "--report", "-", input, out}, {"--auto", "--report", named, input, out}, named},
        {{"--rule", "sure", "--report-format=json", "--report", "-", input, out},
         {"--rule", "sure", "--report-format=json", "--report", named, input, out},
         named},
        {{"--threshold", "2", "--save-recipe", "-", input, out},
         {"--threshold", "2", "--save-recipe", named, input, out},
         named},
        {{"--plot", "-", "--plot-format", "svg", input, out}, {"--plot", named + ".svg", input, out}, named + ".svg"},
        {{"--rule", "bayes", "--shifts", "4", "-", out}, {"--rule", "bayes", "--shifts", "4", input, out}, out},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.streamed));
        const Outcome expected = RunCommand(c.named);
        ASSERT_EQ(expected.code, kExitDone) << expected.errors;
        const std::string content = ReadAll(c.compared);
        std::filesystem::remove(c.compared);
        const StreamedOutcome streamed = RunStreamed(c.streamed, ReadAll(input));
        EXPECT_EQ(streamed.code, kExitDone) << streamed.errors;
        EXPECT_EQ(streamed.output.empty() ? ReadAll(c.compared) : streamed.output, content);
    }
}

// When a coefficient file cannot be written, the result file written before
// it is not replaced either, and no temporary is left.
TEST(BatchFiles, TheOutputsOfAnInputAreReplacedTogether) {
    const TempFolder folder;
    const std::string result = folder.Write("result.dat", "old\n");
    const std::string coefficients = folder.PathOf("c");
    std::filesystem::create_directories(coefficients + "/level_2.dat");
    const Outcome outcome =
        RunCommand({"--levels", "2", SampleFile("blocks_257.dat"), result, "--coefficients", coefficients});
    EXPECT_EQ(outcome.code, kExitAnalysisFailed);
    EXPECT_EQ(outcome.errors, "quelmar-batch: \"" + SampleFile("blocks_257.dat") + "\": Cannot save file \"" +
                                  coefficients + "/level_2.dat\": Is a directory\n");
    EXPECT_EQ(ReadAll(result), "old\n");
    EXPECT_EQ(Entries(folder.PathOf("")), (std::vector<std::string>{"c", "c/level_2.dat", "result.dat"}));
}

}  // namespace
}  // namespace batch
