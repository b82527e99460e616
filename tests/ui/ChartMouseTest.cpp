// Zoom, scroll, wheel, keys and tooltip driven with the mouse on the window's
// two charts, each test run on both.

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>
#include <QWheelEvent>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "chart/ChartEngine.h"

namespace {

// The ends of the four side axes, in the order top, bottom, left, right.
using AxisEnds = std::array<std::array<double, 2>, 4>;

class ChartMouseTest : public WindowTest, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dialogs.AnswerOpenWith(QUELMAR_SOURCE_DIR "/samples/doppler_noisy_513.dat");
        Click("BtnLoad");
        PickItem("CBLev", 2);
        Click("BtnDecomp");
        PickItem("CB1", 0);
        ASSERT_GT(Series3().Count(), 0);
        ASSERT_GT(Series1().Count(), 0);
        Settle();
        chart::TChart& c = Chart();
        // Logged ahead of the window's own handlers, which stay.
        const auto logged = [this](chart::TChartNotifyEvent& event, const char* what) {
            event = [this, what, window = event](chart::TCustomChartPanelExtended& sender) {
                log.push_back(what);
                if (window) window(sender);
            };
        };
        logged(c.OnZoom, "zoom");
        logged(c.OnUndoZoom, "undo");
        c.OnScroll = [this](auto&) { log.push_back("scroll"); };
        const fw::TRect plot = c.PlotRect();
        ASSERT_TRUE(plot.Contains({100, 50}) && plot.Contains({300, 200})) << "the gestures lie inside the plot";
    }

    chart::TChart& Chart() { return std::string(GetParam()) == "Chart1" ? Charts().Chart1() : Charts().Chart2(); }
    QWidget& Host() { return Control<QWidget>(GetParam()); }

    // Pending repaints done.
    void Settle() { QApplication::processEvents(); }
    QImage Picture() {
        Settle();
        return Host().grab().toImage();
    }
    // The picture a fresh repaint of the chart gives.
    QImage FreshPicture() {
        Chart().Repaint();
        return Picture();
    }

    void Press(Qt::MouseButton b, QPoint p) { QTest::mousePress(&Host(), b, Qt::NoModifier, p); }
    void Release(Qt::MouseButton b, QPoint p) { QTest::mouseRelease(&Host(), b, Qt::NoModifier, p); }
    void Move(QPoint p) { QTest::mouseMove(&Host(), p); }
    // A drag in single-pixel moves along the straight line between the ends.
    void Drag(Qt::MouseButton b, QPoint from, QPoint to) {
        Press(b, from);
        const int steps = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
        for (int i = 1; i <= steps; ++i) {
            Move(from + (to - from) * i / steps);
        }
        Release(b, to);
        Settle();
    }
    void ZoomDrag(QPoint from, QPoint to) { Drag(Qt::LeftButton, from, to); }

    std::array<chart::TChartAxis*, 4> Axes() {
        chart::TChart& c = Chart();
        return {c.TopAxis(), c.BottomAxis(), c.LeftAxis(), c.RightAxis()};
    }
    AxisEnds Ends() {
        AxisEnds ends;
        const auto axes = Axes();
        for (std::size_t i = 0; i < 4; ++i) ends[i] = {axes[i]->Minimum(), axes[i]->Maximum()};
        return ends;
    }
    AxisEnds ShownEnds() {
        AxisEnds ends;
        const auto axes = Axes();
        for (std::size_t i = 0; i < 4; ++i) ends[i] = {axes[i]->ShownMinimum(), axes[i]->ShownMaximum()};
        return ends;
    }
    // The values at the rectangle's edges: its left (bottom) and right (top).
    AxisEnds ValuesAt(QPoint topLeft, QPoint bottomRight) {
        const auto axes = Axes();
        AxisEnds ends;
        for (std::size_t i = 0; i < 4; ++i) {
            const bool h = axes[i]->IsHorizontal();
            ends[i] = {axes[i]->CalcPosPoint(h ? topLeft.x() : bottomRight.y()),
                       axes[i]->CalcPosPoint(h ? bottomRight.x() : topLeft.y())};
            // The axes without series have an empty range, which a manual
            // axis widens to its least span.
            ends[i][1] = std::max(ends[i][1], ends[i][0] + 1e-10);
        }
        return ends;
    }
    bool AllAutomatic() {
        for (chart::TChartAxis* a : Axes()) {
            if (!a->Automatic()) return false;
        }
        return true;
    }

    std::vector<std::string> log;
};

INSTANTIATE_TEST_SUITE_P(BothCharts, ChartMouseTest, testing::Values("Chart1", "Chart2"));

void ExpectEnds(const AxisEnds& actual, const AxisEnds& expected, double tolerance = 0) {
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE("axis " + std::to_string(i));
        EXPECT_NEAR(actual[i][0], expected[i][0], tolerance);
        EXPECT_NEAR(actual[i][1], expected[i][1], tolerance);
    }
}

TEST_P(ChartMouseTest, ADragRightAndDownZoomsAllFourAxesToThePixelValues) {
    const AxisEnds expected = ValuesAt({100, 50}, {300, 200});
    ZoomDrag({100, 50}, {300, 200});
    for (chart::TChartAxis* a : Axes()) EXPECT_FALSE(a->Automatic());
    ExpectEnds(Ends(), expected);
    EXPECT_EQ(log, std::vector<std::string>{"zoom"});
    EXPECT_TRUE(Chart().Zoomed());
    EXPECT_FALSE(Chart().ScalesOriginal());
    EXPECT_TRUE(Picture() == FreshPicture()) << "the outline left nothing behind";
}

// After one zoom, a second drag by its direction and size.
struct SecondDrag {
    const char* Name;
    QPoint From, To;
    bool Undoes;
};

TEST_P(ChartMouseTest, ASecondDragUndoesUnlessItIsTooSmall) {
    const SecondDrag cases[] = {
        {"10 pixels wide", {100, 50}, {110, 200}, false}, {"10 pixels high", {100, 50}, {300, 60}, false},
        {"reverse", {300, 200}, {100, 50}, true},         {"left and down", {300, 50}, {100, 200}, true},
        {"right and up", {100, 200}, {300, 50}, true},
    };
    for (const SecondDrag& c : cases) {
        SCOPED_TRACE(c.Name);
        Chart().UndoZoom();
        Settle();
        ZoomDrag({100, 50}, {300, 200});
        const AxisEnds zoomed = Ends();
        const QImage before = Picture();
        log.clear();
        ZoomDrag(c.From, c.To);
        if (c.Undoes) {
            EXPECT_EQ(log, std::vector<std::string>{"undo"});
            EXPECT_TRUE(AllAutomatic());
            EXPECT_FALSE(Chart().Zoomed());
        } else {
            EXPECT_TRUE(log.empty());
            ExpectEnds(Ends(), zoomed);
            EXPECT_TRUE(Picture() == before) << "the outline is erased";
            EXPECT_TRUE(before == FreshPicture());
        }
    }
}

TEST_P(ChartMouseTest, TwoZoomsThenOneUndoRestoreTheViewBeforeTheFirst) {
    const AxisEnds original = ShownEnds();
    ZoomDrag({100, 50}, {300, 200});
    ZoomDrag({150, 80}, {250, 180});
    EXPECT_EQ(log, (std::vector<std::string>{"zoom", "zoom"}));
    ZoomDrag({300, 200}, {100, 50});
    EXPECT_TRUE(AllAutomatic());
    ExpectEnds(ShownEnds(), original);
    EXPECT_TRUE(Chart().ScalesOriginal());
}

TEST_P(ChartMouseTest, TheViewMenusUndoZoomIsEnabledByAZoomAndUndoesIt) {
    QAction* undo = nullptr;
    for (QAction* menu : form->menuBar()->actions()) {
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == "Undo Zoom") undo = item;
        }
    }
    ASSERT_NE(undo, nullptr);
    const AxisEnds original = ShownEnds();
    EXPECT_FALSE(undo->isEnabled());
    ZoomDrag({100, 50}, {300, 200});
    Settle();
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    Settle();
    EXPECT_TRUE(AllAutomatic());
    ExpectEnds(ShownEnds(), original);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(log, (std::vector<std::string>{"zoom", "undo"}));
}

// A right drag of 20 single-pixel moves from (200, 100).
struct ScrollCase {
    int Dx, Dy;
};

TEST_P(ChartMouseTest, ARightDragMovesTheAxesByTheValueSpanOfTheDrag) {
    const QPoint start(200, 100);
    double bottomShift[2] = {0, 0};
    const ScrollCase cases[] = {{-20, 0}, {20, 0}, {0, -20}, {0, 20}};
    for (const ScrollCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.Dx) + "," + std::to_string(c.Dy));
        Chart().UndoZoom();
        Settle();
        log.clear();
        const AxisEnds before = Ends();
        const QPoint end = start + QPoint(c.Dx, c.Dy);
        AxisEnds expected = before;
        const auto axes = Axes();
        for (std::size_t i = 0; i < 4; ++i) {
            const bool h = axes[i]->IsHorizontal();
            if (h ? c.Dx == 0 : c.Dy == 0) continue;
            const double delta = h ? axes[i]->CalcPosPoint(start.x()) - axes[i]->CalcPosPoint(end.x())
                                   : axes[i]->CalcPosPoint(start.y()) - axes[i]->CalcPosPoint(end.y());
            expected[i] = {before[i][0] + delta, before[i][1] + delta};
        }
        Drag(Qt::RightButton, start, end);
        const double range = before[1][1] - before[1][0];
        ExpectEnds(Ends(), expected, 1e-9 * range + 1e-9);
        EXPECT_EQ(log, std::vector<std::string>(20, "scroll"));
        EXPECT_EQ(Chart().BottomAxis()->Automatic(), c.Dx == 0) << "only the dragged direction scrolls";
        EXPECT_EQ(Chart().LeftAxis()->Automatic(), c.Dy == 0);
        if (c.Dy == 0) bottomShift[c.Dx > 0] = Ends()[1][0] - before[1][0];
    }
    EXPECT_GT(bottomShift[0], 0) << "dragging left shows later values";
    EXPECT_NEAR(bottomShift[0], -bottomShift[1], 1e-9 * std::abs(bottomShift[0]));
}

TEST_P(ChartMouseTest, AScrollThatLeavesThePlotStopsUntilTheNextPress) {
    const fw::TRect plot = Chart().PlotRect();
    const int y = (plot.Top + plot.Bottom) / 2;
    Press(Qt::RightButton, {plot.Left + 10, y});
    for (int x = plot.Left + 9; x >= plot.Left - 3; --x) Move({x, y});
    EXPECT_EQ(log.size(), 10u) << "moves inside the plot scroll";
    const AxisEnds stopped = Ends();
    for (int x = plot.Left; x <= plot.Left + 15; ++x) Move({x, y});
    Settle();
    EXPECT_EQ(log.size(), 10u);
    ExpectEnds(Ends(), stopped);
    Release(Qt::RightButton, {plot.Left + 15, y});
    Press(Qt::RightButton, {plot.Left + 15, y});
    Move({plot.Left + 16, y});
    Release(Qt::RightButton, {plot.Left + 16, y});
    EXPECT_EQ(log.size(), 11u) << "the next press scrolls again";
}

TEST_P(ChartMouseTest, HorizontalPanningIgnoresAVerticalDrag) {
    Chart().SetAllowPanning(chart::pmHorizontal);
    const AxisEnds before = Ends();
    Drag(Qt::RightButton, {200, 100}, {200, 130});
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(AllAutomatic());
    ExpectEnds(Ends(), before);
}

TEST_P(ChartMouseTest, AnAnimatedZoomShowsSevenStepsEachAThirdOfTheWayThenTheTarget) {
    Chart().SetAnimatedZoom(true);
    ASSERT_EQ(Chart().AnimatedZoomSteps(), 8);
    Settle();
    const AxisEnds start = Ends();
    const AxisEnds target = ValuesAt({100, 50}, {300, 200});
    std::vector<AxisEnds> drawn;
    Chart().OnAfterDraw = [&](auto&) { drawn.push_back(Ends()); };
    ZoomDrag({100, 50}, {300, 200});
    ASSERT_EQ(drawn.size(), 8u) << "7 steps and the final repaint";
    AxisEnds expected = start;
    for (std::size_t step = 0; step < 7; ++step) {
        SCOPED_TRACE("step " + std::to_string(step + 1));
        for (std::size_t i = 0; i < 4; ++i) {
            expected[i][0] += (target[i][0] - expected[i][0]) / 3;
            expected[i][1] -= (expected[i][1] - target[i][1]) / 3;
        }
        ExpectEnds(drawn[step], expected, 1e-12 * (std::abs(start[1][1]) + std::abs(start[2][1]) + 1));
    }
    ExpectEnds(drawn[7], target);
    EXPECT_EQ(log, std::vector<std::string>{"zoom"});
}

// One wheel turn over the host at p.
void Wheel(QWidget& host, QPoint p, int notches, Qt::KeyboardModifiers keys) {
    QWheelEvent wheel(QPointF(p), QPointF(host.mapToGlobal(p)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&host, &wheel);
}

TEST_P(ChartMouseTest, APressOnAChartWithoutActiveSeriesStartsNothing) {
    chart::TChart& c = Chart();
    for (int32_t i = 0; i < c.SeriesCount(); ++i) c.Series(i).SetActive(false);
    const QImage before = Picture();
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
        Press(b, {200, 100});
        EXPECT_FALSE(c.ZoomState.InProgress);
        EXPECT_FALSE(c.PanState.InProgress);
        for (int i = 1; i <= 40; ++i) Move({200 + i, 100 + i});
        Release(b, {240, 140});
    }
    Wheel(Host(), {200, 100}, 1, Qt::NoModifier);
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(AllAutomatic());
    EXPECT_TRUE(Picture() == before);
}

TEST_P(ChartMouseTest, TheWheelZoomsAroundTheValueUnderTheMouseAndAReverseDragUndoesIt) {
    struct WheelCase {
        Qt::KeyboardModifiers Keys;
        bool VerticalToo;
    };
    const QPoint p(250, 120);
    for (const WheelCase& c : {WheelCase{Qt::NoModifier, true}, WheelCase{Qt::ShiftModifier, false}}) {
        SCOPED_TRACE(c.VerticalToo ? "plain" : "shift");
        log.clear();
        const AxisEnds before = ShownEnds();
        chart::TChartAxis& bottom = *Chart().BottomAxis();
        chart::TChartAxis& left = *Chart().LeftAxis();
        const double vx = bottom.CalcPosPoint(p.x());
        const double vy = left.CalcPosPoint(p.y());
        Wheel(Host(), p, 1, c.Keys);
        Settle();
        EXPECT_EQ(log, std::vector<std::string>{"zoom"});
        EXPECT_LE(std::abs(bottom.CalcXPosValue(vx) - p.x()), 1);
        EXPECT_LE(std::abs(left.CalcYPosValue(vy) - p.y()), 1);
        const AxisEnds after = ShownEnds();
        EXPECT_NEAR((before[1][1] - before[1][0]) / (after[1][1] - after[1][0]), 1.25, 1e-9);
        const double verticalRatio = (before[2][1] - before[2][0]) / (after[2][1] - after[2][0]);
        EXPECT_NEAR(verticalRatio, c.VerticalToo ? 1.25 : 1.0, 1e-9);
        ZoomDrag({300, 200}, {100, 50});
        EXPECT_TRUE(AllAutomatic());
        ExpectEnds(ShownEnds(), before);
    }
}

TEST_P(ChartMouseTest, EscapeEndsAZoomDragWithoutZoomingAndBackspaceUndoes) {
    const QImage before = Picture();
    Press(Qt::LeftButton, {100, 50});
    for (int i = 1; i <= 30; ++i) Move({100 + 5 * i, 50 + 4 * i});
    EXPECT_TRUE(form->focusWidget() == &Host()) << "the click gave the chart the keyboard";
    QTest::keyClick(&Host(), Qt::Key_Escape);
    EXPECT_TRUE(Picture() == before) << "the outline is erased";
    Move({260, 190});
    Release(Qt::LeftButton, {260, 190});
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(Picture() == before);

    ZoomDrag({100, 50}, {300, 200});
    QTest::keyClick(&Host(), Qt::Key_Backspace);
    Settle();
    EXPECT_EQ(log, (std::vector<std::string>{"zoom", "undo"}));
    EXPECT_TRUE(AllAutomatic());
}

TEST_P(ChartMouseTest, ATooltipShowsTheBottomAndLeftValuesOverThePlotOnly) {
    // The text shown, or empty when the window was told there is none.
    auto tip = [this](QPoint p) {
        QHelpEvent help(QEvent::ToolTip, p, Host().mapToGlobal(p));
        QApplication::sendEvent(&Host(), &help);
        return help.isAccepted() ? QToolTip::text().toStdString() : std::string();
    };
    chart::TChartAxis& bottom = *Chart().BottomAxis();
    chart::TChartAxis& left = *Chart().LeftAxis();
    const std::string expected =
        "X: " + bottom.LabelValue(bottom.CalcPosPoint(250)) + "  Y: " + left.LabelValue(left.CalcPosPoint(120));
    EXPECT_EQ(tip({250, 120}), expected);
    const fw::TRect plot = Chart().PlotRect();
    EXPECT_EQ(tip({plot.Left - 2, 120}), "");
    Press(Qt::RightButton, {250, 120});
    EXPECT_EQ(tip({251, 120}), "") << "none during a drag";
    Release(Qt::RightButton, {250, 120});
    QToolTip::hideText();
}

// A load after a zoom, a scroll or a wheel turn shows the new signal whole:
// the chart is back to automatic axes that cover what it plots.
TEST_P(ChartMouseTest, ALoadShowsTheNewSignalWholeWhateverMovedTheChartBefore) {
    const struct {
        const char* name;
        std::function<void()> gesture;
        int count;  // of the file loaded next
    } cases[] = {
        {"zoom",
         [&] {
             ZoomDrag({100, 50}, {300, 200});
         },
         1025},
        {"scroll",
         [&] {
             Drag(Qt::RightButton, {200, 100}, {160, 80});
         },
         2049},
        {"wheel",
         [&] {
             Wheel(Host(), {250, 120}, 2, Qt::NoModifier);
         },
         257},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.gesture();
        Settle();
        ASSERT_FALSE(Chart().ScalesOriginal());
        TypeInto("EdtN", QString::number(c.count));
        dialogs.AnswerOpenWith(SamplePath(c.name, c.count));
        Click("BtnLoad");
        PickItem("CBLev", 0);
        Click("BtnDecomp");
        PickItem("CB1", 0);
        Settle();
        EXPECT_FALSE(Chart().Zoomed());
        EXPECT_TRUE(AllAutomatic());
        const chart::TChartAxis& bottom = *Chart().BottomAxis();
        const chart::TChartAxis& left = *Chart().LeftAxis();
        for (int32_t i = 0; i < Chart().SeriesCount(); ++i) {
            const chart::TChartSeries& series = Chart().Series(i);
            if (series.Count() == 0) continue;
            EXPECT_LE(bottom.Minimum(), series.MinXValue());
            EXPECT_GE(bottom.Maximum(), series.MaxXValue());
            EXPECT_LE(left.Minimum(), series.MinYValue());
            EXPECT_GE(left.Maximum(), series.MaxYValue());
        }
    }
}

}  // namespace
