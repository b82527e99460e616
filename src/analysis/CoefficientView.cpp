#include "analysis/CoefficientView.h"

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace analysis {

CoefficientView BuildView(std::shared_ptr<DyadicSignal> signal, int32_t levels, int32_t viewedLevel)
{
    if (!signal || levels < 1 || levels > signal->J() || viewedLevel < 1) {
        throw fw::EListError("No level " + fw::IntToStr(viewedLevel) + " to view in a decomposition over " +
                             fw::IntToStr(levels) + " levels");
    }
    const int32_t j = signal->J();
    CoefficientView view;
    if (viewedLevel > levels) {
        view.first_ = 0;
        view.stride_ = std::size_t{1} << levels;
        view.count_ = (int32_t{1} << (j - levels)) + 1;
    } else {
        view.first_ = std::size_t{1} << (viewedLevel - 1);
        view.stride_ = std::size_t{1} << viewedLevel;
        view.count_ = int32_t{1} << (j - viewedLevel);
    }
    view.buffer_ = std::move(signal);
    return view;
}

}  // namespace analysis
