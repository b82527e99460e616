#include "framework/gui/window/ControlHost.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <stdexcept>
#include <vector>

#include "framework/core/Exceptions.h"

namespace {

// Paints its whole area in one colour through the host's window canvas and
// records what the host told it.
class PaintingControl : public fw::IHostedControl {
public:
    explicit PaintingControl(fw::ControlHost& host) : host_(&host) {}

    void HostPaint() override {
        ++paints;
        if (throwOnPaint) throw fw::Exception("paint failed");
        fw::TCanvas& canvas = host_->WindowCanvas();
        canvas.Brush().SetColor(color);
        const fw::TPoint size = host_->ClientSize();
        canvas.FillRect(fw::Rect(0, 0, size.X, size.Y));
    }
    void HostResized() override { ++resizes; }
    void HostMouseDown(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override {
        events.push_back({'D', button, shift, x, y});
    }
    void HostMouseMove(fw::TShiftState shift, int32_t x, int32_t y) override {
        events.push_back({'M', fw::mbLeft, shift, x, y});
    }
    void HostMouseUp(fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y) override {
        events.push_back({'U', button, shift, x, y});
    }
    void HostMouseLeave() override { ++leaves; }
    void HostMouseWheel(fw::TShiftState shift, int32_t x, int32_t y, double notches) override {
        events.push_back({'W', fw::mbLeft, shift, x, y});
        wheelNotches.push_back(notches);
    }
    bool HostKeyDown(fw::TKey key, fw::TShiftState) override {
        keys.push_back(key);
        return key == fw::vkEscape;
    }
    std::string HostToolTip(int32_t x, int32_t) override { return x < 60 ? "left half" : ""; }
    void HostDestroyed() override { host_ = nullptr; }

    struct Event {
        char Kind;
        fw::TMouseButton Button;
        fw::TShiftState Shift;
        int32_t X, Y;
    };
    fw::ControlHost* host_;
    fw::TColor color = fw::clRed;
    int paints = 0;
    int resizes = 0;
    int leaves = 0;
    bool throwOnPaint = false;
    std::vector<Event> events;
    std::vector<double> wheelNotches;
    std::vector<fw::TKey> keys;
};

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = new fw::ControlHost(nullptr, [this](const std::exception_ptr&) { ++errors; });
        host->resize(120, 80);
        control = std::make_unique<PaintingControl>(*host);
        host->SetControl(control.get());
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
        QApplication::processEvents();
        control->paints = 0;
    }
    void TearDown() override { delete host; }

    QRgb ScreenPixel(int x, int y) { return host->grab().toImage().pixel(x, y); }

    fw::ControlHost* host = nullptr;
    std::unique_ptr<PaintingControl> control;
    int errors = 0;
};

TEST_F(ControlHostTest, PaintsTheControlOnceAndShowsItsPicture) {
    host->RepaintControl();
    EXPECT_EQ(control->paints, 1);
    EXPECT_EQ(ScreenPixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(ScreenPixel(119, 79), qRgb(255, 0, 0));
}

TEST_F(ControlHostTest, AnExposureShowsTheKeptPictureWithoutAskingTheControl) {
    host->RepaintControl();
    control->color = fw::clBlue;
    host->repaint();  // what the window system does when the widget is uncovered
    EXPECT_EQ(control->paints, 1);
    EXPECT_EQ(ScreenPixel(5, 5), qRgb(255, 0, 0));
    host->RepaintControl();
    EXPECT_EQ(control->paints, 2);
    EXPECT_EQ(ScreenPixel(5, 5), qRgb(0, 0, 255));
}

TEST_F(ControlHostTest, InvalidateRequestsAreCoalescedIntoOnePaint) {
    const int before = control->paints;
    for (int i = 0; i < 10000; ++i) host->InvalidateControl();
    QApplication::processEvents();
    EXPECT_EQ(control->paints, before + 1);
    EXPECT_EQ(ScreenPixel(5, 5), qRgb(255, 0, 0));

    // Once that paint has run, the next request is served again.
    control->color = fw::clBlue;
    host->InvalidateControl();
    host->InvalidateControl();
    QApplication::processEvents();
    EXPECT_EQ(control->paints, before + 2);
    EXPECT_EQ(ScreenPixel(5, 5), qRgb(0, 0, 255));

    // A request whose update a hidden widget dropped is served when it shows.
    host->InvalidateControl();
    host->hide();
    QApplication::processEvents();
    control->color = fw::clGreen;
    host->InvalidateControl();
    host->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
    QApplication::processEvents();
    EXPECT_EQ(control->paints, before + 3);
    EXPECT_EQ(ScreenPixel(5, 5), qRgb(0, 128, 0));
    control->color = fw::clRed;
    host->InvalidateControl();
    QApplication::processEvents();
    EXPECT_EQ(control->paints, before + 4);
    EXPECT_EQ(ScreenPixel(5, 5), qRgb(255, 0, 0));
}

TEST_F(ControlHostTest, AResizeTellsTheControlAndRepaintsAtTheNewSize) {
    host->RepaintControl();
    const int resizesBefore = control->resizes;
    host->resize(60, 50);
    EXPECT_EQ(control->resizes, resizesBefore + 1);
    EXPECT_EQ(host->ClientSize(), fw::Point(60, 50));
    host->repaint();
    EXPECT_EQ(control->paints, 2);
    EXPECT_EQ(host->WindowCanvas().Surface().TargetImage()->size(), QSize(60, 50));
}

TEST_F(ControlHostTest, DrawingOutsideAPaintIsKeptOnTheWindow) {
    host->RepaintControl();
    fw::TCanvas& canvas = host->WindowCanvas();
    canvas.Pen().SetColor(fw::clBlack);
    canvas.MoveTo(0, 10);
    canvas.LineTo(50, 10);
    host->UpdateWindow();
    host->repaint();
    EXPECT_EQ(control->paints, 1);
    EXPECT_EQ(ScreenPixel(20, 10), qRgb(0, 0, 0));
    EXPECT_EQ(ScreenPixel(20, 11), qRgb(255, 0, 0));
}

TEST_F(ControlHostTest, MouseEventsArriveWithButtonKeysAndPosition) {
    QTest::mousePress(host, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    QTest::mouseRelease(host, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mousePress(host, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
    ASSERT_GE(control->events.size(), 3u);
    const auto& down = control->events[0];
    EXPECT_EQ(down.Kind, 'D');
    EXPECT_EQ(down.Button, fw::mbLeft);
    EXPECT_TRUE(down.Shift & fw::ssShift);
    EXPECT_TRUE(down.Shift & fw::ssLeft);
    EXPECT_EQ(down.X, 10);
    EXPECT_EQ(down.Y, 20);
    const auto& up = control->events[1];
    EXPECT_EQ(up.Kind, 'U');
    EXPECT_EQ(up.Button, fw::mbLeft);
    EXPECT_EQ(up.X, 30);
    EXPECT_EQ(up.Y, 40);
    const auto& right = control->events[2];
    EXPECT_EQ(right.Button, fw::mbRight);
    EXPECT_TRUE(right.Shift & fw::ssCtrl);
    EXPECT_FALSE(right.Shift & fw::ssShift);
}

TEST_F(ControlHostTest, ADoubleClickArrivesAsAPressWithTheDoubleFlag) {
    QTest::mouseDClick(host, Qt::LeftButton, Qt::NoModifier, QPoint(7, 8));
    std::vector<bool> doubles;
    for (const auto& e : control->events) {
        if (e.Kind == 'D') doubles.push_back((e.Shift & fw::ssDouble) != 0);
    }
    ASSERT_FALSE(doubles.empty());
    EXPECT_TRUE(doubles.back()) << "the second press of the pair carries the flag";
}

TEST_F(ControlHostTest, WheelTurnsArriveInNotchesWithTheKeys) {
    auto turn = [&](QPoint angle, Qt::KeyboardModifiers keys) {
        QWheelEvent wheel(QPointF(12, 34), QPointF(host->mapToGlobal(QPoint(12, 34))), QPoint(), angle, Qt::NoButton,
                          keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(host, &wheel);
    };
    turn(QPoint(0, 240), Qt::NoModifier);
    turn(QPoint(0, -60), Qt::ControlModifier);
    // With Shift some systems report the turn sideways.
    turn(QPoint(120, 0), Qt::ShiftModifier);
    EXPECT_EQ(control->wheelNotches, (std::vector<double>{2.0, -0.5, 1.0}));
    ASSERT_EQ(control->events.size(), 3u);
    EXPECT_EQ(control->events[0].X, 12);
    EXPECT_EQ(control->events[0].Y, 34);
    EXPECT_TRUE(control->events[1].Shift & fw::ssCtrl);
    EXPECT_TRUE(control->events[2].Shift & fw::ssShift);
}

TEST_F(ControlHostTest, KeysTheControlLeavesGoOnToTheWindow) {
    EXPECT_EQ(host->focusPolicy(), Qt::ClickFocus);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(host, &escape);
    EXPECT_TRUE(escape.isAccepted());
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(host, &back);
    EXPECT_FALSE(back.isAccepted()) << "the control did not use it";
    QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(host, &other);
    EXPECT_EQ(control->keys, (std::vector<fw::TKey>{fw::vkEscape, fw::vkBack})) << "keys without an id stay away";
}

TEST_F(ControlHostTest, TheControlsTooltipTextIsShownAndAnEmptyOneShowsNone) {
    auto tip = [&](QPoint p) {
        QHelpEvent help(QEvent::ToolTip, p, host->mapToGlobal(p));
        QApplication::sendEvent(host, &help);
        return help.isAccepted() ? QToolTip::text().toStdString() : std::string("(none)");
    };
    EXPECT_EQ(tip({10, 10}), "left half");
    EXPECT_EQ(tip({100, 10}), "(none)");
    QToolTip::hideText();
}

TEST_F(ControlHostTest, LeavingTheWidgetIsForwarded) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(host, &leave);
    EXPECT_EQ(control->leaves, 1);
}

TEST_F(ControlHostTest, CursorIdsBecomeQtShapes) {
    host->SetCursor(fw::crCross);
    EXPECT_EQ(host->Cursor(), fw::crCross);
    EXPECT_EQ(host->cursor().shape(), Qt::CrossCursor);
    host->SetCursor(fw::crDefault);
    EXPECT_EQ(host->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(fw::CursorShapeOf(fw::crHandPoint), Qt::PointingHandCursor);
    EXPECT_EQ(fw::CursorShapeOf(fw::crSizeWE), Qt::SizeHorCursor);
}

TEST_F(ControlHostTest, AnErrorInsideTheControlGoesToTheHandlerAfterTheEvent) {
    control->throwOnPaint = true;
    host->RepaintControl();
    host->RepaintControl();
    EXPECT_EQ(errors, 0) << "reported inside the event";
    QCoreApplication::processEvents();
    EXPECT_EQ(errors, 1) << "one report for the errors raised while it waited";
    host->RepaintControl();
    QCoreApplication::processEvents();
    EXPECT_EQ(errors, 2);
}

TEST_F(ControlHostTest, TheControlIsToldWhenTheWidgetGoesFirst) {
    delete host;
    host = nullptr;
    EXPECT_EQ(control->host_, nullptr);
}

}  // namespace
