#pragma once
// TChartSeries: the data of one plotted curve (per point an X value, a Y
// value, an optional colour and an optional label, in parallel lists), its
// change notifications to its chart and to dependent series, the index range
// visible on its axes, and the mapping of its points to pixels. Drawing a
// point is the business of each series kind.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "chart/base/ChartProperty.h"
#include "chart/data/ChartValueList.h"
#include "chart/series/SeriesMarks.h"
#include "chart/series/SeriesAxis.h"
#include "chart/series/SeriesParent.h"
#include "chart/data/SparsePointList.h"
#include "framework/core/Colors.h"
#include "framework/gui/window/HostedControl.h"

namespace chart {

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };

// Which changes of a source series a dependent series follows (a bit set).
enum TRecalcOption : uint8_t { rOnDelete = 1, rOnModify = 2, rOnInsert = 4, rOnClear = 8 };
using TRecalcOptions = uint8_t;
inline constexpr TRecalcOptions AllRecalcOptions = rOnDelete | rOnModify | rOnInsert | rOnClear;

// Stored extras of a series (a bit set).
enum TSeriesStyleItem : uint8_t {
    tssIsTemplate = 1,
    tssDenyChangeType = 2,
    tssDenyDelete = 4,
    tssDenyClone = 8,
    tssIsPersistent = 16,
    tssHideDataSource = 32,
};
using TSeriesStyle = uint8_t;

class TChartSeries;
using TSeriesNotifyEvent = std::function<void(TChartSeries& sender)>;
using TSeriesOnAfterAdd = std::function<void(TChartSeries& sender, int32_t valueIndex)>;
// Returns false to refuse the point being added.
using TSeriesOnBeforeAdd = std::function<bool(TChartSeries& sender)>;
using TSeriesClick = std::function<void(TChartSeries& sender, int32_t valueIndex, fw::TMouseButton button,
                                        fw::TShiftState shift, int32_t x, int32_t y)>;

class TChartSeries : public IValueListOwner {
public:
    TChartSeries();
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    // Copies settings and, unless the source takes its points from sources of
    // its own, the points with their colours and labels.
    virtual void Assign(const TChartSeries& source);

    // Component identity.
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t value) { tag_ = value; }

    // ---- Published properties -------------------------------------------
    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    bool ColorEachPoint() const { return colorEachPoint_; }
    // Turning it off resets every point colour to clChartDefault.
    virtual void SetColorEachPoint(bool value);
    const std::string& ColorSource() const { return colorSource_; }
    void SetColorSource(const std::string& value);
    int32_t Cursor() const { return cursor_; }
    void SetCursor(int32_t value) { cursor_ = value; }
    THorizAxis HorizAxis() const { return horizAxis_; }
    void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    void SetVertAxis(TVertAxis value);
    TSeriesMarks& Marks() const { return *marks_; }
    void SetMarks(const TSeriesMarks& value) { marks_->Assign(value); }
    ISeriesParent* ParentChart() const { return parent_; }
    // Leaves the old chart (its RemoveSeries), resolves the axes on the new
    // one and joins it (its InternalAddSeries).
    virtual void SetParentChart(ISeriesParent* chart);
    // The first data source, or none.
    TChartSeries* DataSource() const { return dataSources_.empty() ? nullptr : dataSources_.front(); }
    // Makes source the only data source (none with nullptr). Throws
    // ChartException without a parent chart, for a source this series does
    // not accept, and for a link that would make series depend on each other.
    void SetDataSource(TChartSeries* source);
    const std::string& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const std::string& value) { SetProperty(percentFormat_, value); }
    fw::TColor SeriesColor() const { return seriesColor_; }
    virtual void SetSeriesColor(fw::TColor value);
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value) { SetProperty(showInLegend_, value); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { SetProperty(title_, value); }
    const std::string& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const std::string& value) { SetProperty(valueFormat_, value); }
    const std::string& XLabelsSource() const { return xLabelsSource_; }
    void SetXLabelsSource(const std::string& value);

    TSeriesNotifyEvent AfterDrawValues;
    TSeriesNotifyEvent BeforeDrawValues;
    TSeriesOnAfterAdd OnAfterAdd;
    TSeriesOnBeforeAdd OnBeforeAdd;
    TSeriesNotifyEvent OnClearValues;
    // A press on one of the series' points (a double click: OnDblClick when
    // assigned, else OnClick).
    TSeriesClick OnClick;
    TSeriesClick OnDblClick;

    // Stored extras.
    std::string Identifier;
    TSeriesStyle Style = 0;

    // ---- Values -----------------------------------------------------------
    TChartValueLists& ValueLists() override { return valueLists_; }
    const TChartValueLists& ValueLists() const { return valueLists_; }
    TChartValueList& XValues() const { return *xValues_; }
    TChartValueList& YValues() const { return *yValues_; }
    virtual TChartValueList& MandatoryValueList() const { return *yValues_; }
    // The points are a function of X: Y is the mandatory list.
    bool YMandatory() const { return &MandatoryValueList() == yValues_.get(); }
    // The list along which points are ordered and clipped.
    TChartValueList& NotMandatoryValueList() const { return YMandatory() ? *xValues_ : *yValues_; }

    int32_t Count() const { return xValues_->Count(); }

    // Index of the new point, or -1 when OnBeforeAdd refused it.
    virtual int32_t AddXY(double x, double y, const std::string& label = {}, fw::TColor color = fw::clChartDefault);
    // At X = the number of points before it.
    int32_t AddY(double y, const std::string& label = {}, fw::TColor color = fw::clChartDefault);
    // At Y = the number of points before it.
    int32_t AddX(double x, const std::string& label = {}, fw::TColor color = fw::clChartDefault);
    // AddY for a function of X, else AddX.
    virtual int32_t Add(double value, const std::string& label = {}, fw::TColor color = fw::clChartDefault);
    // Adds values[0] ... values[highIndex] as Add would, then RefreshSeries;
    // returns the number added (0 for a negative highIndex). Without add
    // events, values that go after the existing X values are appended in one
    // go and announced once through NotifyValuesAppended, not per point.
    int32_t AddArray(const double* values, int32_t highIndex);
    // AddArray(values.get(), highIndex), where an empty series without add
    // events keeps the block as its Y values instead of copying them.
    int32_t AddArrayShared(std::shared_ptr<const double[]> values, int32_t highIndex);
    // The block a shared add kept was rewritten in place by its maker, its
    // length unchanged: the series draws the new values, without the Clear
    // and the add that would set up every list again.
    void SharedValuesRewritten();
    // AddY(values[k * stride], label, color) for k = 0 ... count - 1. Points
    // that need nothing stored but their Y value (no add events, X going on
    // after the last point, the colour and label every point has) are
    // appended in one go and announced once, as AddArray does.
    void AddYs(const double* values, std::ptrdiff_t stride, int32_t count, const std::string& label = {},
               fw::TColor color = fw::clChartDefault);
    virtual int32_t AddNull(const std::string& label = {});
    virtual int32_t AddNullXY(double x, double y, const std::string& label = {});
    bool IsNull(int32_t valueIndex) const { return GetValueColor(valueIndex) == fw::clNone; }

    virtual void Clear();
    virtual void Delete(int32_t valueIndex);

    double XValue(int32_t i) const { return GetxValue(i); }
    double YValue(int32_t i) const { return GetyValue(i); }
    void SetXValue(int32_t i, double value);
    void SetYValue(int32_t i, double value);
    virtual double GetxValue(int32_t i) const { return xValues_->Value(i); }
    virtual double GetyValue(int32_t i) const { return yValues_->Value(i); }

    // The stored label, empty when the point has none or i lies outside.
    const std::string& XLabel(int32_t i) const { return labels_.Get(i); }
    void SetXLabel(int32_t i, const std::string& text);
    virtual std::string GetXLabel(int32_t i) const { return XLabel(i); }
    // Whether any point has a label.
    bool HasLabels() const { return !labels_.AllDefault(); }
    // The text the point's mark shows, by the marks' style: its X value, its
    // value, or its label (the value when it has none), numbers in ValueFormat.
    virtual std::string GetMarkText(int32_t valueIndex) const;

    fw::TColor ValueColor(int32_t i) const { return GetValueColor(i); }
    void SetValueColor(int32_t i, fw::TColor color);
    virtual fw::TColor GetValueColor(int32_t i) const;

    virtual double MinXValue() const { return xValues_->MinValue(); }
    virtual double MaxXValue() const { return xValues_->MaxValue(); }
    virtual double MinYValue() const { return yValues_->MinValue(); }
    virtual double MaxYValue() const { return yValues_->MaxValue(); }
    virtual double MinZValue() const { return ZOrder(); }
    virtual double MaxZValue() const { return ZOrder(); }

    // ---- Notifications -------------------------------------------------------
    // NotifyValue(veRefresh, 0).
    void RefreshSeries() { NotifyValue(veRefresh, 0); }
    // Tells the series that use this one as a data source.
    void NotifyValue(TValueEvent event, int32_t valueIndex) override;
    // A repaint request to the parent chart, if any.
    void Repaint() override;
    // With a parent chart, re-copies the points of the first data source.
    void CheckDataSource() override;
    // Exchanges points a and b in every value list, colour and label.
    void SwapValueIndex(int32_t a, int32_t b) override;

    const std::vector<TChartSeries*>& DataSources() const { return dataSources_; }
    const std::vector<TChartSeries*>& LinkedSeries() const { return linkedSeries_; }
    TRecalcOptions RecalcOptions() const { return recalcOptions_; }
    void SetRecalcOptions(TRecalcOptions value) { recalcOptions_ = value; }
    // Whether this series accepts source as its data source.
    virtual bool IsValidSeriesSource(const TChartSeries& source) const;

    // ---- Axes and pixels -----------------------------------------------------
    ISeriesAxis* GetHorizAxis() const { return resolvedHorizAxis_; }
    ISeriesAxis* GetVertAxis() const { return resolvedVertAxis_; }
    ISeriesAxis* CustomHorizAxis() const { return customHorizAxis_; }
    ISeriesAxis* CustomVertAxis() const { return customVertAxis_; }
    // An axis switches HorizAxis to aCustomHorizAxis, none back to aBottomAxis.
    void SetCustomHorizAxis(ISeriesAxis* axis);
    void SetCustomVertAxis(ISeriesAxis* axis);
    // Resolves the two axes on the parent chart (none without one).
    void RecalcGetAxis();
    virtual bool UseAxis() const { return true; }
    bool AssociatedToAxis(const ISeriesAxis& axis) const;

    // The conversions below need resolved axes: they throw ChartException on
    // a series that is on no chart.
    int32_t CalcXPos(int32_t valueIndex) const;
    int32_t CalcYPos(int32_t valueIndex) const;
    int32_t CalcXPosValue(double value) const;
    int32_t CalcYPosValue(double value) const;
    int32_t CalcXSizeValue(double value) const;
    int32_t CalcYSizeValue(double value) const;
    double XScreenToValue(int32_t px) const;
    double YScreenToValue(int32_t py) const;

    // Extra room a series kind needs at the axis ends, in pixels.
    virtual void CalcHorizMargins(int32_t& left, int32_t& right) const { left = right = 0; }
    virtual void CalcVerticalMargins(int32_t& top, int32_t& bottom) const { top = bottom = 0; }

    // ---- Visible range and drawing ---------------------------------------------
    // Sets FirstVisibleIndex and LastVisibleIndex from the axes' current range.
    void CalcFirstLastVisibleIndex();
    int32_t FirstVisibleIndex() const { return firstVisibleIndex_; }
    int32_t LastVisibleIndex() const { return lastVisibleIndex_; }
    int32_t VisibleCount() const { return lastVisibleIndex_ - firstVisibleIndex_ + 1; }
    bool UseVisibleRange() const { return useVisibleRange_; }
    void SetUseVisibleRange(bool value) { useVisibleRange_ = value; }
    // Keep the first point at or beyond the far edge, so a line reaches it.
    bool DrawPastLastVisible() const { return drawPastLastVisible_; }
    void SetDrawPastLastVisible(bool value) { drawPastLastVisible_ = value; }

    virtual void DoBeforeDrawChart() {}
    virtual void DoBeforeDrawValues();
    virtual void DoAfterDrawValues();
    // DrawValue over the visible range, in the order DrawValuesForward says.
    virtual void DrawAllValues();
    virtual void DrawValue(int32_t /*valueIndex*/) {}
    virtual bool DrawValuesForward() const { return true; }
    virtual bool DrawSeriesForward(int32_t /*valueIndex*/) const { return true; }
    // The point under pixel (x, y), or -1.
    virtual int32_t Clicked(int32_t /*x*/, int32_t /*y*/) const { return -1; }
    // The legend symbol of point valueIndex inside rect: a box in its colour.
    virtual void DrawLegendShape(int32_t valueIndex, const fw::TRect& rect);
    // Draws the mark of point valueIndex at position (arrow, then the framed
    // box with text) and keeps the position.
    virtual void DrawMark(int32_t valueIndex, const std::string& text, TSeriesMarkPosition& position);
    // The name of the design-time editor of this series kind.
    virtual std::string GetEditorClass() const { return {}; }

    // ---- Mouse ---------------------------------------------------------------------
    // A press on point valueIndex: fires OnDblClick or OnClick; true when a
    // handler took the press (it may give it back through the chart's
    // SetClickHandled(false), so that the press goes on to zoom or scroll).
    virtual bool DoSeriesClick(TChartSeries& sender, int32_t valueIndex, fw::TMouseButton button, fw::TShiftState shift,
                               int32_t x, int32_t y);
    virtual void DoSeriesMouseMove(fw::TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
    virtual void DoSeriesMouseUp(fw::TMouseButton /*button*/, fw::TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/) {
    }

    // ---- Depth slots -------------------------------------------------------------
    // The explicit z-order, or the computed one when it is -1.
    int32_t ZOrder() const { return zOrder_ == -1 ? computedZOrder_ : zOrder_; }
    void SetZOrder(int32_t value);
    int32_t ComputedZOrder() const { return computedZOrder_; }
    void SetComputedZOrder(int32_t value) { computedZOrder_ = value; }
    // Called by the chart for each active series before a paint.
    virtual void CalcZOrder();
    // Another active series of the chart shares this one's z-order.
    virtual bool MoreSameZOrder() const;
    // Active, and no active series earlier in the chart's list has the same z-order.
    bool FirstInZOrder() const;
    // Series kinds with depth values of their own do not share slots.
    virtual bool HasZValues() const { return false; }
    // StartZ, EndZ and MiddleZ of the slot ComputedZOrder for this slice depth.
    void SetDepthSlot(int32_t sliceDepth);
    int32_t StartZ() const { return startZ_; }
    int32_t MiddleZ() const { return middleZ_; }
    int32_t EndZ() const { return endZ_; }

    // Heap bytes held by the values, colours and labels (by capacity).
    virtual std::size_t HeapBytes() const;
    // Gives back the storage a Clear kept for a refill (see
    // TChartValueList::ReleaseSpareStorage); the chart calls it as it paints.
    void ReleaseSpareStorage();

protected:
    // Copies point valueIndex of source into this series at its ordered place.
    virtual int32_t AddChartValue(const TChartSeries& source, int32_t valueIndex);
    virtual void AddedValue(const TChartSeries& source, int32_t valueIndex);
    // Clears and re-copies every point of source.
    virtual void AddValues(const TChartSeries& source);
    virtual void DeletedValue(const TChartSeries& source, int32_t valueIndex);
    virtual void ClearLists();
    // After one point was added: OnAfterAdd, dependants, repaint when active.
    virtual void NotifyNewValue(TChartSeries& sender, int32_t valueIndex);
    // After AddArray appended count points from firstIndex in one go, in place
    // of NotifyNewValue per point (dependants are refreshed afterwards). A
    // series kind that changes NotifyNewValue changes this one too.
    virtual void NotifyValuesAppended(int32_t firstIndex, int32_t count);
    virtual void ClearTempValue(TChartValueList& list) { list.TempValue = 0; }

    // The shared setter: store and repaint only when the value differs.
    template <typename T>
    void SetProperty(T& field, const T& value) {
        StoreIfChanged(field, value, [this] { Repaint(); });
    }

private:
    friend class TChartSeriesList;

    int32_t InsertPoint(double x, double y, const std::string& label, fw::TColor color);
    // Whether a point goes after all the others with the colour and label
    // every point has (so that AppendPoint serves).
    bool AppendsPlainly(double x, const std::string& label, fw::TColor color) const {
        return Count() < std::numeric_limits<int32_t>::max() && xValues_->GoesLast(x) &&
               colors_.TakesWithoutStoring(color) && labels_.TakesWithoutStoring(label);
    }
    int32_t AppendPoint(double x, double y) {
        const int32_t count = Count();
        // As in InsertPoint, whatever can fail comes before the first change.
        xValues_->PrepareInsert(count, x);
        yValues_->PrepareInsert(count, y);
        xValues_->AppendInOrder(x);
        yValues_->AppendInOrder(y);
        colors_.AppendUniform();
        labels_.AppendUniform();
        return count;
    }
    // n points after all the others, Y values[k * stride], X the count going
    // on, the staged values set; whatever can fail comes before the first
    // change. The colours and labels are the caller's.
    void AppendValueRun(const double* values, std::ptrdiff_t stride, std::size_t n);
    // Point valueIndex of source, its values read raw or scaled.
    int32_t InsertPointFrom(const TChartSeries& source, int32_t valueIndex, bool raw);
    // Assign's copy: the raw values, so that the copied multipliers read them alike.
    void CopyPoints(const TChartSeries& source);
    bool AppendsInOrder(int32_t count) const;
    void CheckPointIndex(int32_t i) const;
    const ISeriesAxis& RequireAxis(const ISeriesAxis* axis) const;
    bool DependsOn(const TChartSeries& other) const;
    void LinkSources(const std::vector<TChartSeries*>& sources);
    void UnlinkFromSources();
    // Called by the chart's series list when it lets the series go.
    void DetachFromParent();

    // Value lists first: the X and Y lists register in it.
    TChartValueLists valueLists_;
    std::unique_ptr<TChartValueList> xValues_;
    std::unique_ptr<TChartValueList> yValues_;
    SparsePointList<fw::TColor> colors_{fw::clChartDefault};
    SparsePointList<std::string> labels_{std::string()};
    std::unique_ptr<TSeriesMarks> marks_;

    std::string name_;
    int32_t tag_ = 0;
    bool active_ = true;
    bool colorEachPoint_ = false;
    std::string colorSource_;
    int32_t cursor_ = 0;
    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    ISeriesParent* parent_ = nullptr;
    std::string percentFormat_;
    fw::TColor seriesColor_ = fw::clChartDefault;
    bool showInLegend_ = true;
    std::string title_;
    std::string valueFormat_;
    std::string xLabelsSource_;

    std::vector<TChartSeries*> dataSources_;
    std::vector<TChartSeries*> linkedSeries_;
    TRecalcOptions recalcOptions_ = AllRecalcOptions;

    ISeriesAxis* resolvedHorizAxis_ = nullptr;
    ISeriesAxis* resolvedVertAxis_ = nullptr;
    ISeriesAxis* customHorizAxis_ = nullptr;
    ISeriesAxis* customVertAxis_ = nullptr;

    int32_t firstVisibleIndex_ = -1;
    int32_t lastVisibleIndex_ = -1;
    bool useVisibleRange_ = true;
    bool drawPastLastVisible_ = false;

    int32_t zOrder_ = -1;
    int32_t computedZOrder_ = 0;
    int32_t startZ_ = 0;
    int32_t middleZ_ = 0;
    int32_t endZ_ = 0;
};

}  // namespace chart
