// The window's menu bar: its items, their shortcuts, which are enabled in
// each state of the session, and the commands that stay inside the window
// (Suggest Threshold, the Help boxes, Quit).

#include <QMenu>
#include <QMenuBar>
#include <random>

#include "WindowFixture.h"
#include "analysis/denoise/Thresholding.h"
#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/NoiseGains.h"
#include "analysis/denoise/ThresholdRules.h"
#include "analysis/denoise/UniversalThreshold.h"
#include "framework/core/Conversions.h"
#include "framework/core/FormatSettings.h"
#include "ui/ThresholdSuggestion.h"

namespace {

using ui::WindowCommand;

class MenuTest : public WindowTest {
protected:
    // "Menu/Item" for every item, "+" before each enabled one, with its shortcut.
    std::vector<std::string> Items(bool withState) const {
        std::vector<std::string> items;
        for (QAction* entry : form->menuBar()->actions()) {
            for (QAction* action : entry->menu()->actions()) {
                if (action->isSeparator()) continue;
                std::string item = (withState && action->isEnabled() ? "+" : "") + entry->text().toStdString() + "/" +
                                   action->text().toStdString();
                if (!action->shortcut().isEmpty()) item += " " + action->shortcut().toString().toStdString();
                items.push_back(item);
            }
        }
        return items;
    }

    std::vector<std::string> Enabled() const {
        std::vector<std::string> enabled;
        for (const std::string& item : Items(true)) {
            if (item.front() == '+') enabled.push_back(item.substr(1));
        }
        return enabled;
    }
};

TEST_F(MenuTest, MenusHoldEveryItemInOrderWithTheirShortcuts) {
    EXPECT_EQ(Items(false), (std::vector<std::string>{
                                "File/Load Data… Ctrl+O",
                                "File/Import… Ctrl+I",
                                "File/Save Signal As…",
                                "File/Save Reconstruction As…",
                                "File/Save Coefficients As…",
                                "File/Save Whole Grid",
                                "File/Export Upper Chart…",
                                "File/Export Lower Chart…",
                                "File/Print Upper Chart…",
                                "File/Print Lower Chart…",
                                "File/Save Recipe…",
                                "File/Replay Recipe…",
                                "File/Quit Ctrl+Q",
                                "Edit/Undo Ctrl+Z",
                                "Edit/Redo Ctrl+Shift+Z",
                                "Edit/Copy Upper Chart",
                                "Edit/Copy Lower Chart",
                                "Edit/Suggest Threshold",
                                "View/Undo Zoom",
                                "View/Legend and Axis Titles",
                                "View/Denoise Panel Ctrl+D",
                                "View/Residual",
                                "View/Cursors",
                                "Help/Mouse and Keys",
                                "Help/About Quelmar",
                            }));
}

TEST_F(MenuTest, ItemsAreEnabledOnlyWhileWhatTheyNeedExists) {
    const std::vector<std::string> always{
        "File/Load Data… Ctrl+O",      "File/Import… Ctrl+I",       "File/Replay Recipe…", "File/Quit Ctrl+Q",
        "View/Legend and Axis Titles", "View/Denoise Panel Ctrl+D", "Help/Mouse and Keys", "Help/About Quelmar"};
    const std::vector<std::string> signal{
        "File/Load Data… Ctrl+O", "File/Import… Ctrl+I",         "File/Save Signal As…",
        "File/Save Whole Grid",   "File/Export Upper Chart…",    "File/Print Upper Chart…",
        "File/Save Recipe…",      "File/Replay Recipe…",         "File/Quit Ctrl+Q",
        "Edit/Copy Upper Chart",  "View/Legend and Axis Titles", "View/Denoise Panel Ctrl+D",
        "View/Cursors",           "Help/Mouse and Keys",         "Help/About Quelmar"};
    const std::vector<std::string> viewed{
        "File/Load Data… Ctrl+O",      "File/Import… Ctrl+I",       "File/Save Signal As…",
        "File/Save Coefficients As…",  "File/Save Whole Grid",      "File/Export Upper Chart…",
        "File/Export Lower Chart…",    "File/Print Upper Chart…",   "File/Print Lower Chart…",
        "File/Save Recipe…",           "File/Replay Recipe…",       "File/Quit Ctrl+Q",
        "Edit/Copy Upper Chart",       "Edit/Copy Lower Chart",     "Edit/Suggest Threshold",
        "View/Legend and Axis Titles", "View/Denoise Panel Ctrl+D", "View/Cursors",
        "Help/Mouse and Keys",         "Help/About Quelmar"};
    std::vector<std::string> thresholded = viewed;
    thresholded.insert(thresholded.begin() + 12, "Edit/Undo Thresholding Level 1 Ctrl+Z");
    const std::vector<std::string> rebuilt{"File/Load Data… Ctrl+O",
                                           "File/Import… Ctrl+I",
                                           "File/Save Signal As…",
                                           "File/Save Reconstruction As…",
                                           "File/Save Whole Grid",
                                           "File/Export Upper Chart…",
                                           "File/Print Upper Chart…",
                                           "File/Save Recipe…",
                                           "File/Replay Recipe…",
                                           "File/Quit Ctrl+Q",
                                           "Edit/Undo Reconstruct Ctrl+Z",
                                           "Edit/Copy Upper Chart",
                                           "View/Legend and Axis Titles",
                                           "View/Denoise Panel Ctrl+D",
                                           "View/Residual",
                                           "View/Cursors",
                                           "Help/Mouse and Keys",
                                           "Help/About Quelmar"};
    const std::string missing = PathIn("missing.dat");
    const struct {
        const char* step;
        std::function<void()> act;
        const std::vector<std::string>& expected;
    } steps[] = {
        {"start", [] {}, always},
        {"a cancelled open",
         [&] {
             dialogs.CancelNextOpen();
             Click("BtnLoad");
         },
         always},
        {"load", [&] { LoadSignal(); }, signal},
        {"decompose",
         [&] {
             PickItem("CBLev", 2);
             Click("BtnDecomp");
         },
         signal},
        {"view a level", [&] { PickItem("CB1", 0); }, viewed},
        {"threshold", [&] { Click("BtnThresh"); }, thresholded},
        {"a failed load",
         [&] {
             dialogs.AnswerOpenWith(missing);
             Click("BtnLoad");
         },
         thresholded},
        {"reconstruct", [&] { Click("BtnReconstr"); }, rebuilt},
        {"decompose again",
         [&] {
             PickItem("CBLev", 0);
             Click("BtnDecomp");
         },
         signal},
        {"view the approximation", [&] { PickItem("CB1", 1); }, viewed},
        {"load anew", [&] { LoadSignal(); }, signal},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(Enabled(), step.expected) << "after " << step.step;
    }
}

TEST_F(MenuTest, ShortcutsOpenTheLoadDialogAndQuit) {
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    dialogs.AnswerOpenWith(SamplePath("signal.dat", 513));
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Log, std::vector<std::string>{"open "});
    EXPECT_EQ(Series1().Count(), 513);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MenuTest, SuggestThresholdFillsTheBoxWithTheUniversalThresholdWithoutApplyingIt) {
    // The viewed level's noise is the samples' noise, estimated from level 1,
    // times that level's gain.
    LoadDecomposeAndView(2, 0);
    const double sampleNoise = analysis::EstimateSampleNoise(Series3().YValues());
    PickItem("CB1", 1);
    dialogs.Log.clear();
    const std::vector<double> coefficients = Series3().YValues();
    Choose(WindowCommand::SuggestThreshold);
    const std::string text = Edit("EdtThresh").text().toStdString();
    const double threshold = analysis::UniversalLevelThreshold(sampleNoise * analysis::NoiseGains(9, 3)[1], 513);
    ASSERT_GT(threshold, 0.0);
    EXPECT_EQ(analysis::ParseThreshold(text), threshold) << text;
    EXPECT_EQ(Series3().YValues(), coefficients);
    EXPECT_TRUE(dialogs.Log.empty());

    // Thresholding then zeroes exactly the coefficients not above it.
    Click("BtnThresh");
    const std::vector<double> after = Series3().YValues();
    ASSERT_EQ(after.size(), coefficients.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i], std::fabs(coefficients[i]) <= threshold ? 0.0 : coefficients[i]) << i;
    }
}

TEST(ThresholdSuggestion, TheTextIsTheShortestThatReadsBackToTheThreshold) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-1e3, 1e3);
    const fw::FormatSettings saved = fw::DefaultFormatSettings();
    for (const char separator : {'.', ','}) {
        fw::DefaultFormatSettings().DecimalSeparator = separator;
        fw::DefaultFormatSettings().ThousandSeparator = separator == '.' ? ',' : '.';
        for (int trial = 0; trial < 300; ++trial) {
            std::vector<double> coefficients(1 + trial % 40);
            for (double& c : coefficients) c = value(random) * std::pow(10.0, trial % 7 - 3);
            const int64_t length = 2 * static_cast<int64_t>(coefficients.size()) + 1;
            const double threshold = analysis::UniversalThreshold(coefficients, length);
            const std::string text = ui::ThresholdText(threshold);
            ASSERT_EQ(analysis::ParseThreshold(text), threshold) << text;
            EXPECT_EQ(text.find(separator == '.' ? ',' : '.'), std::string::npos) << text;
            // One digit fewer would not read back, unless fifteen already do.
            int digits = 0;
            for (const char c : text.substr(0, text.find('E'))) {
                // Leading zeros are not significant.
                if ((c >= '1' && c <= '9') || (c == '0' && digits > 0)) ++digits;
            }
            if (digits > 15) {
                const std::string shorter = fw::FloatToStrF(threshold, fw::ffGeneral, digits - 1, 0);
                EXPECT_NE(analysis::ParseThreshold(shorter), threshold) << text;
            }
        }
    }
    fw::DefaultFormatSettings() = saved;
}

TEST_F(MenuTest, HelpItemsShowTheirBoxes) {
    Choose(WindowCommand::MouseAndKeys);
    Choose(WindowCommand::About);
    ASSERT_EQ(dialogs.Boxes.size(), 2u);
    EXPECT_EQ(dialogs.Boxes[0].Caption, "Mouse and Keys");
    EXPECT_NE(dialogs.Boxes[0].Text.find("Right drag: scroll."), std::string::npos);
    for (const QAction* action : form->findChildren<QAction*>()) {
        const std::string keys = action->shortcut().toString(QKeySequence::PortableText).toStdString();
        EXPECT_TRUE(keys.empty() || dialogs.Boxes[0].Text.find(keys + ": ") != std::string::npos) << keys;
    }
    EXPECT_EQ(dialogs.Boxes[1].Caption, "About Quelmar");
    EXPECT_EQ(dialogs.Boxes[1].Text.rfind("Quelmar 1.", 0), 0u) << dialogs.Boxes[1].Text;
    for (const RecordedBox& box : dialogs.Boxes) EXPECT_EQ(box.Icon, fw::MessageBoxIcon::Information);
}

}  // namespace
