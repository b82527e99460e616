// TChartSeries: construction, properties, chart and axes, depth slots, data
// sources and Assign. The point data lives in ChartSeriesData.cpp.

#include <algorithm>

#include "chart/base/ChartException.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ChartSeriesList.h"
#include "chart/base/ChartStrings.h"
#include "framework/core/FormatFloat.h"

namespace chart {

TChartSeries::TChartSeries()
    : xValues_(std::make_unique<TChartValueList>(*this, MsgValuesX)),
      yValues_(std::make_unique<TChartValueList>(*this, MsgValuesY)),
      marks_(std::make_unique<TSeriesMarks>(*this)),
      percentFormat_(MsgDefaultPercentFormat),
      valueFormat_(MsgDefaultValueFormat) {
    xValues_->SetOrder(loAscending);
}

TChartSeries::~TChartSeries() {
    SetDataSource(nullptr);
    // Dependants keep their points but no longer follow this series.
    for (TChartSeries* dependant : linkedSeries_) {
        auto& sources = dependant->dataSources_;
        sources.erase(std::remove(sources.begin(), sources.end(), this), sources.end());
    }
    linkedSeries_.clear();
    Clear();
    if (parent_) SetParentChart(nullptr);
}

// ---- Properties ---------------------------------------------------------------

void TChartSeries::SetActive(bool value) { SetProperty(active_, value); }

void TChartSeries::SetSeriesColor(fw::TColor value) { SetProperty(seriesColor_, value); }

void TChartSeries::SetColorEachPoint(bool value) {
    if (colorEachPoint_ == value) return;
    colorEachPoint_ = value;
    // Every point colour goes back to clChartDefault: nothing left to store.
    if (!value) colors_.ResetToDefault();
    Repaint();
}

void TChartSeries::SetColorSource(const std::string& value) {
    if (colorSource_ == value) return;
    colorSource_ = value;
    CheckDataSource();
}

void TChartSeries::SetXLabelsSource(const std::string& value) {
    if (xLabelsSource_ == value) return;
    xLabelsSource_ = value;
    CheckDataSource();
}

std::string TChartSeries::GetMarkText(int32_t valueIndex) const {
    switch (marks_->Style()) {
    case smsXValue: return fw::FormatFloat(valueFormat_, XValue(valueIndex));
    case smsValue: return fw::FormatFloat(valueFormat_, MandatoryValueList().Value(valueIndex));
    default: {
        const std::string label = GetXLabel(valueIndex);
        return label.empty() ? fw::FormatFloat(valueFormat_, MandatoryValueList().Value(valueIndex)) : label;
    }
    }
}

void TChartSeries::Repaint() {
    if (parent_) parent_->Invalidate();
}

// ---- Chart and axes -----------------------------------------------------------

void TChartSeries::SetParentChart(ISeriesParent* chart) {
    if (chart == parent_) return;
    if (parent_) parent_->RemoveSeries(*this);
    parent_ = chart;
    RecalcGetAxis();
    if (parent_) parent_->InternalAddSeries(*this);
}

void TChartSeries::DetachFromParent() {
    parent_ = nullptr;
    RecalcGetAxis();
}

void TChartSeries::RecalcGetAxis() {
    if (!parent_) {
        resolvedHorizAxis_ = resolvedVertAxis_ = nullptr;
        return;
    }
    if (horizAxis_ == aTopAxis)
        resolvedHorizAxis_ = parent_->TopAxis();
    else if (horizAxis_ == aCustomHorizAxis && customHorizAxis_)
        resolvedHorizAxis_ = customHorizAxis_;
    else
        resolvedHorizAxis_ = parent_->BottomAxis();

    if (vertAxis_ == aRightAxis)
        resolvedVertAxis_ = parent_->RightAxis();
    else if (vertAxis_ == aCustomVertAxis && customVertAxis_)
        resolvedVertAxis_ = customVertAxis_;
    else
        resolvedVertAxis_ = parent_->LeftAxis();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
    if (horizAxis_ == value) return;
    horizAxis_ = value;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
    if (vertAxis_ == value) return;
    vertAxis_ = value;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetCustomHorizAxis(ISeriesAxis* axis) {
    customHorizAxis_ = axis;
    horizAxis_ = axis ? aCustomHorizAxis : aBottomAxis;
    RecalcGetAxis();
    Repaint();
}

void TChartSeries::SetCustomVertAxis(ISeriesAxis* axis) {
    customVertAxis_ = axis;
    vertAxis_ = axis ? aCustomVertAxis : aLeftAxis;
    RecalcGetAxis();
    Repaint();
}

bool TChartSeries::AssociatedToAxis(const ISeriesAxis& axis) const {
    if (!UseAxis()) return false;
    if (axis.IsHorizontal()) return horizAxis_ == aBothHorizAxis || &axis == resolvedHorizAxis_;
    return vertAxis_ == aBothVertAxis || &axis == resolvedVertAxis_;
}

const ISeriesAxis& TChartSeries::RequireAxis(const ISeriesAxis* axis) const {
    if (!axis) throw ChartException(MsgSeriesWithoutAxis);
    return *axis;
}

int32_t TChartSeries::CalcXPos(int32_t valueIndex) const {
    const ISeriesAxis& axis = RequireAxis(resolvedHorizAxis_);
    return axis.CalcXPosValue(XValue(valueIndex));
}

int32_t TChartSeries::CalcYPos(int32_t valueIndex) const {
    const ISeriesAxis& axis = RequireAxis(resolvedVertAxis_);
    return axis.CalcYPosValue(YValue(valueIndex));
}

int32_t TChartSeries::CalcXPosValue(double value) const { return RequireAxis(resolvedHorizAxis_).CalcXPosValue(value); }
int32_t TChartSeries::CalcYPosValue(double value) const { return RequireAxis(resolvedVertAxis_).CalcYPosValue(value); }
int32_t TChartSeries::CalcXSizeValue(double value) const {
    return RequireAxis(resolvedHorizAxis_).CalcSizeValue(value);
}
int32_t TChartSeries::CalcYSizeValue(double value) const { return RequireAxis(resolvedVertAxis_).CalcSizeValue(value); }
double TChartSeries::XScreenToValue(int32_t px) const { return RequireAxis(resolvedHorizAxis_).CalcPosPoint(px); }
double TChartSeries::YScreenToValue(int32_t py) const { return RequireAxis(resolvedVertAxis_).CalcPosPoint(py); }

// ---- Depth slots --------------------------------------------------------------

void TChartSeries::SetZOrder(int32_t value) {
    SetProperty(zOrder_, value);
    computedZOrder_ = zOrder_ == -1 ? 0 : zOrder_;
}

void TChartSeries::CalcZOrder() {
    if (zOrder_ == -1) {
        if (parent_ && parent_->View3D()) {
            parent_->SetTopZOrder(parent_->TopZOrder() + 1);
            computedZOrder_ = parent_->TopZOrder();
        } else {
            computedZOrder_ = 0;
        }
    } else if (parent_) {
        parent_->SetTopZOrder(std::max(parent_->TopZOrder(), zOrder_));
    }
}

bool TChartSeries::MoreSameZOrder() const {
    if (!parent_) return false;
    for (const TChartSeries* other : parent_->SeriesList()) {
        if (other != this && other->Active() && !other->HasZValues() && other->ZOrder() == ZOrder()) return true;
    }
    return false;
}

bool TChartSeries::FirstInZOrder() const {
    if (!active_) return false;
    if (!parent_) return true;
    for (const TChartSeries* other : parent_->SeriesList()) {
        if (other == this) break;
        if (other->Active() && other->ZOrder() == ZOrder()) return false;
    }
    return true;
}

void TChartSeries::SetDepthSlot(int32_t sliceDepth) {
    startZ_ = sliceDepth * computedZOrder_;
    endZ_ = startZ_ + sliceDepth;
    middleZ_ = (startZ_ + endZ_) / 2;
}

// ---- Data sources -------------------------------------------------------------

bool TChartSeries::IsValidSeriesSource(const TChartSeries&) const { return true; }

bool TChartSeries::DependsOn(const TChartSeries& other) const {
    for (const TChartSeries* source : dataSources_) {
        if (source == &other || source->DependsOn(other)) return true;
    }
    return false;
}

void TChartSeries::UnlinkFromSources() {
    for (TChartSeries* source : dataSources_) {
        auto& linked = source->linkedSeries_;
        linked.erase(std::remove(linked.begin(), linked.end(), this), linked.end());
    }
}

void TChartSeries::LinkSources(const std::vector<TChartSeries*>& sources) {
    UnlinkFromSources();
    dataSources_ = sources;
    for (TChartSeries* source : dataSources_) source->linkedSeries_.push_back(this);
}

void TChartSeries::SetDataSource(TChartSeries* source) {
    if (source == nullptr) {
        if (dataSources_.empty()) return;
        UnlinkFromSources();
        dataSources_.clear();
        return;
    }
    if (dataSources_.size() == 1 && dataSources_.front() == source) return;
    if (!parent_) throw ChartException(MsgNoParentForDataSource);
    if (source == this || source->DependsOn(*this)) throw ChartException(MsgCircularSeries);
    if (!IsValidSeriesSource(*source)) throw ChartException(MsgNoValidDataSource + source->Name());
    LinkSources({source});
    CheckDataSource();
}

void TChartSeries::CheckDataSource() {
    if (parent_ && !dataSources_.empty()) AddValues(*dataSources_.front());
}

// ---- Assign -------------------------------------------------------------------

void TChartSeries::Assign(const TChartSeries& source) {
    if (&source == this) return;
    tag_ = source.tag_;
    SetDataSource(nullptr);
    if (YMandatory() == source.YMandatory()) {
        xValues_->Assign(*source.xValues_);
        yValues_->Assign(*source.yValues_);
    } else {
        xValues_->Assign(*source.yValues_);
        yValues_->Assign(*source.xValues_);
    }
    xLabelsSource_ = source.xLabelsSource_;
    colorSource_ = source.colorSource_;
    for (int32_t t = 2; t < std::min(valueLists_.Count(), source.valueLists_.Count()); ++t)
        valueLists_.ValueList(t)->Assign(*source.valueLists_.ValueList(t));

    // Before the points: switching it off would wipe the copied point colours.
    SetColorEachPoint(source.colorEachPoint_);
    if (!source.dataSources_.empty()) {
        for (const TChartSeries* s : source.dataSources_) {
            if (s == this || s->DependsOn(*this)) throw ChartException(MsgCircularSeries);
        }
        LinkSources(source.dataSources_);
    } else {
        CopyPoints(source);
    }

    marks_->Assign(*source.marks_);
    SetSeriesColor(source.seriesColor_);
    SetTitle(source.title_);
    SetValueFormat(source.valueFormat_);
    SetPercentFormat(source.percentFormat_);
    SetActive(source.active_);
    SetHorizAxis(source.horizAxis_);
    SetVertAxis(source.vertAxis_);
    recalcOptions_ = source.recalcOptions_;
    cursor_ = source.cursor_;
    SetShowInLegend(source.showInLegend_);
    Style = source.Style;
    Identifier = source.Identifier;
    CheckDataSource();
}

}  // namespace chart
