#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "SessionFixture.h"
#include "framework/core/Exceptions.h"

namespace analysis::test {
namespace {

using Calls = std::vector<std::string>;

// Everything a load does once the file is read, in order: a fresh analysis,
// the plotted signal, Decompose enabled.
Calls LoadedCalls(int32_t n, int32_t j) {
    return {"view.Clear",
            "ShowCount(" + std::to_string(n) + ")",
            "SetLevelChoices(" + std::to_string(j) + ")",
            "SetViewChoices(0)",
            "reconstruction.Clear",
            "ShowMean()",
            "EnableThreshold(0)",
            "EnableReconstruct(0)",
            "signal.Clear",
            "signal.AddArray(" + std::to_string(n - 1) + ")",
            "EnableDecompose(1)"};
}

TEST_F(SessionTest, StartsEmpty) {
    EXPECT_EQ(session_.N(), 0);
    EXPECT_EQ(session_.J(), 0);
    EXPECT_EQ(session_.Levels(), -1);
    EXPECT_EQ(session_.ViewedLevel(), -1);
    EXPECT_EQ(session_.Threshold(), 0.0);
    EXPECT_EQ(session_.Samples(), nullptr);
    EXPECT_EQ(session_.View().Count(), 0);
    EXPECT_TRUE(log_.empty());
}

TEST_F(SessionTest, LoadReadsPlotsAndEnablesDecompose) {
    const std::vector<double> values = Ramp(513);
    session_.Load("513", WriteSamples(values));
    EXPECT_EQ(log_, LoadedCalls(513, 9));
    EXPECT_EQ(session_.N(), 513);
    EXPECT_EQ(session_.J(), 9);
    EXPECT_EQ(Buffer(), values);
    EXPECT_EQ(signal_.points, values);
    EXPECT_TRUE(controls_.warnings.empty());
}

TEST_F(SessionTest, SignalPlotOutOfMemoryKeepsTheLoadedSignalUsable) {
    const std::vector<double> values = Ramp(17);
    signal_.outOfMemory = true;
    EXPECT_THROW(session_.Load("17", WriteSamples(values)), fw::EOutOfMemory);
    // Loaded, but no partial plot; Decompose is offered all the same.
    EXPECT_EQ(session_.N(), 17);
    EXPECT_EQ(Buffer(), values);
    EXPECT_TRUE(signal_.points.empty());
    ASSERT_GE(log_.size(), 3u);
    EXPECT_EQ(log_[log_.size() - 3], "signal.AddArray(16)");
    EXPECT_EQ(log_[log_.size() - 2], "signal.Clear");
    EXPECT_EQ(log_.back(), "EnableDecompose(1)");
}

TEST_F(SessionTest, EmptyCountTextDoesNothing) {
    LoadValues(Ramp(5));
    session_.Load("", WriteSamples(Ramp(9)));
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(session_.N(), 5);
}

TEST_F(SessionTest, BadCountTextClearsOnlyTheView) {
    LoadValues(Ramp(9));
    const std::vector<double> before = Buffer();
    for (const std::string text : {"abc", " ", "5 ", "1.5", "99999999999"}) {
        log_.clear();
        try {
            session_.Load(text, WriteSamples(Ramp(17)));
            ADD_FAILURE() << "accepted " << text;
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
        }
        EXPECT_EQ(log_, Calls{"view.Clear"}) << text;
    }
    EXPECT_EQ(session_.N(), 9);
    EXPECT_EQ(session_.J(), 3);
    EXPECT_EQ(Buffer(), before);
}

TEST_F(SessionTest, SmallCountsGiveFiveSamples) {
    for (const std::string text : {"0", "-7", "5", "$3"}) {
        log_.clear();
        session_.Load(text, WriteSamples(Ramp(5)));
        EXPECT_EQ(log_, LoadedCalls(5, 2)) << text;
        EXPECT_EQ(session_.N(), 5);
        EXPECT_EQ(session_.J(), 2);
    }
}

TEST_F(SessionTest, CountIsRaisedAndShown) {
    session_.Load("600", WriteSamples(Ramp(1025)));
    EXPECT_EQ(log_, LoadedCalls(1025, 10));
}

TEST_F(SessionTest, CountBeyondTheLimitIsRefusedBeforeAnythingShows) {
    LoadValues(Ramp(9));
    try {
        session_.Load("67108866", WriteSamples(Ramp(9)));
        FAIL() << "accepted";
    } catch (const fw::Exception& e) {
        EXPECT_NE(e.Message().find("67108865"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(log_, Calls{"view.Clear"});
    EXPECT_EQ(session_.N(), 9);
}

TEST_F(SessionTest, ShortFileIsPlottedWithZerosAndWarnedAbout) {
    const std::string file = folder_.Write("short.dat", "1.5\n-2\n3\n");
    session_.Load("9", file);
    Calls expected = LoadedCalls(9, 3);
    expected.push_back("ShowWarning");
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(Buffer(), (std::vector<double>{1.5, -2, 3, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(controls_.warnings.size(), 1u);
    const std::string& warning = controls_.warnings[0];
    EXPECT_NE(warning.find(file), std::string::npos) << warning;
    EXPECT_NE(warning.find("3 of 9"), std::string::npos) << warning;
    EXPECT_NE(warning.find("ends after 3 numbers"), std::string::npos) << warning;
    EXPECT_NE(warning.find("remaining 6 are 0"), std::string::npos) << warning;
}

TEST_F(SessionTest, MalformedFileWarningTellsTheLine) {
    session_.Load("5", folder_.Write("bad.dat", "1\n2\n1e999\n4\n5\n"));
    ASSERT_EQ(controls_.warnings.size(), 1u);
    const std::string& warning = controls_.warnings[0];
    EXPECT_NE(warning.find("Line 3"), std::string::npos) << warning;
    EXPECT_NE(warning.find("\"1e999\""), std::string::npos) << warning;
    EXPECT_NE(warning.find("2 of 5"), std::string::npos) << warning;
    EXPECT_EQ(Buffer(), (std::vector<double>{1, 2, 0, 0, 0}));
}

TEST_F(SessionTest, MoreNumbersThanSamplesGiveNoWarning) {
    session_.Load("5", WriteSamples(Ramp(12)));
    EXPECT_TRUE(controls_.warnings.empty());
    EXPECT_EQ(Buffer(), Ramp(5));
}

// A new signal starts a new analysis: the decomposition, the view, the view
// list, the reconstruction and the mean readout of the old one are gone.
TEST_F(SessionTest, LoadAfterDecomposeStartsAFreshAnalysis) {
    LoadValues(Ramp(17));
    session_.Decompose(3);
    session_.SelectViewLevel(2);
    session_.Reconstruct();
    session_.Decompose(3);
    session_.SelectViewLevel(4);
    ASSERT_EQ(session_.Levels(), 4);
    const DyadicSignal* old = session_.View().Buffer();
    ASSERT_NE(old, nullptr);
    log_.clear();

    const std::vector<double> values = Ramp(5, 2.0);
    session_.Load("5", WriteSamples(values));
    EXPECT_EQ(log_, LoadedCalls(5, 2));
    EXPECT_EQ(session_.Levels(), -1);
    EXPECT_EQ(session_.ViewedLevel(), -1);
    EXPECT_EQ(session_.View().Count(), 0);
    EXPECT_EQ(session_.View().Buffer(), nullptr);
    EXPECT_TRUE(reconstruction_.points.empty());
    EXPECT_EQ(Buffer(), values);

    // Nothing of the old decomposition can reach the new buffer.
    EXPECT_THROW(session_.SelectViewLevel(0), fw::EListError);
    log_.clear();
    session_.Reconstruct();
    EXPECT_EQ(Buffer(), values);
}

// A file read whole and then loaded gives what a load of its count gives:
// the samples, the zeros after a short file, the calls and the warning.
TEST_F(SessionTest, AWholeReadLoadsAsALoadOfItsCount) {
    for (const std::string text : {"1 2 3 4 5 6\n", "1 2 3 4 5 6 7 8 9 x\n", "\xEF\xBB\xBF-1e3\r\n2 3\x1A 4 5",
                                   "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 oops 18\n", "7"}) {
        const std::string file = folder_.Write("whole.dat", text);
        const WholeFileRead whole = ReadWholeFile(file);
        const std::string count = std::to_string(whole.read.stored);
        session_.Load(count, file);
        const std::vector<double> loaded = Buffer();
        const CallLog calls = std::exchange(log_, {});
        session_.LoadRead(count, file, whole);
        EXPECT_EQ(Buffer(), loaded) << text;
        EXPECT_EQ(log_, calls) << text;
        log_.clear();
    }
}

}  // namespace
}  // namespace analysis::test
