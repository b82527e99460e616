// Inputs that are not sample files: imported with the options the window's
// import dialog offers, extended to the grid, and written back as n samples.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/session/AnalysisSession.h"
#include "analysis/io/SampleReader.h"
#include "batch/BatchCommand.h"
#include "BatchTestRun.h"
#include "import/GridExtension.h"
#include "RecordingSinks.h"
#include "TempFolder.h"
#include "analysis/io/SampleWriter.h"
#include "import/NpyArray.h"

namespace batch {
namespace {

using analysis::test::TempFolder;
using namespace batch::test;

std::vector<double> ReadBack(const std::string& path) {
    std::vector<double> values(5000);
    const analysis::ReadResult read = analysis::ReadSamples(path, values.data(), 5000);
    values.resize(static_cast<std::size_t>(read.stored));
    return values;
}

// The window's steps on the imported grid: load, decompose, threshold level
// 1, reconstruct; the first n samples of the reconstruction.
std::vector<double> WindowResult(const std::vector<double>& signal, importer::Extension extension) {
    analysis::test::CallLog log;
    analysis::test::RecordingPlot plot{"signal", log};
    analysis::test::RecordingPlot rebuilt{"reconstruction", log};
    analysis::test::RecordingPlot view{"view", log};
    analysis::test::RecordingControls controls{log};
    analysis::AnalysisSession session{plot, rebuilt, view, controls};
    const analysis::SignalSize size = importer::GridFor(static_cast<int64_t>(signal.size()));
    const importer::Samples grid =
        importer::ExtendToGrid(importer::Samples(signal.begin(), signal.end()), size.N, extension);
    session.LoadSignal(grid.data(), grid.size(), static_cast<int32_t>(signal.size()));
    session.Decompose(2);
    session.SelectViewLevel(0);
    session.ApplyThreshold(0, "0.5");
    session.Reconstruct();
    rebuilt.points.resize(signal.size());
    return rebuilt.points;
}

TEST(BatchImport, AColumnGivesTheWindowsResultOfItsNSamples) {
    const TempFolder folder;
    std::vector<double> signal;
    std::string csv = "\xEF\xBB\xBF# made by hand\ntime;level\n";
    for (int i = 0; i < 1000; ++i) {
        signal.push_back(0.25 * (i % 13) - 0.001 * i);
        std::ostringstream line;
        line.precision(17);
        line << i << ";" << signal.back() << "\r\n";
        std::string text = line.str();
        std::replace(text.begin() + static_cast<std::ptrdiff_t>(text.find(';')), text.end(), '.', ',');
        csv += text;
    }
    const std::string input = folder.Write("levels.csv", csv);
    for (const char* extend : {"reflect", "repeat", "zero"}) {
        const std::string output = folder.PathOf(std::string("out_") + extend + ".dat");
        const Outcome outcome = RunCommand(
            {"--levels", "3", "--threshold", "1=0.5", "--column", "level", "--extend", extend, input, output});
        EXPECT_EQ(outcome.code, kExitDone) << outcome.errors;
        EXPECT_EQ(outcome.errors, "quelmar-batch: \"" + input + "\": imported levels.csv, column \"level\" (2), " +
                                      "1000 samples, extended by " + extend + " to N = 1025\n");
        EXPECT_EQ(ReadBack(output), WindowResult(signal, *importer::ExtensionNamed(extend))) << extend;
    }
}

TEST(BatchImport, APlainSampleFileIsReadAsBefore) {
    const TempFolder folder;
    // Two numbers a line would be two columns to an import.
    const std::string input = folder.Write("pairs", "1 2\n3 4\n5 6\n7 8\n9 10\n");
    const std::string output = folder.PathOf("out.dat");
    for (const char* name : {"pairs.txt", "PAIRS.Dat"}) {
        const std::string copy = folder.PathOf(name);
        std::filesystem::copy_file(input, copy, std::filesystem::copy_options::overwrite_existing);
        EXPECT_EQ(RunCommand({"--levels", "1", copy, output}).code, kExitDone);
        EXPECT_EQ(ReadBack(output).size(), 17u) << name;
    }
    // With an import option the same file is a table of two columns.
    EXPECT_EQ(RunCommand({"--levels", "1", "--column", "1", folder.PathOf("pairs.txt"), output}).code, kExitDone);
    EXPECT_EQ(ReadBack(output), (std::vector<double>{1, 3, 5, 7, 9}));
}

TEST(BatchImport, BadImportOptionsAndFailedImportsSayWhy) {
    const TempFolder folder;
    const std::string good = folder.Write("good.csv", "1\n2\n3\n");
    const std::string bad = folder.Write("bad.csv", "t,v\n0,1\n1,abc\n");
    const std::string output = folder.PathOf("out.dat");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--extend", "wrap", good}, "--extend: 'wrap' is not reflect, repeat or zero"},
        {{"--delimiter", "|", good}, "--delimiter: '|' is not , ; tab or space"},
        {{"--format", "xls", good}, "--format: 'xls' is not text, csv, audio, mat or npy"},
        {{"--channel", "left", good}, "--channel: 'left' is not a channel from 1, mean or all"},
        {{"--skip-lines", "-1", good}, "--skip-lines: '-1' is not a number of lines"},
        {{"--gaps", "zero", good}, "--gaps: 'zero' is not fill, drop or refuse"},
        {{"--axis", "diagonal", good}, "--axis: 'diagonal' is not rows or columns"},
        {{"--count", "9", "--column", "1", good},
         "--count sets a sample file's count; an imported signal's grid follows its length"},
    };
    for (const auto& [arguments, message] : cases) {
        const Outcome outcome = RunCommand(arguments);
        EXPECT_EQ(outcome.code, kExitBadArguments);
        EXPECT_EQ(outcome.errors.substr(0, outcome.errors.find('\n')), "quelmar-batch: " + message);
    }
    const Outcome failed = RunCommand({bad, output});
    EXPECT_EQ(failed.code, kExitUnreadableInput);
    EXPECT_EQ(failed.errors, "quelmar-batch: Cannot import \"bad.csv\": line 3, column 2: \"abc\" is not a number\n");
    EXPECT_FALSE(std::filesystem::exists(output));
}

}  // namespace
}  // namespace batch

namespace batch {
namespace {

// Every channel of a file is a column of the table, each what that channel
// gives alone, and each report row that run's.
TEST(BatchImport, EachChannelsColumnIsWhatTheChannelGivesAlone) {
    const TempFolder folder;
    const std::string stereo = std::string(QUELMAR_SOURCE_DIR) + "/tests/import/files/stereo.wav";
    const Outcome all = RunCommand(
        {"--channel", "all", "--rule", "sure", "--report", folder.PathOf("all.csv"), stereo, folder.PathOf("t.csv")});
    ASSERT_EQ(all.code, kExitDone) << all.errors;
    std::istringstream table(ReadAll(folder.PathOf("t.csv")));
    std::string header;
    std::getline(table, header);
    std::vector<std::string> columns(2);
    for (std::string line; std::getline(table, line);) {
        const std::size_t comma = line.find(',');
        ASSERT_NE(comma, std::string::npos) << line;
        columns[0] += line.substr(0, comma) + "\n";
        columns[1] += line.substr(comma + 1) + "\n";
    }
    ASSERT_EQ(RunCommand({"--channel", "all", "--rule", "sure", stereo, folder.PathOf("t.npy")}).code, kExitDone);
    const std::string npy = ReadAll(folder.PathOf("t.npy"));
    std::string rows;
    for (const std::string channel : {"1", "2"}) {
        const std::string single = folder.PathOf("channel" + channel);
        const Outcome alone = RunCommand(
            {"--channel", channel, "--rule", "sure", "--report", single + ".csv", "--out-dir", single, stereo});
        ASSERT_EQ(alone.code, kExitDone) << alone.errors;
        EXPECT_EQ(columns[std::stoul(channel) - 1], ReadAll(single + "/stereo.wav")) << channel;
        const importer::Samples column = importer::ParseNpy(npy, std::stoll(channel), importer::ArrayAxis::Columns);
        EXPECT_EQ(analysis::FormatSamples(std::span(column.data(), column.size())), ReadAll(single + "/stereo.wav"));
        const std::string report = ReadAll(single + ".csv");
        rows += (rows.empty() ? report : report.substr(report.find('\n') + 1));
    }
    EXPECT_EQ(ReadAll(folder.PathOf("all.csv")), rows);
}

}  // namespace
}  // namespace batch
