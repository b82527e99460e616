#include "ui/ThresholdLinesControl.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QLineEdit>
#include <QObject>

#include "analysis/denoise/Thresholding.h"
#include "chart/Chart.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/gui/window/EventDispatch.h"
#include "ui/ThresholdSuggestion.h"

namespace ui {

ThresholdLinesControl::ThresholdLinesControl(app::ProgramCharts& charts, QLineEdit& box, fw::DialogService& dialogs,
                                             const analysis::AnalysisSession& session, DenoisePanel& panel)
    : charts_(charts), box_(box), session_(session), panel_(panel), preview_(charts) {
    chart::TThresholdLines& lines = charts_.ThresholdLines();
    lines.OnDrag = [this, &dialogs](double& t) { fw::RunHandler(dialogs, [this, &t] { Drag(t); }); };
    lines.OnDragEnd = [this, &dialogs] {
        fw::RunHandler(dialogs, [this] {
            const int32_t level = session_.ViewedLevel();
            if (panel_.isVisible() && level >= 1 && level <= session_.Levels()) {
                panel_.TypeThreshold(level, charts_.ThresholdLines().Threshold());
            }
        });
    };
    QObject::connect(&box_, &QLineEdit::textChanged, &box_, [this] { FollowBox(); });
    FollowBox();
}

void ThresholdLinesControl::Refresh() {
    const bool shown = panel_.isVisible() && charts_.Series3().Series().Count() > 0;
    charts_.ThresholdLines().SetVisible(shown);
    const int32_t level = session_.ViewedLevel();
    const std::optional<double> t =
        shown && level >= 1 && level <= session_.Levels() ? panel_.RowThreshold(level) : std::nullopt;
    if (!t) {
        followed_.reset();
        return;
    }
    // Only a change moves the box, so a number typed and not yet applied
    // stays while the user does something else.
    if (followed_ == std::pair{level, *t}) return;
    followed_ = {level, *t};
    box_.setText(QString::fromStdString(ThresholdText(*t)));
    box_.setCursorPosition(0);
}

void ThresholdLinesControl::FollowBox() {
    try {
        charts_.ThresholdLines().SetThreshold(analysis::ParseThreshold(box_.text().toStdString()));
    } catch (const fw::Exception&) {
        // Half-typed: the lines stay where the last number put them.
    }
}

void ThresholdLinesControl::Drag(double& t) {
    // As many decimals as tell one pixel of the lower chart from the next.
    const chart::TChartAxis& left = *charts_.Chart2().LeftAxis();
    const double perPixel = std::fabs(left.CalcPosPoint(0) - left.CalcPosPoint(1));
    const int decimals = perPixel > 0 ? std::clamp(static_cast<int>(std::ceil(-std::log10(perPixel))), 0, 15) : 15;
    const std::string text = fw::FloatToStrF(t, fw::ffFixed, 15, decimals);
    t = analysis::ParseThreshold(text);
    box_.setText(QString::fromStdString(text));
    preview_.Show(session_, t);
}

}  // namespace ui
