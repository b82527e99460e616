// The window's two charts as the user sees them through a session on the
// bundled Doppler sample, against golden pictures, and what a failed load or
// a reload leaves on them.

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "GoldenImage.h"
#include "WindowFixture.h"

namespace {

const std::string kGoldenDir = std::string(QUELMAR_SOURCE_DIR) + "/tests/ui/golden/";
const std::string kDoppler = std::string(QUELMAR_SOURCE_DIR) + "/samples/doppler_noisy_513.dat";

class WindowGolden : public WindowTest {
protected:
    // Both chart areas after pending repaints, stacked as in the window.
    QImage ChartAreas() {
        QApplication::processEvents();
        QWidget& upper = Control<QWidget>("Chart1");
        QWidget& lower = Control<QWidget>("Chart2");
        QImage picture(upper.width(), lower.y() - upper.y() + lower.height(), QImage::Format_RGB32);
        picture.fill(Qt::gray);
        QPainter painter(&picture);
        painter.drawImage(0, 0, upper.grab().toImage());
        painter.drawImage(0, lower.y() - upper.y(), lower.grab().toImage());
        return picture;
    }
    void LoadDoppler() {
        dialogs.AnswerOpenWith(kDoppler);
        Click("BtnLoad");
    }
    void DecomposeAndView(int levels, int viewIndex) {
        PickItem("CBLev", levels - 1);
        Click("BtnDecomp");
        PickItem("CB1", viewIndex);
    }
    void ThresholdAndReconstruct(const char* threshold) {
        TypeInto("EdtThresh", threshold);
        Click("BtnThresh");
        Click("BtnReconstr");
    }
};

TEST_F(WindowGolden, TheSessionStepByStep) {
    golden::ExpectMatches(ChartAreas(), kGoldenDir, "window_start");
    LoadDoppler();
    ASSERT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Series1().Count(), 513);
    golden::ExpectMatches(ChartAreas(), kGoldenDir, "window_loaded");
    DecomposeAndView(3, 0);
    EXPECT_EQ(Series3().Count(), 256);
    golden::ExpectMatches(ChartAreas(), kGoldenDir, "window_level1");
    ThresholdAndReconstruct("10");
    ASSERT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Series2().Count(), 513);
    EXPECT_EQ(Series3().Count(), 0);
    golden::ExpectMatches(ChartAreas(), kGoldenDir, "window_reconstructed");
}

// The count is read after the file is picked; the view is emptied first.
TEST_F(WindowGolden, ALoadThatFailsOnItsCountEmptiesChart2AndKeepsChart1) {
    LoadDoppler();
    DecomposeAndView(3, 3);  // the approximation
    ASSERT_EQ(Series3().Count(), 65);
    const QImage before = ChartAreas();
    TypeInto("EdtN", "abc");
    LoadDoppler();
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(Series1().Count(), 513);
    EXPECT_EQ(Series3().Count(), 0);
    const QImage after = ChartAreas();
    const int lowerTop = Control<QWidget>("Chart2").y();
    EXPECT_EQ(after.copy(0, 0, after.width(), lowerTop), before.copy(0, 0, before.width(), lowerTop));
    golden::ExpectMatches(after, kGoldenDir, "window_loaded");
}

// A load starts a fresh analysis: the old reconstruction does not stay
// beside a signal it was not made from.
TEST_F(WindowGolden, AReloadRemovesTheOldReconstruction) {
    LoadDoppler();
    DecomposeAndView(3, 0);
    ThresholdAndReconstruct("10");
    ASSERT_EQ(Series2().Count(), 513);
    LoadDoppler();
    EXPECT_EQ(Series2().Count(), 0);
    EXPECT_EQ(Series3().Count(), 0);
    golden::ExpectMatches(ChartAreas(), kGoldenDir, "window_loaded");
}

}  // namespace
