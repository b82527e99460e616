// The user's road through the window: load, decompose, view, threshold,
// reconstruct, with the errors and the enabled buttons along the way.

#include <cmath>

#include <QStatusBar>

#include "WindowFixture.h"
#include "ui/BufferStatus.h"

namespace {

constexpr const char* kFilter = "Data files (*.dat, *.txt)|*.dat; *.txt|Any files (*.*)|*.*";

struct ButtonStates {
    bool Load, Decompose, Threshold, Reconstruct;
    bool operator==(const ButtonStates&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ButtonStates& s) {
    return out << "Load " << s.Load << " Decompose " << s.Decompose << " Threshold " << s.Threshold << " Reconstruct "
               << s.Reconstruct;
}

class Workflow : public WindowTest {
protected:
    ButtonStates Buttons() {
        return {Button("BtnLoad").isEnabled(), Button("BtnDecomp").isEnabled(), Button("BtnThresh").isEnabled(),
                Button("BtnReconstr").isEnabled()};
    }
    std::vector<std::string> Numbers(int n) {
        std::vector<std::string> items;
        for (int i = 1; i <= n; ++i) items.push_back(std::to_string(i));
        return items;
    }
    void Decompose(int levelIndex) {
        PickItem("CBLev", levelIndex);
        Click("BtnDecomp");
    }
};

TEST_F(Workflow, LoadNormalisesTheCountOffersLevelsAndEnablesDecompose) {
    TypeInto("EdtN", "300");
    dialogs.AnswerOpenWith(SamplePath("signal.dat", 513));
    Click("BtnLoad");

    ASSERT_EQ(dialogs.Filters.size(), 1u);
    EXPECT_EQ(dialogs.Filters[0], kFilter);
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Edit("EdtN").text(), "513");
    EXPECT_EQ(Items("CBLev"), Numbers(9));
    EXPECT_EQ(List("CBLev").currentIndex(), -1);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, false, false}));
    EXPECT_EQ(Series1().YValues(), TestSignal(513));
    EXPECT_EQ(Series2().Count(), 0);
    EXPECT_EQ(Series3().Count(), 0);
    EXPECT_EQ(List("CB1").count(), 0);
}

TEST_F(Workflow, CancelledDialogChangesNothing) {
    dialogs.CancelNextOpen();
    Click("BtnLoad");
    EXPECT_EQ(dialogs.Filters.size(), 1u);
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Edit("EdtN").text(), "513");
    EXPECT_EQ(List("CBLev").count(), 0);
    EXPECT_EQ(Series1().Count(), 0);
    EXPECT_EQ(Buttons(), (ButtonStates{true, false, false, false}));
}

TEST_F(Workflow, EmptyCountTextDoesNothingAfterTheDialog) {
    TypeInto("EdtN", "");
    dialogs.AnswerOpenWith(SamplePath("signal.dat", 513));
    Click("BtnLoad");
    EXPECT_EQ(dialogs.Filters.size(), 1u);
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Edit("EdtN").text(), "");
    EXPECT_EQ(List("CBLev").count(), 0);
    EXPECT_EQ(Series1().Count(), 0);
    EXPECT_EQ(Buttons(), (ButtonStates{true, false, false, false}));
}

TEST_F(Workflow, InvalidCountShowsTheErrorBoxAndKeepsTheWindowWorking) {
    LoadSignal();
    Decompose(2);
    PickItem("CB1", 0);
    ASSERT_GT(Series3().Count(), 0);

    TypeInto("EdtN", "abc");
    dialogs.AnswerOpenWith(SamplePath("other.dat", 513));
    Click("BtnLoad");
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Caption, kTestTitle);
    EXPECT_EQ(dialogs.Boxes[0].Text, "'abc' is not a valid integer value.");
    EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Stop);
    // Only the view plot was cleared before the count failed to convert.
    EXPECT_EQ(Series3().Count(), 0);
    EXPECT_EQ(Series1().YValues(), TestSignal(513));
    EXPECT_EQ(Items("CBLev"), Numbers(9));

    // The window goes on: a valid count loads again.
    TypeInto("EdtN", "5");
    dialogs.AnswerOpenWith(SamplePath("five.dat", 5));
    Click("BtnLoad");
    EXPECT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(Edit("EdtN").text(), "5");
    EXPECT_EQ(Items("CBLev"), Numbers(2));
    EXPECT_EQ(Series1().Count(), 5);
}

TEST_F(Workflow, ShortFileLoadsWithAWarningBox) {
    dialogs.AnswerOpenWith(SamplePath("short.dat", 100));
    Click("BtnLoad");
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Caption, kTestTitle);
    EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Warning);
    EXPECT_FALSE(dialogs.Boxes[0].Text.empty());
    EXPECT_EQ(Series1().Count(), 513);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, false, false}));
    EXPECT_EQ(form->statusBar()->currentMessage().toStdString(), ui::kShortFileHint) << "Import reflects instead";
}

TEST_F(Workflow, PickingALevelAloneChangesNothing) {
    LoadSignal();
    PickItem("CBLev", 2);
    EXPECT_EQ(List("CBLev").currentIndex(), 2);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, false, false}));
    EXPECT_EQ(List("CB1").count(), 0);
    EXPECT_EQ(Series1().YValues(), TestSignal(513));
    EXPECT_EQ(Series2().Count(), 0);
    EXPECT_EQ(Series3().Count(), 0);
    EXPECT_EQ(form->Session().Levels(), -1);
}

TEST_F(Workflow, DecomposeWithoutAChosenLevelDoesNothing) {
    LoadSignal();
    Click("BtnDecomp");
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(List("CB1").count(), 0);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, false, false}));
}

TEST_F(Workflow, DecomposeOffersViewLevelsAndAPickShowsThatLevel) {
    LoadSignal();
    Decompose(2);
    EXPECT_EQ(Items("CB1"), Numbers(4));
    EXPECT_EQ(List("CB1").currentIndex(), -1);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, true, true}));
    // Filling the view list from the program plots nothing; only a pick does.
    EXPECT_EQ(Series3().Count(), 0);
    EXPECT_EQ(Edit("Edit1").text(), "");

    PickItem("CB1", 1);
    EXPECT_EQ(form->Session().ViewedLevel(), 2);
    EXPECT_EQ(Series3().Count(), 128);
    PickItem("CB1", 3);
    EXPECT_EQ(Series3().Count(), 65);
    PickItem("CB1", 0);
    EXPECT_EQ(Series3().Count(), 256);
}

TEST_F(Workflow, DecomposeToTheDeepestLevelShowsTheMean) {
    LoadSignal();
    Decompose(8);
    EXPECT_EQ(Items("CB1"), Numbers(10));
    EXPECT_FALSE(Edit("Edit1").text().isEmpty());
}

TEST_F(Workflow, ThresholdingRejectsABadTextAndZeroesSmallCoefficients) {
    LoadSignal();
    Decompose(2);
    PickItem("CB1", 1);
    const std::vector<double> before = Series3().YValues();

    TypeInto("EdtThresh", "1x");
    Click("BtnThresh");
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Caption, kTestTitle);
    EXPECT_EQ(dialogs.Boxes[0].Text, "'1x' is not a valid floating point value.");
    EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Stop);
    EXPECT_EQ(Series3().YValues(), before);
    EXPECT_EQ(form->Session().Threshold(), 0.0);

    TypeInto("EdtThresh", "10");
    Click("BtnThresh");
    EXPECT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(form->Session().Threshold(), 10.0);
    const std::vector<double>& after = Series3().YValues();
    ASSERT_EQ(after.size(), before.size());
    int zeroed = 0;
    int kept = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (std::fabs(before[i]) <= 10.0) {
            EXPECT_EQ(after[i], 0.0) << i;
            ++zeroed;
        } else {
            EXPECT_EQ(after[i], before[i]) << i;
            ++kept;
        }
    }
    EXPECT_GT(zeroed, 0);
    EXPECT_GT(kept, 0);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, true, true}));
}

TEST_F(Workflow, ThresholdingWithNothingViewedIgnoresEvenABadText) {
    LoadSignal();
    Decompose(2);
    TypeInto("EdtThresh", "junk");
    Click("BtnThresh");
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Series3().Count(), 0);
}

TEST_F(Workflow, ReconstructRebuildsTheSignalEmptiesTheViewAndDisablesThresholding) {
    LoadSignal();
    Decompose(2);
    PickItem("CB1", 0);
    Click("BtnReconstr");

    EXPECT_EQ(List("CB1").count(), 0);
    EXPECT_EQ(Series3().Count(), 0);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, false, true}));
    const std::vector<double> signal = TestSignal(513);
    ASSERT_EQ(Series2().Count(), 513);
    for (size_t i = 0; i < signal.size(); ++i) {
        EXPECT_NEAR(Series2().YValues()[i], signal[i], 1e-9) << i;
    }
    EXPECT_EQ(Series1().YValues(), signal);

    // Decompose works again on the rebuilt buffer.
    Decompose(0);
    EXPECT_EQ(Items("CB1"), Numbers(2));
    EXPECT_EQ(Series2().Count(), 0);
    EXPECT_EQ(Buttons(), (ButtonStates{true, true, true, true}));
}

// Decompose over a decomposition undoes it first, so Reconstruct gives back
// the signal whichever two level counts follow each other.
TEST_F(Workflow, DecomposeAgainThenReconstructGivesBackTheSignal) {
    const struct { int first, second; } cases[] = {{2, 2}, {2, 4}, {4, 2}, {0, 8}, {8, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.first) + " then " + std::to_string(c.second));
        dialogs.AnswerOpenWith(QUELMAR_SOURCE_DIR "/samples/doppler_noisy_513.dat");
        Click("BtnLoad");
        Decompose(c.first);
        Decompose(c.second);
        EXPECT_EQ(Items("CB1"), Numbers(c.second + 2));
        EXPECT_EQ(Buttons(), (ButtonStates{true, true, true, true}));
        Click("BtnReconstr");
        const std::vector<double> signal = Series1().YValues();
        const std::vector<double> rebuilt = Series2().YValues();
        ASSERT_EQ(rebuilt.size(), signal.size());
        for (size_t i = 0; i < signal.size(); ++i) {
            EXPECT_NEAR(rebuilt[i], signal[i], 1e-9) << i;
        }
    }
}

}  // namespace
