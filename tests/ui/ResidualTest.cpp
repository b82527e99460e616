// View > Residual and the status bar's figures through the window: the
// residual is signal minus reconstruction on the lower chart, the figures
// count the zero details after a threshold and compare the residual with the
// noise after a reconstruction.

#include <QStatusBar>

#include "WindowFixture.h"
#include "framework/core/Conversions.h"

namespace {

using ui::WindowCommand;

class ResidualTest : public WindowTest {
protected:
    std::string Figures() { return Control<QLabel>("StatusFigures").text().toStdString(); }
    QAction& Residual() { return form->Menu().Action(WindowCommand::Residual); }
};

TEST_F(ResidualTest, TheResidualIsSignalMinusReconstructionWithItsFiguresBesideTheStatus) {
    EXPECT_EQ(Residual().objectName(), "actionResidual");
    LoadDecomposeAndView(2, 0);
    EXPECT_EQ(Figures(), "");
    Click("BtnThresh");
    // Every position that is no multiple of 2^3 holds a detail.
    const analysis::DyadicSignal& samples = *form->Session().Samples();
    int zero = 0;
    for (int p = 0; p < samples.N(); ++p) zero += p % 8 != 0 && samples.Data()[p] == 0.0;
    ASSERT_GT(zero, 0);
    EXPECT_EQ(Figures(), std::to_string(zero) + " of 448 detail coefficients are zero");
    EXPECT_FALSE(Residual().isEnabled());

    Click("BtnReconstr");
    ASSERT_TRUE(Residual().isEnabled());
    EXPECT_FALSE(form->Charts().ResidualShown());
    const std::vector<double> signal = Series1().YValues();
    const std::vector<double> rebuilt = Series2().YValues();
    std::vector<double> difference;
    double squares = 0;
    for (std::size_t i = 0; i < signal.size(); ++i) {
        difference.push_back(signal[i] - rebuilt[i]);
        squares += difference.back() * difference.back();
    }
    const std::string rms = fw::FloatToStrF(std::sqrt(squares / 513), fw::ffGeneral, 4, 0);
    EXPECT_EQ(Figures().rfind("Residual RMS " + rms + ", estimated noise σ̂ ", 0), 0u) << Figures();

    EXPECT_FALSE(form->Menu().Action(ui::WindowCommand::ExportLowerChart).isEnabled()) << "an empty chart";
    Residual().trigger();
    ASSERT_TRUE(form->Charts().ResidualShown());
    EXPECT_TRUE(form->Menu().Action(ui::WindowCommand::ExportLowerChart).isEnabled()) << "the residual's chart";
    EXPECT_EQ(form->Charts().Residual().PlottedValues(), difference);
    EXPECT_EQ(Charts().Chart2().SeriesCount(), 2);
    Residual().trigger();
    EXPECT_FALSE(form->Charts().ResidualShown());
    Residual().trigger();

    // A new decomposition has no reconstruction: the residual goes, the item
    // stays on for the next one.
    PickItem("CBLev", 0);
    Click("BtnDecomp");
    EXPECT_FALSE(form->Charts().ResidualShown());
    EXPECT_FALSE(Residual().isEnabled());
    EXPECT_EQ(Figures(), "");
    Click("BtnReconstr");
    EXPECT_TRUE(form->Charts().ResidualShown());
}

}  // namespace
