// View > Cursors through the window: A and B at a quarter and three quarters
// of the view, B dragged and stepped by the keys, both on their samples
// through a zoom, and the figures of the stretch as a plain computation on
// the signal gives them.

#include <QStatusBar>

#include "WindowFixture.h"
#include "framework/core/Conversions.h"

namespace {

using ui::WindowCommand;
using CursorTest = WindowTest;

TEST_F(CursorTest, CursorsMeasureTheStretchBetweenThemAndKeepTheirSamples) {
    LoadDecomposeAndView(2, 0);
    Click("BtnThresh");
    Click("BtnReconstr");
    Choose(WindowCommand::Cursors);
    chart::TCursors& cursors = Charts().Cursors();
    ASSERT_TRUE(cursors.Visible());
    EXPECT_EQ(cursors.Index(0), 128);
    EXPECT_EQ(cursors.Index(1), 384);

    chart::TChart& chart = Charts().Chart1();
    QWidget& host = Control<QWidget>("Chart1");
    const int y = (chart.PlotRect().Top + chart.PlotRect().Bottom) / 2;
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, QPoint(chart.BottomAxis()->CalcXPosValue(384), y));
    QTest::mouseMove(&host, QPoint(chart.BottomAxis()->CalcXPosValue(300), y));
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, QPoint(chart.BottomAxis()->CalcXPosValue(300), y));
    EXPECT_EQ(cursors.Index(1), 300);
    EXPECT_FALSE(chart.Zoomed()) << "the press was the cursor's";
    host.setFocus();
    QTest::keyClick(&host, Qt::Key_Left);
    QTest::keyClick(&host, Qt::Key_Left);
    EXPECT_EQ(cursors.Index(1), 298);

    const std::vector<double> signal = Series1().YValues();
    const std::vector<double> rebuilt = Series2().YValues();
    double sum = 0, residualSquares = 0, rebuiltSquares = 0;
    for (int i = 128; i <= 298; ++i) {
        sum += signal[i];
        residualSquares += (signal[i] - rebuilt[i]) * (signal[i] - rebuilt[i]);
        rebuiltSquares += rebuilt[i] * rebuilt[i];
    }
    const auto figure = [](double v) { return fw::FloatToStrF(v, fw::ffGeneral, 4, 0); };
    const std::string text = Control<QLabel>("CursorFigures").text().toStdString();
    const std::string opening = "A 128 (" + figure(signal[128]) + "), B 298 (" + figure(signal[298]) +
                                "), \u0394N 170; signal mean " + figure(sum / 171) + ",";
    EXPECT_EQ(text.rfind(opening, 0), 0u) << text;
    const std::string snr = "; SNR " + figure(10 * std::log10(rebuiltSquares / residualSquares)) + " dB";
    EXPECT_NE(text.find(snr), std::string::npos) << text;

    // A zoom shows fewer samples; the cursors stay on theirs.
    const QPoint from(chart.PlotRect().Left + 5, chart.PlotRect().Top + 10);
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 40; ++i) QTest::mouseMove(&host, from + QPoint(5 * i, 3 * i));
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, from + QPoint(200, 120));
    ASSERT_TRUE(chart.Zoomed());
    EXPECT_EQ(cursors.Index(0), 128);
    EXPECT_EQ(cursors.Index(1), 298);
    Choose(WindowCommand::Cursors);
    EXPECT_FALSE(cursors.Visible());
    EXPECT_TRUE(Control<QLabel>("CursorFigures").text().isEmpty());
}

}  // namespace
