// Construction, copying and the property setters of the axes.

#include "chart/axis/ChartAxis.h"

#include "chart/base/AxisException.h"
#include "chart/axis/ChartAxisTitle.h"
#include "chart/style/ChartFonts.h"
#include "chart/base/ChartTextLines.h"

namespace chart {

TCustomChartAxis::TCustomChartAxis(IAxisParent& parent, bool horizontal, bool farSide, bool forDepth)
    : parent_(&parent), horizontal_(horizontal), farSide_(farSide), forDepth_(forDepth) {
    const fw::TNotifyEvent changed = [this](fw::TPersistent*) { parent_->Invalidate(); };
    labelsFont_ = CreateDefaultFont(changed);
    axisPen_ = std::make_unique<TChartAxisPen>(changed);
    gridPen_ = std::make_unique<TDottedGrayPen>(changed);
    ticksPen_ = std::make_unique<TDarkGrayPen>(changed);
    ticksInnerPen_ = std::make_unique<TDarkGrayPen>(changed);
    minorTicksPen_ = std::make_unique<TDarkGrayPen>(changed);
    title_ = std::make_unique<TChartAxisTitle>(*this);
}

TCustomChartAxis::~TCustomChartAxis() = default;

TChartAxis::TChartAxis(IAxisParent& parent, bool horizontal, bool farSide)
    : TCustomChartAxis(parent, horizontal, farSide, false) {}

// Hidden from the start, without a repaint request to a chart still being built.
TChartDepthAxis::TChartDepthAxis(IAxisParent& parent) : TCustomChartAxis(parent, false, true, true) {
    HideAtCreation();
}

int32_t TCustomChartAxis::DefaultTitleAngle() const {
    if (horizontal_ || forDepth_) return 0;
    return farSide_ ? 270 : 90;
}

void TCustomChartAxis::Assign(const fw::TPersistent& source) {
    const auto* other = dynamic_cast<const TCustomChartAxis*>(&source);
    if (!other) {
        fw::TPersistent::Assign(source);
        return;
    }
    range_ = other->range_;
    inverted_ = other->inverted_;
    logarithmic_ = other->logarithmic_;
    logarithmicBase_ = other->logarithmicBase_;
    startPosition_ = other->startPosition_;
    endPosition_ = other->endPosition_;
    positionPercent_ = other->positionPercent_;
    visible_ = other->visible_;
    labelsSeparation_ = other->labelsSeparation_;
    roundFirstLabel_ = other->roundFirstLabel_;
    labelsOnAxis_ = other->labelsOnAxis_;
    exactDateTime_ = other->exactDateTime_;
    dateTimeFormat_ = other->dateTimeFormat_;
    axisValuesFormat_ = other->axisValuesFormat_;
    labelStyle_ = other->labelStyle_;
    labels_ = other->labels_;
    labelsAngle_ = other->labelsAngle_;
    labelsSize_ = other->labelsSize_;
    tickLength_ = other->tickLength_;
    tickInnerLength_ = other->tickInnerLength_;
    minorTickLength_ = other->minorTickLength_;
    minorTickCount_ = other->minorTickCount_;
    tickOnLabelsOnly_ = other->tickOnLabelsOnly_;
    titleSize_ = other->titleSize_;
    forDepth_ = other->forDepth_;
    labelsFont_->Assign(*other->labelsFont_);
    axisPen_->Assign(*other->axisPen_);
    gridPen_->Assign(*other->gridPen_);
    ticksPen_->Assign(*other->ticksPen_);
    ticksInnerPen_->Assign(*other->ticksInnerPen_);
    minorTicksPen_->Assign(*other->minorTicksPen_);
    title_->Assign(*other->title_);
    parent_->Invalidate();
}

void TCustomChartAxis::SetAutomatic(bool value) {
    SetProperty(range_.Automatic, value);
    if (!parent_->IsLoadingLayout()) {
        range_.AutomaticMinimum = value;
        range_.AutomaticMaximum = value;
    }
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
    SetProperty(range_.AutomaticMinimum, value);
    if (!value)
        range_.Automatic = false;
    else if (range_.AutomaticMaximum)
        range_.Automatic = true;
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
    SetProperty(range_.AutomaticMaximum, value);
    if (!value)
        range_.Automatic = false;
    else if (range_.AutomaticMinimum)
        range_.Automatic = true;
}

void TCustomChartAxis::SetMinimum(double value) {
    if (!parent_->IsLoadingLayout() && value > range_.Maximum) throw AxisException(MsgAxisMinMax);
    InternalSetMinimum(value);
}

void TCustomChartAxis::SetMaximum(double value) {
    if (!parent_->IsLoadingLayout() && value < range_.Minimum) throw AxisException(MsgAxisMaxMin);
    InternalSetMaximum(value);
}

void TCustomChartAxis::SetIncrement(double value) {
    if (value < 0) throw AxisException(MsgAxisIncrementNeg);
    SetProperty(range_.Increment, value);
}

void TCustomChartAxis::SetLogarithmic(bool value) {
    if (value) {
        if (IsDateTime()) throw AxisException(MsgAxisLogDateTime);
        AdjustMaxMin();
        if (shown_.Minimum < 0 || shown_.Maximum < 0) throw AxisException(MsgAxisLogNotPositive);
    }
    SetProperty(logarithmic_, value);
}

void TCustomChartAxis::SetLogarithmicBase(int32_t value) {
    if (value < 2) throw AxisException(MsgAxisLogBase);
    SetProperty(logarithmicBase_, value);
}

void TCustomChartAxis::SetLabelsSeparation(int32_t value) {
    if (value < 0) throw AxisException(MsgAxisLabelSep);
    SetProperty(labelsSeparation_, value);
}

void TCustomChartAxis::SetLabelsAngle(int32_t value) {
    ChartCheckAngle(value, MsgAxisLabelsName);
    SetProperty(labelsAngle_, value);
}

void TCustomChartAxis::SetLabelsFont(const fw::TFont& value) { labelsFont_->Assign(value); }
void TCustomChartAxis::SetAxis(const TChartPen& value) { axisPen_->Assign(value); }
void TCustomChartAxis::SetGrid(const TChartPen& value) { gridPen_->Assign(value); }
void TCustomChartAxis::SetTicks(const TChartPen& value) { ticksPen_->Assign(value); }
void TCustomChartAxis::SetTicksInner(const TChartPen& value) { ticksInnerPen_->Assign(value); }
void TCustomChartAxis::SetMinorTicks(const TChartPen& value) { minorTicksPen_->Assign(value); }
void TCustomChartAxis::SetTitle(const TChartAxisTitle& value) { title_->Assign(value); }

}  // namespace chart
