// The threshold lines on the lower chart through the window: shown with the
// Denoise panel at the viewed level's T, a drag of a line moves the threshold
// box and previews the rebuilt signal on the upper chart without touching the
// buffer, which Thresholding then makes real; a line beyond the axis stays
// within reach at its edge; a press away from the lines still zooms.

#include <QDockWidget>

#include "WindowFixture.h"
#include "analysis/denoise/Thresholding.h"

namespace {

using ui::WindowCommand;

class ThresholdDragTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoadDecomposeAndView(2, 0);
        QApplication::processEvents();
    }

    QWidget& Host() { return Control<QWidget>("Chart2"); }
    chart::TChart& Chart2() { return Charts().Chart2(); }
    int32_t Row(double value) { return Chart2().LeftAxis()->CalcYPosValue(value); }
    int32_t MiddleX() { return (Chart2().PlotRect().Left + Chart2().PlotRect().Right) / 2; }

    // A left drag in single-pixel moves from one row to another at x.
    void DragRows(int32_t x, int32_t from, int32_t to) {
        QTest::mousePress(&Host(), Qt::LeftButton, Qt::NoModifier, QPoint(x, from));
        for (int32_t y = from; y != to;) {
            y += to > from ? 1 : -1;
            QTest::mouseMove(&Host(), QPoint(x, y));
        }
        QTest::mouseRelease(&Host(), Qt::LeftButton, Qt::NoModifier, QPoint(x, to));
        QApplication::processEvents();
    }
};

TEST_F(ThresholdDragTest, TheLinesShowWithThePanelWhileALevelIsViewed) {
    const chart::TThresholdLines& lines = form->Charts().ThresholdLines();
    EXPECT_FALSE(lines.Visible());
    Choose(WindowCommand::DenoisePanel);
    EXPECT_TRUE(lines.Visible());
    ASSERT_TRUE(form->Panel().RowThreshold(1).has_value());
    EXPECT_EQ(lines.Threshold(), *form->Panel().RowThreshold(1)) << "the panel's T of the level viewed";
    EXPECT_EQ(analysis::ParseThreshold(Edit("EdtThresh").text().toStdString()), lines.Threshold());
    TypeInto("EdtThresh", "12.5");
    EXPECT_EQ(lines.Threshold(), 12.5);
    TypeInto("EdtThresh", "12.");
    TypeInto("EdtThresh", "-");  // half-typed: the lines stay
    EXPECT_EQ(lines.Threshold(), 12.0);
    Click("BtnReconstr");
    EXPECT_FALSE(lines.Visible());
}

TEST_F(ThresholdDragTest, ADragMovesTheBoxAndPreviewsWithoutTouchingTheBuffer) {
    Choose(WindowCommand::DenoisePanel);
    TypeInto("EdtThresh", "10");
    QApplication::processEvents();
    const std::vector<double> before = Buffer();
    const std::vector<double> signal = Series1().YValues();
    DragRows(MiddleX(), Row(10), Row(25));
    const double t = form->Charts().ThresholdLines().Threshold();
    EXPECT_GT(t, 20.0);
    EXPECT_EQ(analysis::ParseThreshold(Edit("EdtThresh").text().toStdString()), t);
    EXPECT_EQ(Buffer(), before);
    EXPECT_EQ(Series1().YValues(), signal);
    EXPECT_FALSE(Charts().Chart2().Zoomed());
    ASSERT_TRUE(form->Charts().PreviewShown());
    EXPECT_EQ(form->Panel().RowThreshold(1), t) << "the drag let go types the level's row";
    const std::vector<double> preview = form->Charts().Preview().PlottedValues();

    // Thresholding at the box's number and rebuilding gives the preview.
    Click("BtnThresh");
    EXPECT_FALSE(form->Charts().PreviewShown());
    Click("BtnReconstr");
    EXPECT_EQ(Series2().YValues(), preview);
}

// Coefficients within +-1 and a T of 10: the lines stand at the plot's
// edges, where a drag takes them in.
TEST_F(ThresholdDragTest, ALineBeyondTheAxisStandsAtItsEdgeWithinReach) {
    std::vector<double> small = TestSignal(513);
    for (double& v : small) v /= 1000;
    const std::string path = PathIn("small.dat");
    WriteSampleFile(path, small);
    dialogs.AnswerOpenWith(path);
    Click("BtnLoad");
    PickItem("CBLev", 0);
    Click("BtnDecomp");
    PickItem("CB1", 0);
    Choose(WindowCommand::DenoisePanel);
    TypeInto("EdtThresh", "10");
    QApplication::processEvents();
    const fw::TRect plot = Chart2().PlotRect();
    chart::TThresholdLines& lines = Charts().ThresholdLines();
    ASSERT_TRUE(lines.Grabs(Chart2(), MiddleX(), plot.Top));
    EXPECT_TRUE(lines.Grabs(Chart2(), MiddleX(), plot.Bottom - 1));
    DragRows(MiddleX(), plot.Top, (plot.Top + plot.Bottom) / 4);
    EXPECT_LT(lines.Threshold(), 1.0);
    EXPECT_EQ(form->Panel().RowThreshold(1), lines.Threshold());
}

TEST_F(ThresholdDragTest, APressAwayFromTheLinesStillZooms) {
    Choose(WindowCommand::DenoisePanel);
    TypeInto("EdtThresh", "10");
    QApplication::processEvents();
    const int32_t from = Row(10) + 3 * chart::TThresholdLines::kGrabPixels;
    QTest::mousePress(&Host(), Qt::LeftButton, Qt::NoModifier, QPoint(MiddleX() - 60, from));
    for (int i = 1; i <= 40; ++i) QTest::mouseMove(&Host(), QPoint(MiddleX() - 60 + 2 * i, from + i));
    QTest::mouseRelease(&Host(), Qt::LeftButton, Qt::NoModifier, QPoint(MiddleX() + 20, from + 40));
    EXPECT_TRUE(Charts().Chart2().Zoomed());
    EXPECT_EQ(Edit("EdtThresh").text(), "10");
    EXPECT_FALSE(form->Charts().PreviewShown());
}

}  // namespace
