#include "analysis/transform/CoefficientView.h"

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace analysis {

CoefficientView BuildView(std::shared_ptr<DyadicSignal> signal, int32_t levels, int32_t viewedLevel) {
    if (!signal || levels < 1 || levels > signal->J() || viewedLevel < 1) {
        throw fw::EListError("No level " + fw::IntToStr(viewedLevel) + " to view in a decomposition over " +
                             fw::IntToStr(levels) + " levels");
    }
    const int32_t j = signal->J();
    CoefficientView view;
    view.geometry_ = LevelGeometry::Item(j, levels, viewedLevel);
    view.buffer_ = std::move(signal);
    return view;
}

}  // namespace analysis
