#pragma once
// The threshold lines on the lower chart with what moves them: they stand
// at the threshold box's number, a drag writes the number it reaches into
// the box, and the upper chart previews that threshold while the buffer
// stays as it is. The lines belong to denoising: they are shown with the
// Denoise panel while a level is viewed, so without the panel the charts
// look as they always did.

#include <functional>

#include "analysis/session/AnalysisSession.h"
#include "app/ProgramCharts.h"
#include "app/ThresholdPreview.h"
#include "framework/gui/window/DialogService.h"

class QLineEdit;

namespace ui {

class ThresholdLinesControl {
public:
    // panelShown tells whether the Denoise panel is shown. All are kept by
    // reference and must outlive this.
    ThresholdLinesControl(app::ProgramCharts& charts, QLineEdit& box, fw::DialogService& dialogs,
                          const analysis::AnalysisSession& session, std::function<bool()> panelShown);

    // Whatever the user does next makes a preview stale: it goes.
    void HidePreview() { preview_.Hide(); }
    // Shows or hides the lines for the panel and the view as they are now.
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
    std::function<bool()> panelShown_;
    app::ThresholdPreview preview_;
};

}  // namespace ui
