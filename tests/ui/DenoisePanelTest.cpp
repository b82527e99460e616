// The Denoise panel through the real window: hidden at start, its rows for
// the decomposition, Apply to All Levels as the batch's denoising bit for
// bit and as one step to undo, a typed threshold that fixes its row, and
// shifts that make the step the batch's translation-invariant denoising.

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>

#include "WindowFixture.h"
#include "analysis/denoise/AutoChoice.h"
#include "framework/core/Conversions.h"

namespace {

using ui::WindowCommand;

class DenoisePanelTest : public WindowTest {
protected:
    QDockWidget& Panel() { return Control<QDockWidget>("DenoisePanel"); }
    QTableWidget& Table() { return Control<QTableWidget>("DenoiseLevels"); }

    // Column `column` of every row.
    std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        for (int row = 0; row < Table().rowCount(); ++row)
            texts.push_back(Table().item(row, column)->text().toStdString());
        return texts;
    }

    static std::string Number(double value) { return fw::FloatToStrF(value, fw::ffGeneral, 6, 0); }
};

TEST_F(DenoisePanelTest, HiddenAtStartShownByTheViewItemAndEnabledOnceDecomposed) {
    EXPECT_FALSE(Panel().isVisible());
    QAction& item = form->Menu().Action(WindowCommand::DenoisePanel);
    EXPECT_EQ(item.objectName(), "actionDenoisePanel");
    item.trigger();
    EXPECT_TRUE(Panel().isVisible());
    EXPECT_FALSE(Button("ApplyAllLevels").isEnabled());
    LoadSignal();
    EXPECT_FALSE(Button("ApplyAllLevels").isEnabled());
    EXPECT_EQ(Table().rowCount(), 0);
    PickItem("CBLev", 2);
    Click("BtnDecomp");
    EXPECT_TRUE(Button("ApplyAllLevels").isEnabled());
    EXPECT_EQ(Column(ui::DenoisePanel::cLevel), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(Column(ui::DenoisePanel::cCoefficients), (std::vector<std::string>{"256", "128", "64"}));
    EXPECT_EQ(Column(ui::DenoisePanel::cEnergy), (std::vector<std::string>{"100.0 %", "100.0 %", "100.0 %"}));
    // At the window's starting size every column shows whole, and none
    // narrows once the rows go.
    QApplication::processEvents();
    QHeaderView& header = *Table().horizontalHeader();
    std::vector<int> widths;
    for (int c = 0; c < ui::DenoisePanel::kColumns; ++c) {
        EXPECT_LE(header.sectionViewportPosition(c) + header.sectionSize(c), Table().viewport()->width()) << c;
        EXPECT_GE(header.sectionSize(c), Table().fontMetrics().horizontalAdvance(Table().item(0, c)->text())) << c;
        widths.push_back(header.sectionSize(c));
    }
    LoadSignal();
    for (int c = 0; c < ui::DenoisePanel::kColumns; ++c) EXPECT_EQ(header.sectionSize(c), widths[c]) << c;
    PickItem("CBLev", 2);
    Click("BtnDecomp");
    Click("BtnReconstr");
    EXPECT_TRUE(Button("ApplyAllLevels").isEnabled()) << "Apply takes Reconstruct back";
    EXPECT_EQ(Table().rowCount(), 0);
    item.trigger();
    EXPECT_FALSE(Panel().isVisible());
}

// For each rule and shrinkage the rows show the batch's noise and thresholds,
// and Apply to All Levels then Reconstruct leaves the batch's signal.
TEST_F(DenoisePanelTest, ApplyToAllLevelsGivesTheBatchBufferBitForBitAsOneStep) {
    const std::vector<double> values = TestSignal(513);
    form->Menu().Action(WindowCommand::DenoisePanel).trigger();
    for (const int rule : {0, 1, 2}) {
        for (const int shrink : {0, 1}) {
            LoadSignal();
            PickItem("CBLev", 3);
            Click("BtnDecomp");
            PickItem("DenoiseRule", rule);
            PickItem("DenoiseShrink", shrink);
            Control<QSpinBox>("DenoiseShifts").setValue(1);
            analysis::DenoiseOptions options;
            options.levels = 4;
            options.rule = static_cast<analysis::ThresholdRule>(rule);
            options.shrink = static_cast<analysis::Shrink>(shrink);
            options.shifts = 1;
            const analysis::DenoiseResult batch = analysis::Denoise(values.data(), 9, options);
            std::vector<std::string> sigmas, thresholds, zeroed;
            for (const analysis::LevelReport& level : batch.levels) {
                sigmas.push_back(Number(level.sigma));
                thresholds.push_back(Number(level.threshold));
                zeroed.push_back(std::to_string(level.zeroed));
            }
            EXPECT_EQ(Column(ui::DenoisePanel::cSigma), sigmas);
            EXPECT_EQ(Column(ui::DenoisePanel::cThreshold), thresholds);

            const std::vector<double> decomposed = Buffer();
            Click("ApplyAllLevels");
            EXPECT_EQ(Column(ui::DenoisePanel::cZeroed), zeroed) << rule << shrink;
            EXPECT_EQ(form->Menu().Action(WindowCommand::Undo).text().toStdString(), "Undo Apply to All Levels");
            const std::vector<double> applied = Buffer();
            Choose(WindowCommand::Undo);
            EXPECT_EQ(Buffer(), decomposed);
            Choose(WindowCommand::Redo);
            EXPECT_EQ(Buffer(), applied);
            Click("BtnReconstr");
            EXPECT_EQ(Buffer(), batch.signal) << rule << shrink;
        }
    }
}

// Trying another rule takes three actions from the last reconstruction:
// the rule, Apply (which takes back Reconstruct and the Apply before it) and
// Reconstruct; each gives the batch's signal, and two undos the decomposition.
TEST_F(DenoisePanelTest, AnotherRuleIsThreeActionsAwayAndReplacesTheLastApply) {
    const std::vector<double> values = TestSignal(513);
    form->Menu().Action(WindowCommand::DenoisePanel).trigger();
    LoadSignal();
    PickItem("CBLev", 3);
    Click("BtnDecomp");
    const std::vector<double> decomposed = Buffer();
    for (const int rule : {0, 1, 2, 0}) {
        PickItem("DenoiseRule", rule);
        Click("ApplyAllLevels");
        Click("BtnReconstr");
        analysis::DenoiseOptions options;
        options.levels = 4;
        options.rule = static_cast<analysis::ThresholdRule>(rule);
        options.shifts = analysis::kAutoShifts;
        EXPECT_EQ(Buffer(), analysis::Denoise(values.data(), 9, options).signal) << rule;
    }
    Choose(WindowCommand::Undo);
    Choose(WindowCommand::Undo);
    EXPECT_EQ(Buffer(), decomposed);
    EXPECT_FALSE(form->Menu().Action(WindowCommand::Undo).isEnabled());
}

TEST_F(DenoisePanelTest, ATypedThresholdFixesItsRowAndIsApplied) {
    form->Menu().Action(WindowCommand::DenoisePanel).trigger();
    LoadSignal();
    PickItem("CBLev", 1);
    Click("BtnDecomp");
    PickItem("DenoiseRule", 0);
    Control<QSpinBox>("DenoiseShifts").setValue(1);
    const std::vector<std::string> before = Column(ui::DenoisePanel::cThreshold);
    constexpr int kT = ui::DenoisePanel::cThreshold;
    ASSERT_TRUE(TypeIntoCell(Table(), 1, kT, "1e9"));
    std::vector<std::string> expected = before;
    expected[1] = "1E9";
    EXPECT_EQ(Column(kT), expected);
    // Text that is no number leaves the row to the rule; the text the row
    // shows, typed again unchanged, fixes it.
    for (const auto& [text, fixed] : {std::pair{QString("no number"), false}, std::pair{QString(), true}}) {
        ASSERT_TRUE(TypeIntoCell(Table(), 0, kT, fixed ? QString::fromStdString(expected[0]) : text));
        EXPECT_EQ(Table().item(0, kT)->font().italic(), fixed) << text.toStdString();
        EXPECT_EQ(Column(kT), expected);
    }
    Click("ApplyAllLevels");
    EXPECT_EQ(Column(ui::DenoisePanel::cZeroed)[1], "128");
    EXPECT_EQ(Column(ui::DenoisePanel::cEnergy)[1], "0.0 %");
    // Another rule chooses every threshold anew.
    PickItem("DenoiseRule", 1);
    PickItem("DenoiseRule", 0);
    EXPECT_EQ(Column(ui::DenoisePanel::cThreshold), before);
}

// With shifts the buffer's levels are cut as with one shift (the batch's
// report), undo and redo move between those bits, and Reconstruct gives the
// batch's average of the shifted copies bit for bit while the step is the
// last one done: a Thresholding before it does not enter the average, one
// after it does until it is undone.
TEST_F(DenoisePanelTest, ShiftsGiveTheBatchsTranslationInvariantSignalBitForBit) {
    const std::vector<double> values = TestSignal(513);
    form->Menu().Action(WindowCommand::DenoisePanel).trigger();
    const struct {
        int rule, shrink, shifts, typedRow;
        bool thresholdBefore;
    } cases[] = {{0, 0, 4, -1, false}, {1, 1, 3, 1, true}, {2, 0, 8, -1, true}, {3, 1, 2, -1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "rule " << c.rule << " shrink " << c.shrink << " shifts " << c.shifts);
        LoadSignal();
        PickItem("CBLev", 3);
        Click("BtnDecomp");
        TypeInto("EdtThresh", "20");
        if (c.thresholdBefore) {
            PickItem("CB1", 0);
            Click("BtnThresh");
        }
        PickItem("DenoiseRule", c.rule);
        PickItem("DenoiseShrink", c.shrink);
        Control<QSpinBox>("DenoiseShifts").setValue(c.shifts);
        analysis::DenoiseOptions options;
        options.levels = 4;
        options.rule = static_cast<analysis::ThresholdRule>(c.rule);
        options.shrink = static_cast<analysis::Shrink>(c.shrink);
        options.shifts = c.shifts;
        options.fixedThreshold = 20;
        if (c.typedRow >= 0) {
            Table().item(c.typedRow, ui::DenoisePanel::cThreshold)->setText("5");
            options.itemThresholds.assign(5, std::nullopt);
            options.itemThresholds[static_cast<std::size_t>(c.typedRow)] = 5;
        }
        const analysis::DenoiseResult batch = analysis::Denoise(values.data(), 9, options);

        const std::vector<double> before = Buffer();
        Click("ApplyAllLevels");
        const std::vector<double> applied = Buffer();
        const std::vector<std::string> zeroed = Column(ui::DenoisePanel::cZeroed);
        if (!c.thresholdBefore) {
            for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(zeroed[k], std::to_string(batch.levels[k].zeroed));
        }
        PickItem("CB1", 1);
        const std::vector<double> view = form->Charts().Series3().PlottedValues();
        Choose(WindowCommand::Undo);
        EXPECT_EQ(Buffer(), before);
        Choose(WindowCommand::Redo);
        EXPECT_EQ(Buffer(), applied);
        EXPECT_EQ(Column(ui::DenoisePanel::cZeroed), zeroed);
        EXPECT_EQ(form->Charts().Series3().PlottedValues(), view);

        // A later Thresholding is the buffer's own; undone, the average stands again.
        PickItem("CB1", 2);
        Click("BtnThresh");
        EXPECT_FALSE(form->Session().AveragesShifts());
        Choose(WindowCommand::Undo);
        Click("BtnReconstr");
        EXPECT_EQ(Buffer(), batch.signal);
        EXPECT_EQ(form->Charts().Series2().PlottedValues(), batch.signal);
    }
}

}  // namespace

// Automatic, the default, makes --auto's choice and says so; when it chooses
// another transform than the decomposition shown, Apply decomposes again with
// it, and Reconstruct gives --auto's result (up to the rounding of the first
// decomposition undone).
TEST_F(DenoisePanelTest, AutomaticChoosesAsTheBatchAndDecomposesAgainWithItsTransform) {
    const std::vector<double> values = TestSignal(513);
    analysis::DenoiseOptions base;
    base.levels = 4;
    const analysis::AutoChoice choice = analysis::ChooseAutomatically(values.data(), 9, base, {});
    const std::vector<double> expected = analysis::Denoise(values.data(), 9, choice.options).signal;
    Choose(WindowCommand::DenoisePanel);
    LoadSignal();
    const int other = choice.options.wavelet == analysis::Wavelet::Haar ? 2 : 1;
    PickItem("DenoiseTransform", other);
    PickItem("CBLev", 3);
    Click("BtnDecomp");
    EXPECT_EQ(form->Session().DecomposedWavelet(), analysis::kWavelets[other]);
    EXPECT_EQ(Control<QLabel>("DenoiseAutomatic").text().left(11).toStdString(), "Automatic: ");
    Click("ApplyAllLevels");
    EXPECT_EQ(form->Session().DecomposedWavelet(), choice.options.wavelet);
    EXPECT_EQ(form->statusBar()->currentMessage().toStdString(),
              "Automatic chose " + std::string(analysis::WaveletCaption(choice.options.wavelet)) +
                  ": the signal was decomposed again with it");
    Click("BtnReconstr");
    const std::vector<double> rebuilt = Buffer();
    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_NEAR(rebuilt[i], expected[i], 1e-9) << i;
}

TEST_F(DenoisePanelTest, SoftBelowANegativeFixedThresholdIsRefusedOnlyByApplyAndNeverEscapesTheLists) {
    Choose(WindowCommand::DenoisePanel);
    LoadSignal();
    PickItem("CBLev", 2);
    Click("BtnDecomp");
    TypeInto("EdtThresh", "-1");
    PickItem("DenoiseRule", 3);
    PickItem("DenoiseShrink", 1);  // refreshes the rows outside the window's dispatch
    Choose(WindowCommand::LegendAndAxisTitles);
    EXPECT_TRUE(dialogs.Boxes.empty()) << dialogs.Boxes.front().Text;
    EXPECT_EQ(Column(ui::DenoisePanel::cThreshold), (std::vector<std::string>{"", "", ""}));
    const std::vector<double> before = Buffer();
    Click("ApplyAllLevels");
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Soft shrinkage needs thresholds of 0 or more.");
    EXPECT_EQ(Buffer(), before);
    EXPECT_FALSE(form->Session().CanUndo());
}

TEST_F(DenoisePanelTest, SoftBelowANegativeTypedRowIsRefusedNotReplacedByTheRulesThresholds) {
    Choose(WindowCommand::DenoisePanel);
    LoadSignal();
    PickItem("CBLev", 2);
    Click("BtnDecomp");
    PickItem("DenoiseRule", 0);
    PickItem("DenoiseShrink", 1);
    Table().item(1, ui::DenoisePanel::cThreshold)->setText("-1");
    const std::vector<double> before = Buffer();
    Click("ApplyAllLevels");
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Soft shrinkage needs thresholds of 0 or more.");
    EXPECT_EQ(Buffer(), before);
}
