#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/session/AnalysisSession.h"
#include "analysis/io/SampleReader.h"
#include "analysis/denoise/AutoChoice.h"
#include "BatchTestRun.h"
#include "batch/BatchOptions.h"
#include "import/NpyArray.h"
#include "recipe/Sha256.h"
#include "batch/BatchCommand.h"
#include "RecordingSinks.h"
#include "TempFolder.h"

namespace batch {
namespace {

using analysis::test::TempFolder;
using namespace batch::test;

class KeepResults : public InputResultSink {
public:
    void Take(const InputResult& result) override { results.push_back(result); }
    std::vector<InputResult> results;
};

std::vector<double> ReadBack(const std::string& path, int32_t n) {
    std::vector<double> values(static_cast<std::size_t>(n) + 1, 42.0);
    const analysis::ReadResult read = analysis::ReadSamples(path, values.data(), n + 1);
    values.resize(static_cast<std::size_t>(read.stored));
    return values;
}

// Equal to the last bit, signed zeros included.
void ExpectSameBits(const std::vector<double>& actual, const std::vector<double>& expected, const std::string& what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    std::size_t differ = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        differ += std::bit_cast<uint64_t>(actual[i]) != std::bit_cast<uint64_t>(expected[i]);
    }
    EXPECT_EQ(differ, 0u) << what;
}

// The window's way: the count box, Load, a level and Decompose, then for each
// level to threshold its pick in the view list, the threshold box and
// Thresholding, then Reconstruct.
struct WindowRun {
    analysis::test::CallLog log;
    analysis::test::RecordingPlot signal{"signal", log};
    analysis::test::RecordingPlot reconstruction{"reconstruction", log};
    analysis::test::RecordingPlot view{"view", log};
    analysis::test::RecordingControls controls{log};
    analysis::AnalysisSession session{signal, reconstruction, view, controls};
    std::vector<std::vector<double>> coefficients;

    // thresholds[k - 1]: the text for view item k, "" for none.
    void Drive(const std::string& file, const std::string& count, int32_t levels, std::vector<std::string> thresholds) {
        session.Load(count, file);
        session.Decompose(levels - 1);
        thresholds.resize(static_cast<std::size_t>(levels) + 1);
        for (int32_t item = 0; item <= levels; ++item) {
            if (thresholds[static_cast<std::size_t>(item)].empty()) continue;
            session.SelectViewLevel(item);
            session.ApplyThreshold(item, thresholds[static_cast<std::size_t>(item)]);
        }
        for (int32_t item = 0; item <= levels; ++item) {
            session.SelectViewLevel(item);
            coefficients.push_back(view.points);
        }
        session.Reconstruct();
    }
};

TEST(BatchRun, EachBundledSampleGivesTheWindowsNumbersBitForBit) {
    struct Case {
        std::string file;
        std::vector<std::string> options;
        std::string count;  // what the count box holds in the window
        int32_t levels;
        std::vector<std::string> thresholds;
    };
    const std::vector<Case> cases = {
        {"doppler_noisy_513.dat", {"--levels", "3", "--threshold", "10"}, "513", 3, {"10", "10", "10"}},
        {"chirp_noisy_1025.dat",
         {"--levels=4", "--threshold", "3=2.5", "--threshold", "1=0.75", "--threshold", "5=1e-3"},
         "1025",
         4,
         {"0.75", "", "2.5", "", "1e-3"}},
        {"blocks_257.dat", {"--threshold", "0.5"}, "257", 8, {"0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5", "0.5"}},
        // A count below the file's: the first 129 samples, as the window's count box would take them.
        {"blocks_257.dat", {"--count", "100", "--levels", "2", "--threshold", "3=1"}, "100", 2, {"", "", "1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + ::testing::PrintToString(c.options));
        const TempFolder folder;
        const std::string output = folder.PathOf("out.dat");
        const std::string coefficients = folder.PathOf("coefficients");
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--coefficients", coefficients, SampleFile(c.file), output});
        KeepResults kept;
        const Outcome outcome = RunCommand(arguments, &kept);
        ASSERT_EQ(outcome.code, kExitDone) << outcome.errors;
        ASSERT_EQ(kept.results.size(), 1u);

        WindowRun window;
        window.Drive(SampleFile(c.file), c.count, c.levels, c.thresholds);
        const int32_t n = window.session.N();
        ExpectSameBits(kept.results[0].signal, window.signal.points, "signal");
        ExpectSameBits(kept.results[0].reconstruction, window.reconstruction.points, "reconstruction");
        ExpectSameBits(ReadBack(output, n), window.reconstruction.points, "written reconstruction");
        ASSERT_EQ(kept.results[0].coefficients.size(), window.coefficients.size());
        for (std::size_t item = 0; item < window.coefficients.size(); ++item) {
            const std::string name = item + 1 < window.coefficients.size()
                                         ? "level_" + std::to_string(item + 1) + ".dat"
                                         : "approximation.dat";
            ExpectSameBits(ReadBack(coefficients + "/" + name, n), window.coefficients[item], name);
        }
    }
}

// A rule gives each level its own threshold: the batch's result is the entry
// point's, bit for bit, with --threshold K=T overriding the rule for item K.
TEST(BatchRun, RulesGiveTheDenoisingEntryPointsResult) {
    struct Case {
        std::vector<std::string> options;
        analysis::DenoiseOptions settings;
    };
    using analysis::Shrink;
    using analysis::ThresholdRule;
    const std::vector<Case> cases = {
        {{"--universal"}, {0, ThresholdRule::Universal, Shrink::Hard, 0, 1, {}}},
        {{"--auto"}, {0, analysis::kAutoRule, analysis::kAutoShrink, 0, analysis::kAutoShifts, {}}},
        {{"--auto", "--shifts", "3"}, {0, analysis::kAutoRule, analysis::kAutoShrink, 0, 3, {}}},
        {{"--rule=sure", "--shrink", "soft", "--levels", "4"}, {4, ThresholdRule::Sure, Shrink::Soft, 0, 1, {}}},
        {{"--rule", "bayes", "--shifts=4", "--threshold", "2=0"},
         {0,
          ThresholdRule::Bayes,
          Shrink::Hard,
          0,
          4,
          {std::nullopt, 0.0, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
           std::nullopt, std::nullopt}}},
        {{"--threshold", "2.5", "--shrink", "soft"}, {0, ThresholdRule::Fixed, Shrink::Soft, 2.5, 1, {}}},
    };
    const std::string input = SampleFile("doppler_noisy_513.dat");
    std::vector<double> samples(513);
    analysis::ReadSamples(input, samples.data(), 513);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.options));
        const TempFolder folder;
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--report", folder.PathOf("report.csv"), input, folder.PathOf("out.dat")});
        const Outcome outcome = RunCommand(arguments);
        ASSERT_EQ(outcome.code, kExitDone) << outcome.errors;
        const analysis::DenoiseOptions settings =
            c.options[0] == "--auto" ? analysis::ChooseAutomatically(samples.data(), 9, c.settings, {}).options
                                     : c.settings;
        const analysis::DenoiseResult expected = analysis::Denoise(samples.data(), 9, settings);
        ExpectSameBits(ReadBack(folder.PathOf("out.dat"), 513), expected.signal, "denoised");
        // One report line per level on standard error and in the CSV.
        std::ifstream report(folder.PathOf("report.csv"));
        std::string line;
        std::getline(report, line);
        EXPECT_EQ(line, "input,level,sigma,threshold,zeroed,total,energy_kept,risk");
        for (const analysis::LevelReport& level : expected.levels) {
            ASSERT_TRUE(std::getline(report, line));
            const std::string start = input + "," + std::to_string(level.level) + ",";
            EXPECT_EQ(line.substr(0, start.size()), start);
            const std::string counts = "," + std::to_string(level.zeroed) + "," + std::to_string(level.total) + ",";
            EXPECT_NE(line.find(counts), std::string::npos) << line;
            const std::string said = "level " + std::to_string(level.level) + ": sigma ";
            EXPECT_TRUE(level.level > 9 || outcome.errors.find(said) != std::string::npos) << outcome.errors;
        }
        EXPECT_FALSE(std::getline(report, line)) << line;
        EXPECT_EQ(c.options[0] == "--auto", outcome.errors.find("(--auto)") != std::string::npos) << outcome.errors;
    }
}

TEST(BatchRun, ShortFileWarnsInTheWindowsWordsAndStillWrites) {
    const TempFolder folder;
    const std::string input = folder.Write("short.dat", "1 2 3 4 5 6\n");
    const std::string output = folder.PathOf("out.dat");
    const Outcome outcome = RunCommand({"--count", "9", input, output});
    EXPECT_EQ(outcome.code, kExitDone);
    EXPECT_EQ(outcome.errors,
              "quelmar-batch: \"" + input +
                  "\": The file ends after 6 numbers. 6 of 9 samples were read; the remaining 3 are 0.\n");
    EXPECT_EQ(ReadBack(output, 9).size(), 9u);
}

TEST(BatchRun, BadArgumentsExitOneWithAMessageAndWriteNothing) {
    const TempFolder folder;
    const std::string input = SampleFile("doppler_noisy_513.dat");  // J = 9
    const std::string out = folder.PathOf("out");
    std::filesystem::create_directory(out);
    const std::string message = "quelmar-batch: ";
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const std::string result = out + "/result.dat";
    const std::vector<Case> cases = {
        {{"--frobnicate", input, result}, "unknown option --frobnicate"},
        {{input, result, "--count"}, "option --count needs a value"},
        {{input, result, "--threshold"}, "option --threshold needs a value"},
        {{"--count", "12x", input, result}, "--count: '12x' is not a valid integer value"},
        {{"--threshold", "ten", input, result}, "--threshold: 'ten' is not a valid floating point value"},
        {{"--threshold", "2=1,5", input, result}, "--threshold 2=1,5: '1,5' is not a valid floating point value"},
        {{"--threshold", "0=1", input, result}, "--threshold 0=1: '0' is not a view item from 1 to 27"},
        // Beyond the deepest decomposition of any file.
        {{"--threshold", "28=1", input, result}, "--threshold 28=1: '28' is not a view item from 1 to 27"},
        {{"--levels", "3", "--threshold", "5=1", input, result},
         "--threshold 5=: the levels are 1 ... 3 and 4 for the approximation"},
        // Beyond this file's J = 9 (view items 1 ... 10), known only from the file.
        {{"--threshold", "11=1", input, result},
         "--threshold 11=: \"" + input +
             "\" (N = 513) in 9 levels has the view items 1 ... 10 (10: the approximation)"},
        {{"--levels", "10", input, result}, "--levels 10: \"" + input + "\" (N = 513) has the levels 1 ... 9"},
        {{"--levels", "0", input, result}, "--levels: '0' is not a number of levels from 1 to 26"},
        {{"--universal", "--threshold", "3", input, result},
         "--universal and --threshold T both set the threshold of every level; give one"},
        {{"--auto", "--threshold", "3", input, result},
         "--auto and --threshold T both set the threshold of every level; give one"},
        {{"--rule", "minimax", input, result}, "--rule: 'minimax' is not one of universal, sure, bayes"},
        {{"--universal", "--rule", "sure", input, result}, "the rule is given twice (--universal is --rule universal)"},
        {{"--auto", "--shrink", "medium", input, result}, "--shrink: 'medium' is not hard or soft"},
        {{"--auto", "--shifts", "0", input, result}, "--shifts: '0' is not a number of shifts from 1 to 256"},
        {{"--auto", "--shifts", "257", input, result}, "--shifts: '257' is not a number of shifts from 1 to 256"},
        {{"--shifts", "4", input, result}, "--shrink and --shifts need a threshold: --auto, --rule or --threshold T"},
        {{"--wiener", input, result}, "--wiener needs a threshold: --auto, --rule or --threshold T"},
        {{"--auto", "--wavelet", "db4", input, result}, "--wavelet: 'db4' is not linear, haar or cubic"},
        {{"--auto=1", input, result}, "option --auto takes no value"},
        {{"--threshold", "2", "--report", out + "/r.csv", input, result},
         "--report FILE reports a denoising: give --auto, --rule, --shrink or --shifts"},
        {{input, input, input}, "more than one input needs --out-dir DIR"},
        {{input, SampleFile("blocks_257.dat"), "--out-dir", out, "--coefficients", out, input},
         "two inputs would both be written to \"" + out + "/doppler_noisy_513.dat\""},
        {{"--levels", "3"}, "no input file"},
        {{"--plot", out + "/charts.jpg", input, result},
         "--plot: '" + out + "/charts.jpg' is not a .png, .svg or .pdf file name"},
        {{"--plot", out + "/.png", input, result}, "--plot: '" + out + "/.png' is not a .png, .svg or .pdf file name"},
        {{"--plot", out + "/c.png", "--plot-level", "0", input, result},
         "--plot-level: '0' is not a view item from 1 to 27"},
        {{"--plot", out + "/c.png", "--plot-level", "28", input, result},
         "--plot-level: '28' is not a view item from 1 to 27"},
        {{"--plot-level", "2", input, result}, "--plot-level K needs --plot FILE"},
        {{"--levels", "2", "--plot", out + "/c.png", "--plot-level", "4", input, result},
         "--plot-level 4: the levels are 1 ... 2 and 3 for the approximation"},
        {{"--plot", out + "/c.svg", "--plot-level", "11", input, result},
         "--plot-level 11: \"" + input +
             "\" (N = 513) in 9 levels has the view items 1 ... 10 (10: the approximation)"},
        {{"--plot", out + "/c.pdf", "--out-dir", out, input, SampleFile("blocks_257.dat")},
         "--plot FILE draws one input; 2 are given"},
        {{"--plot", out + "/./result.png", input, out + "/result.png"},
         "the picture and the result would both be written to \"" + out + "/result.png\""},
        {{"--auto", "--report", "-", input},
         "the result and --report - would both go to standard output; name a "
         "file for one of them"},
        {{"--auto", "--save-recipe", "-", "--plot", "-", "--plot-format", "png", input, result},
         "--save-recipe - and --plot - would both go to standard output; name a file for one of them"},
        {{"--plot", "-", input, result},
         "--plot -: standard output has no name to tell the format by; give --plot-format png, svg or pdf"},
        {{"--coefficients", "-", input, result}, "--coefficients: standard output (\"-\") is not a folder"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = RunCommand(c.arguments);
        EXPECT_EQ(outcome.code, kExitBadArguments) << c.error;
        EXPECT_EQ(outcome.errors.substr(0, outcome.errors.find('\n')), message + c.error);
        EXPECT_EQ(Entries(out), std::vector<std::string>{}) << c.error;
    }
}

TEST(BatchRun, UnreadableInputsExitTwoAndTheOthersAreProcessed) {
    const TempFolder folder;
    const std::string out = folder.PathOf("out");
    const std::string missing = folder.PathOf("missing.dat");
    const std::string header = folder.Write("header.dat", "time value\n1 2\n");
    const Outcome outcome = RunCommand({"--levels", "3", "--out-dir", out, missing, SampleFile("blocks_257.dat"),
                                        header, SampleFile("doppler_noisy_513.dat"), "--coefficients", out + "/c"});
    EXPECT_EQ(outcome.code, kExitUnreadableInput);
    EXPECT_EQ(outcome.errors, "quelmar-batch: Cannot open file \"" + missing +
                                  "\": No such file or directory\n"
                                  "quelmar-batch: The file \"" +
                                  header + "\" holds no samples: the text \"time\" at line 1 is not a number\n");
    // Results, with the coefficient files in a folder of each input's name.
    EXPECT_EQ(Entries(out),
              (std::vector<std::string>{"blocks_257.dat", "c", "c/blocks_257.dat", "c/blocks_257.dat/approximation.dat",
                                        "c/blocks_257.dat/level_1.dat", "c/blocks_257.dat/level_2.dat",
                                        "c/blocks_257.dat/level_3.dat", "c/doppler_noisy_513.dat",
                                        "c/doppler_noisy_513.dat/approximation.dat",
                                        "c/doppler_noisy_513.dat/level_1.dat", "c/doppler_noisy_513.dat/level_2.dat",
                                        "c/doppler_noisy_513.dat/level_3.dat", "doppler_noisy_513.dat"}));
}

// Inputs run at once say, write and report what they do one by one: with
// inputs unreadable, warned of, short and whole; and, all read, the report.
TEST(BatchRun, InputsRunAtOnceGiveWhatTheyGiveOneByOne) {
    const TempFolder folder;
    const std::vector<std::string> read{folder.Write("tail.dat", "1 2 3 4 5 6 7 8 9 x\n"),
                                        folder.Write("short.dat", "1 2 3 4 5 6\n"), SampleFile("blocks_257.dat"),
                                        SampleFile("doppler_noisy_513.dat"), SampleFile("chirp_noisy_1025.dat")};
    std::vector<std::string> all{folder.PathOf("missing.dat"), folder.Write("header.dat", "time value\n1 2\n")};
    all.insert(all.begin() + 1, read.begin(), read.end());
    std::vector<std::string> said;
    for (const std::string jobs : {"1", "3"}) {
        for (const auto& inputs : {all, read}) {
            const std::string out = folder.PathOf("out" + jobs);
            std::vector<std::string> arguments{"--jobs",   jobs,          "--rule",          "sure", "--out-dir", out,
                                               "--report", out + ".json", "--report-format", "json"};
            arguments.insert(arguments.end(), inputs.begin(), inputs.end());
            const Outcome outcome = RunCommand(arguments);
            said.push_back(std::regex_replace(std::to_string(outcome.code) + outcome.errors + ReadAll(out + ".json"),
                                              std::regex("out" + jobs), "out"));
        }
    }
    EXPECT_EQ(said[0].substr(0, 1), std::to_string(kExitUnreadableInput));
    EXPECT_NE(said[0].find("tail.dat\": Line 1: \"x\""), std::string::npos) << said[0];
    EXPECT_EQ(said[2], said[0]);
    EXPECT_EQ(said[3], said[1]);
    EXPECT_EQ(Entries(folder.PathOf("out3")), Entries(folder.PathOf("out1")));
    for (const std::string& name : Entries(folder.PathOf("out1"))) {
        EXPECT_EQ(ReadAll(folder.PathOf("out3/" + name)), ReadAll(folder.PathOf("out1/" + name))) << name;
    }
}

// An .npy result holds the doubles the text result reads back as.
TEST(BatchRun, AnNpyResultHoldsTheTextResultsDoubles) {
    const TempFolder folder;
    const std::string input = SampleFile("doppler_noisy_513.dat");
    ASSERT_EQ(RunCommand({"--auto", input, folder.PathOf("out.dat")}).code, kExitDone);
    ASSERT_EQ(RunCommand({"--auto", input, folder.PathOf("out.NPY"), "--save-recipe", folder.PathOf("r.json")}).code,
              kExitDone);
    const Outcome replayed = RunCommand({"--recipe", folder.PathOf("r.json"), "--verify"});
    EXPECT_EQ(replayed.code, kExitDone) << replayed.errors;
    const StreamedOutcome streamed = RunStreamed({"--auto", "--output-format", "npy", "-"}, ReadAll(input));
    ASSERT_EQ(streamed.code, kExitDone) << streamed.errors;
    const std::vector<double> text = ReadBack(folder.PathOf("out.dat"), 513);
    for (const std::string& bytes : {ReadAll(folder.PathOf("out.NPY")), streamed.output}) {
        const importer::Samples npy = importer::ParseNpy(bytes, 0);
        ExpectSameBits(std::vector<double>(npy.begin(), npy.end()), text, "the .npy");
    }
    EXPECT_EQ(RunCommand({"--output-format", "npy", "--threshold", "1", "--save-recipe", folder.PathOf("r.json"), input,
                          folder.PathOf("out2.dat")})
                  .code,
              kExitBadArguments);
}

// The keys between {"inputs" and }]}]} in a text, in order.
std::vector<std::string> DocumentedKeys(const std::string& text) {
    const std::size_t start = text.find("{\"inputs\"");
    const std::string block = text.substr(start, text.find("}]}]}", start) - start);
    const std::regex key("\"([a-z_0-9]+)\"");
    std::vector<std::string> keys;
    for (auto at = std::sregex_iterator(block.begin(), block.end(), key); at != std::sregex_iterator(); ++at) {
        keys.push_back((*at)[1]);
    }
    return keys;
}

// Each object's keys, in order, each followed by those of its value (of an
// array's first element).
void KeysOf(const nlohmann::ordered_json& value, std::vector<std::string>& keys) {
    if (value.is_array() && !value.empty()) return KeysOf(value.front(), keys);
    if (!value.is_object()) return;
    for (const auto& [name, item] : value.items()) {
        keys.push_back(name);
        KeysOf(item, keys);
    }
}

// The JSON report holds the keys --help and the README name, and the
// SHA-256 of each file written.
TEST(BatchRun, TheJsonReportHoldsTheDocumentedKeys) {
    const TempFolder folder;
    const std::string report = folder.PathOf("report.json");
    const Outcome outcome = RunCommand({"--auto", "--report-format", "json", "--report", report, "--coefficients",
                                        folder.PathOf("c"), SampleFile("blocks_257.dat"), folder.PathOf("out.dat")});
    ASSERT_EQ(outcome.code, kExitDone) << outcome.errors;
    const auto json = nlohmann::ordered_json::parse(ReadAll(report));
    std::vector<std::string> keys;
    KeysOf(json, keys);
    EXPECT_EQ(keys, DocumentedKeys(BatchUsage()));
    EXPECT_EQ(keys, DocumentedKeys(ReadAll(std::string(QUELMAR_SOURCE_DIR) + "/README.md")));
    const auto& outputs = json["inputs"][0]["outputs"];
    EXPECT_EQ(outputs.size(), 10u);  // the result and 9 view items
    for (const auto& file : outputs) EXPECT_EQ(file["sha256"], recipe::Sha256Hex(ReadAll(file["file"])));
}

// A run that fails leaves its report as it was, as a failed input's files.
TEST(BatchRun, AFailedRunLeavesItsReportAsItWas) {
    const TempFolder folder;
    const std::string report = folder.Write("report.csv", "old");
    const Outcome outcome = RunCommand({"--auto", "--report", report, "--out-dir", folder.PathOf("out"),
                                        folder.PathOf("missing.dat"), SampleFile("blocks_257.dat")});
    EXPECT_EQ(outcome.code, kExitUnreadableInput);
    EXPECT_NE(outcome.errors.find("report.csv\" is left as it was"), std::string::npos) << outcome.errors;
    EXPECT_EQ(ReadAll(report), "old");
    EXPECT_TRUE(std::filesystem::exists(folder.PathOf("out/blocks_257.dat")));
}
}  // namespace
}  // namespace batch
