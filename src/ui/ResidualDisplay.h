#pragma once
// The residual of a reconstruction on the lower chart, while View > Residual
// is on, and the status bar's figures beside its text: after a threshold how
// much of the decomposition is zero, after a reconstruction how much it
// removed against the noise.

#include <cstdint>
#include <optional>

#include "analysis/denoise/Residual.h"
#include "analysis/session/AnalysisSession.h"
#include "app/ProgramCharts.h"

class QLabel;

namespace ui {

class ResidualDisplay {
public:
    // Both are kept by reference; figures is the status bar's label.
    ResidualDisplay(app::ProgramCharts& charts, QLabel& figures) : charts_(charts), figures_(figures) {}

    // After each action: measures a new reconstruction once, shows or hides
    // the residual as residualOn says, and writes the figures.
    void Refresh(const analysis::AnalysisSession& session, bool residualOn);

private:
    app::ProgramCharts& charts_;
    QLabel& figures_;
    // The residual's figures, for the buffer content residualFor_ names.
    std::optional<analysis::ResidualFigures> residual_;
    uint64_t residualFor_ = 0;
};

}  // namespace ui
