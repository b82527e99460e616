#pragma once
// The threshold lines on the lower chart with what moves them: they stand
// at the threshold box's number, a drag writes the number it reaches into
// the box, and the upper chart previews that threshold while the buffer
// stays as it is. The lines belong to denoising: they are shown with the
// Denoise panel while a level is viewed, so without the panel the charts
// look as they always did. With it, a detail level's lines and the box show
// the T the panel gives that level, and a drag let go types it into the
// level's row.

#include <functional>
#include <optional>
#include <utility>

#include "analysis/session/AnalysisSession.h"
#include "app/ProgramCharts.h"
#include "app/ThresholdPreview.h"
#include "framework/gui/window/DialogService.h"
#include "ui/DenoisePanel.h"

class QLineEdit;

namespace ui {

class ThresholdLinesControl {
public:
    // All are kept by reference and must outlive this.
    ThresholdLinesControl(app::ProgramCharts& charts, QLineEdit& box, fw::DialogService& dialogs,
                          const analysis::AnalysisSession& session, DenoisePanel& panel);

    // Whatever the user does next makes a preview stale: it goes.
    void HidePreview() { preview_.Hide(); }
    // Shows or hides the lines for the panel and the view as they are now;
    // the box takes the panel's T of the viewed level when either changed.
    void Refresh();

private:
    // The lines stand at the box's number; a half-typed one leaves them.
    void FollowBox();
    // A line dragged to t: the box shows t to the lines' pixel, as the user
    // writes numbers, t becomes what the box reads, and the preview shows it.
    void Drag(double& t);

    app::ProgramCharts& charts_;
    QLineEdit& box_;
    const analysis::AnalysisSession& session_;
    DenoisePanel& panel_;
    app::ThresholdPreview preview_;
    std::optional<std::pair<int32_t, double>> followed_;  // the level and T the box took last
};

}  // namespace ui
