#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "SessionFixture.h"
#include "TransformReference.h"
#include "framework/core/Exceptions.h"

namespace analysis::test {
namespace {

using Calls = std::vector<std::string>;

std::vector<double> Forward(std::vector<double> x, int32_t j, int32_t levels) {
    ReferenceForward<double>(x, j, levels);
    return x;
}

std::string AddY(double value) { return "view.AddY(" + Exact(value) + ",'',255)"; }

double MaxDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double d = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) d = std::max(d, std::fabs(a[i] - b[i]));
    return d;
}

// ---- Decompose ------------------------------------------------------------------

TEST_F(SessionTest, DecomposeWithoutALevelDoesNothing) {
    LoadValues(Ramp(17));
    session_.Decompose(-1);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(session_.Levels(), -1);
    EXPECT_EQ(Buffer(), Ramp(17));
}

TEST_F(SessionTest, DecomposeTransformsAndOffersTheViews) {
    const std::vector<double> values = Ramp(513);
    LoadValues(values);
    session_.Decompose(2);
    EXPECT_EQ(log_, (Calls{"reconstruction.Clear", "view.Clear", "SetViewChoices(4)", "EnableThreshold(1)",
                           "EnableReconstruct(1)"}));
    EXPECT_EQ(session_.Levels(), 3);
    EXPECT_EQ(Buffer(), Forward(values, 9, 3));
}

// Fully decomposed, the two ends are the whole approximation: their mean is
// shown. {1, 4, 2, 8, 16} ends as x0 = -1, x4 = 12.25 (worked by hand).
TEST_F(SessionTest, DecomposeToTheLastLevelShowsTheMean) {
    LoadValues({1, 4, 2, 8, 16});
    session_.Decompose(1);
    EXPECT_EQ(log_, (Calls{"reconstruction.Clear", "view.Clear", "SetViewChoices(3)", "ShowMean(5.63)",
                           "EnableThreshold(1)", "EnableReconstruct(1)"}));
}

TEST_F(SessionTest, MeanReadoutFollowsTheRegionalSeparator) {
    fw::DefaultFormatSettings().DecimalSeparator = ',';
    LoadValues({-1, -4, -2, -8, -16});
    session_.Decompose(1);
    EXPECT_EQ(log_[3], "ShowMean(-5,63)");
}

// Decompose over a decomposition undoes it first, as Reconstruct would
// (thresholds kept): the buffer and the calls are, bit for bit, those of a
// Reconstruct and then the same Decompose, and without a threshold a
// Reconstruct gives back the signal.
TEST_F(SessionTest, DecomposeOverADecompositionStartsFromItsReconstruction) {
    const std::vector<double> values = Ramp(33, 7.0);
    const std::string file = WriteSamples(values);
    const struct {
        int32_t first;
        const char* threshold;  // on level 1, none when empty
        int32_t second;
    } cases[] = {{0, "", 0}, {2, "", 2},  {2, "", 4},  {4, "", 2},  {4, "", 4},
                 {0, "", 4}, {1, "5", 1}, {2, "5", 4}, {4, "5", 0}, {3, "1e9", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " " + c.threshold + " " + std::to_string(c.second));
        CallLog referenceLog;
        RecordingPlot signal{"signal", referenceLog}, rebuilt{"reconstruction", referenceLog},
            view{"view", referenceLog};
        RecordingControls controls{referenceLog};
        AnalysisSession reference{signal, rebuilt, view, controls};
        for (AnalysisSession* session : {&session_, &reference}) {
            session->Load("33", file);
            session->Decompose(c.first);
            if (*c.threshold == '\0') continue;
            session->SelectViewLevel(0);
            session->ApplyThreshold(0, c.threshold);
        }
        reference.Reconstruct();
        log_.clear();
        referenceLog.clear();

        session_.Decompose(c.second);
        reference.Decompose(c.second);
        EXPECT_EQ(log_, referenceLog);
        EXPECT_EQ(session_.Levels(), c.second + 1);
        const double* expected = reference.Samples()->Data();
        EXPECT_EQ(Buffer(), std::vector<double>(expected, expected + 33));
        session_.Reconstruct();
        if (*c.threshold == '\0') {
            EXPECT_LE(MaxDifference(Buffer(), values), 1e-12);
        }
    }
}

// A transform that fails after the old decomposition was undone leaves the
// undone signal, with nothing to view or threshold. Level 1 of this signal
// has zero details; level 2 would be -2e308.
TEST_F(SessionTest, OverflowAfterTheUndoLeavesTheSignalWithoutADecomposition) {
    const std::vector<double> values{1e308, 0, -1e308, 0, 1e308, 0, -1e308, 0, 1e308};
    LoadValues(values);
    session_.Decompose(0);
    log_.clear();
    EXPECT_THROW(session_.Decompose(1), fw::EOverflow);
    EXPECT_EQ(log_, (Calls{"reconstruction.Clear", "view.Clear", "SetViewChoices(0)", "EnableThreshold(0)"}));
    EXPECT_EQ(session_.Levels(), -1);
    EXPECT_EQ(Buffer(), values);
}

TEST_F(SessionTest, DecomposeRefusesLevelsTheSignalDoesNotHave) {
    EXPECT_THROW(session_.Decompose(0), fw::EListError);
    LoadValues(Ramp(9));
    EXPECT_THROW(session_.Decompose(3), fw::EListError);
    EXPECT_THROW(session_.Decompose(-2), fw::EListError);
    // The text the window shows names the index asked for.
    for (const int32_t index : {3, -2}) {
        try {
            session_.Decompose(index);
        } catch (const fw::EListError& e) {
            EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(Buffer(), Ramp(9));
}

// An overflow inside the transform ends the operation with its error and
// leaves the buffer and the decomposition it held exactly as they were.
TEST_F(SessionTest, OverflowInDecomposeLeavesTheBufferAndLevels) {
    const std::vector<double> values{1e308, -1e308, 1e308, -1e308, 1e308, -1e308, 1e308, -1e308, 1e308};
    LoadValues(values);
    EXPECT_THROW(session_.Decompose(0), fw::EOverflow);
    EXPECT_EQ(log_, (Calls{"reconstruction.Clear", "view.Clear"}));
    EXPECT_EQ(Buffer(), values);
    EXPECT_EQ(session_.Levels(), -1);
}

// ---- SelectViewLevel -----------------------------------------------------------

TEST_F(SessionTest, SelectViewLevelPlotsTheLevelsCoefficients) {
    const std::vector<double> values = Ramp(17, 3.0);
    LoadValues(values);
    session_.Decompose(1);
    const std::vector<double> coefficients = Buffer();
    log_.clear();

    session_.SelectViewLevel(1);
    Calls expected{"view.Clear"};
    for (std::size_t p = 2; p < 17; p += 4) expected.push_back(AddY(coefficients[p]));
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(session_.ViewedLevel(), 2);
    EXPECT_EQ(session_.View().Count(), 4);

    log_.clear();
    session_.SelectViewLevel(2);
    expected = {"view.Clear"};
    for (std::size_t p = 0; p < 17; p += 4) expected.push_back(AddY(coefficients[p]));
    EXPECT_EQ(log_, expected);
    EXPECT_EQ(session_.ViewedLevel(), 3);
}

TEST_F(SessionTest, ANewDecomposeForgetsTheViewSoAnApplyToAllDoesNotPlotTheOldOne) {
    LoadValues(Ramp(33, 3.0));
    session_.Decompose(2);
    session_.SelectViewLevel(3);  // the approximation at the multiples of 8
    session_.Decompose(4);
    EXPECT_EQ(session_.ViewedLevel(), -1);
    log_.clear();
    session_.ApplyToAllLevels({});
    session_.Undo();
    for (const std::string& call : log_) EXPECT_EQ(call.rfind("view.Add", 0), std::string::npos) << call;
    EXPECT_TRUE(view_.points.empty());
}

TEST_F(SessionTest, SelectViewLevelRefusesItemsTheListDoesNotHold) {
    EXPECT_THROW(session_.SelectViewLevel(0), fw::EListError);
    LoadValues(Ramp(9));
    session_.Decompose(1);
    log_.clear();
    EXPECT_THROW(session_.SelectViewLevel(3), fw::EListError);
    EXPECT_THROW(session_.SelectViewLevel(-1), fw::EListError);
    EXPECT_TRUE(log_.empty());
}

// ---- ApplyThreshold -------------------------------------------------------------

TEST_F(SessionTest, ThresholdWithNothingChosenIgnoresEvenBadText) {
    LoadValues(Ramp(9));
    session_.Decompose(0);
    session_.SelectViewLevel(0);
    log_.clear();
    session_.ApplyThreshold(-1, "not a number");
    EXPECT_TRUE(log_.empty());
}

TEST_F(SessionTest, ThresholdZeroesSmallCoefficientsAndReplots) {
    // Level-1 details of this signal: x1 = 10, x3 = -20, x5 = 5, x7 = -10.
    LoadValues({0, 10, 0, -20, 0, 5, 0, -10, 0});
    session_.Decompose(0);
    session_.SelectViewLevel(0);
    log_.clear();
    session_.ApplyThreshold(0, "10");
    EXPECT_EQ(session_.Threshold(), 10.0);
    EXPECT_EQ(log_, (Calls{"view.Clear", AddY(0), AddY(-20), AddY(0), AddY(0)}));
    const std::vector<double> buffer = Buffer();
    EXPECT_EQ(buffer[1], 0.0);
    EXPECT_EQ(buffer[3], -20.0);
    EXPECT_EQ(buffer[5], 0.0);
    EXPECT_EQ(buffer[7], 0.0);

    // The same threshold again changes nothing but still replots.
    log_.clear();
    session_.ApplyThreshold(0, "10");
    EXPECT_EQ(log_, (Calls{"view.Clear", AddY(0), AddY(-20), AddY(0), AddY(0)}));
    EXPECT_EQ(Buffer(), buffer);
}

TEST_F(SessionTest, BadThresholdTextChangesNothing) {
    LoadValues({0, 10, 0, -20, 0, 5, 0, -10, 0});
    session_.Decompose(0);
    session_.SelectViewLevel(0);
    session_.ApplyThreshold(0, "1.5");
    const std::vector<double> before = Buffer();
    log_.clear();
    try {
        session_.ApplyThreshold(0, "1,5");
        FAIL() << "accepted";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1,5' is not a valid floating point value");
    }
    EXPECT_THROW(session_.ApplyThreshold(0, "1e400"), fw::EOverflow);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(session_.Threshold(), 1.5);
    EXPECT_EQ(Buffer(), before);
}

TEST_F(SessionTest, ThresholdingTheDeepestApproximationUpdatesTheMean) {
    LoadValues({1, 0, 0, 0, 1});
    session_.Decompose(1);
    session_.SelectViewLevel(2);
    log_.clear();
    session_.ApplyThreshold(2, "10");
    EXPECT_EQ(log_, (Calls{"ShowMean(0.00)", "view.Clear", AddY(0), AddY(0)}));
}

// ---- Reconstruct ----------------------------------------------------------------

TEST_F(SessionTest, ReconstructRestoresTheSignalAndEmptiesTheViewList) {
    const std::vector<double> values = Ramp(257, 10.0);
    LoadValues(values);
    session_.Decompose(5);
    session_.SelectViewLevel(3);
    log_.clear();
    session_.Reconstruct();
    EXPECT_EQ(log_, (Calls{"SetViewChoices(0)", "view.Clear", "reconstruction.Clear", "reconstruction.AddArray(256)",
                           "EnableThreshold(0)"}));
    EXPECT_EQ(session_.Levels(), -1);
    EXPECT_EQ(session_.ViewedLevel(), 4);
    EXPECT_LE(MaxDifference(Buffer(), values), 8 * DBL_EPSILON * 100);
    EXPECT_EQ(reconstruction_.points, Buffer());

    // A second time: no inverse, the same calls, the same buffer.
    const std::vector<double> once = Buffer();
    log_.clear();
    session_.Reconstruct();
    EXPECT_EQ(log_, (Calls{"SetViewChoices(0)", "view.Clear", "reconstruction.Clear", "reconstruction.AddArray(256)",
                           "EnableThreshold(0)"}));
    EXPECT_EQ(Buffer(), once);
}

TEST_F(SessionTest, DecomposeAfterReconstructWorksOnTheRebuiltSignal) {
    LoadValues({0, 10, 0, -20, 0, 5, 0, -10, 0});
    session_.Decompose(0);
    session_.SelectViewLevel(0);
    session_.ApplyThreshold(0, "10");
    session_.Reconstruct();
    const std::vector<double> rebuilt = Buffer();
    log_.clear();
    session_.Decompose(2);
    EXPECT_EQ(session_.Levels(), 3);
    EXPECT_EQ(Buffer(), Forward(rebuilt, 3, 3));
}

// Worked by hand: the details 10, -20, 5, -10 lift the evens to
// x0 = 5, x2 = -2.5, x4 = -3.75, x6 = -1.25, x8 = -5. With only -20 left,
// undoing the updates gives x2 = 2.5, x4 = 1.25, x6 = -1.25 (ends unchanged),
// and undoing the prediction x1 = 3.75, x3 = -18.125, x5 = 0, x7 = -3.125.
// A session that keeps no signal (a batch run) gives the same bits, and
// refuses the steps that would go back to the signal.
TEST_F(SessionTest, ThresholdThenReconstructRebuildsFromTheKeptDetails) {
    for (const bool kept : {true, false}) {
        session_.SetSignalKept(kept);
        LoadValues({0, 10, 0, -20, 0, 5, 0, -10, 0});
        session_.Decompose(0);
        session_.SelectViewLevel(0);
        session_.ApplyThreshold(0, "10");
        if (!kept) {
            DenoiseOptions shifted;
            shifted.shifts = 2;
            EXPECT_THROW(session_.ApplyToAllLevels(shifted), fw::Exception);
            EXPECT_THROW(session_.ChooseAutomatically({}), fw::Exception);
        }
        session_.Reconstruct();
        EXPECT_EQ(Buffer(), (std::vector<double>{5, 3.75, 2.5, -18.125, 1.25, 0, -1.25, -3.125, -5})) << kept;
    }
}

}  // namespace
}  // namespace analysis::test

namespace analysis::test {
namespace {

// A reconstruction plot that keeps the block it is handed.
class KeepingPlot : public RecordingPlot {
public:
    using RecordingPlot::RecordingPlot;
    void AddShared(std::shared_ptr<const double[]> values, int32_t highIndex) override {
        AddArray(values.get(), highIndex);
        kept = std::move(values);
    }
    std::shared_ptr<const double[]> kept;
};

// The reconstruction plot holds the buffer itself; reconstructing again or
// plotting the view copies nothing, and a write to the buffer (a threshold
// through the view it still has) leaves the plot's block as it was.
TEST_F(SessionTest, TheReconstructionPlotSharesTheBufferUntilItIsWritten) {
    KeepingPlot reconstruction{"reconstruction", log_};
    AnalysisSession session{signal_, reconstruction, view_, controls_};
    const std::vector<double> values = Ramp(33, 40.0);
    session.Load("33", WriteSamples(values));
    session.Decompose(2);
    session.SelectViewLevel(0);
    session.Reconstruct();
    const double* block = reconstruction.kept.get();
    ASSERT_EQ(block, session.Samples()->Data());
    session.Reconstruct();
    EXPECT_EQ(reconstruction.kept.get(), block);

    const std::vector<double> plotted(block, block + 33);
    session.ApplyThreshold(0, "1e9");
    EXPECT_NE(session.Samples()->Data(), block);
    EXPECT_EQ(std::vector<double>(block, block + 33), plotted);
    EXPECT_EQ(reconstruction.points, plotted);
}

}  // namespace
}  // namespace analysis::test
