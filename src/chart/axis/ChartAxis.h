#pragma once
// The chart axes. An axis takes its value range from the series attached to
// it (or from its own Minimum and Maximum), places itself along the plot
// rectangle, maps values to pixels and back for the series and the mouse,
// chooses its label increment, takes its band of room beside the plot and
// draws its title, labels, ticks, grid and line.
//
// TChartAxis is one of the four side axes, TChartDepthAxis the depth axis of
// 3D charts. The chart owns its axes and drives them on every repaint:
// AdjustMaxMin, CalcRect, InternalCalcPositions, AdjustMaxMinRect, Draw.

#include <cstdint>
#include <memory>
#include <string>

#include "chart/base/ChartProperty.h"
#include "chart/base/ChartStrings.h"
#include "chart/axis/AxisParent.h"
#include "chart/axis/AxisRangeSettings.h"
#include "chart/scale/AxisLabelValues.h"
#include "chart/scale/AxisScale.h"
#include "chart/style/ChartPens.h"
#include "chart/scale/DateTimeSteps.h"
#include "chart/series/SeriesAxis.h"
#include "framework/core/Geometry.h"
#include "framework/core/Persistent.h"

namespace chart {

class TChartAxisTitle;
struct TAxisDrawing;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };

// Pixels added to the clickable band of an axis on its line side.
inline constexpr int32_t ChartAxisClickGap = 3;

class TCustomChartAxis : public fw::TPersistent, public ISeriesAxis {
public:
    ~TCustomChartAxis() override;
    TCustomChartAxis(const TCustomChartAxis&) = delete;
    TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

    // From another axis: every published value except GridCentered and
    // LabelsMultiLine (pens, fonts and title by value), and the depth flag.
    void Assign(const fw::TPersistent& source) override;

    IAxisParent& ParentChart() const { return *parent_; }

    // ---- Placement, fixed at creation ----------------------------------------
    bool IsHorizontal() const override { return horizontal_; }
    // The top or right axis, and the depth axis.
    bool IsFarSide() const { return farSide_; }
    bool IsDepthAxis() const { return forDepth_; }
    // 0 for the horizontal axes, 90 for the left and 270 for the right axis.
    int32_t DefaultTitleAngle() const;

    // ---- Range properties ---------------------------------------------------------
    bool Automatic() const { return range_.Automatic; }
    // Also sets both automatic ends, unless a layout is being read.
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return range_.AutomaticMinimum; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return range_.AutomaticMaximum; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const { return range_.Minimum; }
    // AxisException when above Maximum (not checked while a layout is read).
    void SetMinimum(double value);
    double Maximum() const { return range_.Maximum; }
    // AxisException when below Minimum (not checked while a layout is read).
    void SetMaximum(double value);
    double Increment() const { return range_.Increment; }
    // All of the above as one value, as a zoom saves it for its undo.
    const TAxisRangeSettings& RangeSettings() const { return range_; }
    // AxisException for a negative increment.
    void SetIncrement(double value);
    bool Inverted() const override { return inverted_; }
    void SetInverted(bool value) { SetProperty(inverted_, value); }
    bool Logarithmic() const { return logarithmic_; }
    // AxisException on a date-time axis, or when the range (taken afresh)
    // reaches below 0.
    void SetLogarithmic(bool value);
    int32_t LogarithmicBase() const { return logarithmicBase_; }
    // AxisException below 2.
    void SetLogarithmicBase(int32_t value);
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double value) { SetProperty(startPosition_, value); }
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double value) { SetProperty(endPosition_, value); }
    double PositionPercent() const { return positionPercent_; }
    void SetPositionPercent(double value) { SetProperty(positionPercent_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { SetProperty(visible_, value); }

    // ---- Label properties ----------------------------------------------------------
    int32_t LabelsSeparation() const { return labelsSeparation_; }
    // AxisException when negative.
    void SetLabelsSeparation(int32_t value);
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value) { SetProperty(roundFirstLabel_, value); }
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value) { SetProperty(labelsOnAxis_, value); }
    bool ExactDateTime() const { return exactDateTime_; }
    void SetExactDateTime(bool value) { SetProperty(exactDateTime_, value); }
    const std::string& DateTimeFormat() const { return dateTimeFormat_; }
    void SetDateTimeFormat(const std::string& value) { SetProperty(dateTimeFormat_, value); }
    const std::string& AxisValuesFormat() const { return axisValuesFormat_; }
    void SetAxisValuesFormat(const std::string& value) { SetProperty(axisValuesFormat_, value); }
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle value) { SetProperty(labelStyle_, value); }
    bool Labels() const { return labels_; }
    void SetLabels(bool value) { SetProperty(labels_, value); }
    int32_t LabelsAngle() const { return labelsAngle_; }
    // ChartException outside 0 ... 359.
    void SetLabelsAngle(int32_t value);
    fw::TFont& LabelsFont() const { return *labelsFont_; }
    void SetLabelsFont(const fw::TFont& value);
    // Every blank of a label starts a new line.
    bool LabelsMultiLine() const { return labelsMultiLine_; }
    void SetLabelsMultiLine(bool value) { SetProperty(labelsMultiLine_, value); }
    // Fixed depth of the label band; 0 measures it.
    int32_t LabelsSize() const { return labelsSize_; }
    void SetLabelsSize(int32_t value) { SetProperty(labelsSize_, value); }

    // ---- Line, ticks, grid and title ---------------------------------------------------
    TChartPen& Axis() const { return *axisPen_; }
    void SetAxis(const TChartPen& value);
    TChartPen& Grid() const { return *gridPen_; }
    void SetGrid(const TChartPen& value);
    bool GridCentered() const { return gridCentered_; }
    void SetGridCentered(bool value) { SetProperty(gridCentered_, value); }
    TChartPen& Ticks() const { return *ticksPen_; }
    void SetTicks(const TChartPen& value);
    TChartPen& TicksInner() const { return *ticksInnerPen_; }
    void SetTicksInner(const TChartPen& value);
    TChartPen& MinorTicks() const { return *minorTicksPen_; }
    void SetMinorTicks(const TChartPen& value);
    int32_t TickLength() const { return tickLength_; }
    void SetTickLength(int32_t value) { SetProperty(tickLength_, value); }
    int32_t TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int32_t value) { SetProperty(tickInnerLength_, value); }
    int32_t MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int32_t value) { SetProperty(minorTickLength_, value); }
    int32_t MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int32_t value) { SetProperty(minorTickCount_, value); }
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value) { SetProperty(tickOnLabelsOnly_, value); }
    TChartAxisTitle& Title() const { return *title_; }
    void SetTitle(const TChartAxisTitle& value);
    // Fixed depth of the title band; 0 measures it.
    int32_t TitleSize() const { return titleSize_; }
    void SetTitleSize(int32_t value) { SetProperty(titleSize_, value); }

    // ---- State of the last repaint --------------------------------------------------------
    double ShownMinimum() const { return shown_.Minimum; }
    double ShownMaximum() const { return shown_.Maximum; }
    double ShownRange() const { return shown_.Range; }
    int32_t PixelStart() const { return span_.Start; }
    int32_t PixelEnd() const { return span_.End; }
    int32_t PixelLength() const { return span_.Length; }
    int32_t PixelCenter() const { return span_.Center; }
    bool ShowsDateTime() const { return showsDateTime_; }
    // Coordinates across the axis of its line, its label anchor and its
    // title anchor (a y for horizontal axes, an x for vertical ones).
    int32_t LinePos() const { return linePos_; }
    int32_t LabelsPos() const { return labelsPos_; }
    int32_t TitlePos() const { return titlePos_; }

    // ---- Range --------------------------------------------------------------------------------
    // Takes the automatic ends from the series into Minimum and Maximum and
    // shows that range.
    void AdjustMaxMin();
    // Replaces the automatic ends of aMin and aMax by the series range.
    void CalcMinMax(double& aMin, double& aMax) const;
    // Widens the shown range so that the data fit inside the pixel span
    // shortened by the margins (left/right or top/bottom, in pixels).
    void AdjustMaxMinRect(const fw::TRect& margins);
    // Spreads the axis along the plot rectangle by StartPosition and EndPosition.
    void InternalCalcPositions();
    void RecalcSizeCenter();
    // Makes the axis manual with the two values in order (at least 1e-10 apart).
    void SetMinMax(double aMin, double aMax);
    // Moves the range by offset and repaints at once; with checkLimits only
    // while data lie beyond the range end it moves towards.
    void Scroll(double offset, bool checkLimits);

    // ---- Mapping ------------------------------------------------------------------------------
    int32_t CalcPosValue(double value) const { return horizontal_ ? CalcXPosValue(value) : CalcYPosValue(value); }
    int32_t CalcXPosValue(double value) const override;
    int32_t CalcYPosValue(double value) const override;
    bool MapsInOrder(double lo, double hi) const override;
    int32_t CalcSizeValue(double value) const override;
    double CalcPosPoint(int32_t pixel) const override;

    // ---- What the series make of the axis -----------------------------------------------------------
    // The first active series on the axis keeps its values as dates and times.
    bool IsDateTime() const;
    // The label style in effect: LabelStyle, or what the series suggest for talAuto.
    TAxisLabelStyle CalcLabelStyle() const;

    // ---- Labels ---------------------------------------------------------------------------------
    // The text of a value label (number or date-time format, the chart's
    // OnGetAxisLabel, then line breaks when LabelsMultiLine). With the
    // default number format, as many decimals as the last increment chosen
    // needs to tell neighbouring labels apart.
    std::string LabelValue(double value);
    // The text of the value at pixel along the axis, as the values tooltip
    // shows it: as LabelValue writes it, but the default number format gets
    // as many decimals as tell the neighbouring pixels' values apart.
    std::string PixelValueText(int32_t pixel);
    // Sizes of the label of value in the selected labels font.
    int32_t LabelWidth(double value);
    int32_t LabelHeight(double value);
    // The label increment for this repaint (labels font selected), and the
    // decimals the labels then show.
    double CalcIncrement();
    double CalcXYIncrement(int32_t maxLabelSize) const;
    double CalcLabelsIncrement(int32_t maxNumLabels) const;

    // ---- Room beside the plot --------------------------------------------------------------------
    int32_t SizeTickAxis() const;
    int32_t SizeLabels();
    int32_t SizeTitle();
    int32_t MaxLabelsWidth();
    // Places the axis in rect and, with innerAxis, cuts its band out of it.
    void CalcRect(fw::TRect& rect, bool innerAxis);
    int32_t GetRectangleEdge(const fw::TRect& rect) const;
    int32_t ApplyPosition(int32_t pos, const fw::TRect& rect) const;

    // ---- Drawing --------------------------------------------------------------------------------
    // Title, labels with their ticks and grid lines, then the axis line.
    void Draw(bool calcPosAxis);
    void DrawAxisLabel(int32_t x, int32_t y, int32_t angle, const std::string& text);
    void DrawTitle(int32_t x, int32_t y);
    virtual void DrawAxisLine(int32_t axisPos) = 0;
    // Whether (x, y) lies on the band of the axis line and ticks.
    bool Clicked(int32_t x, int32_t y) const;
    // Draw at given places; the MinMax forms also show the given range and
    // increment, restoring the axis afterwards even when drawing fails.
    void CustomDraw(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible);
    void CustomDrawStartEnd(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible, int32_t startPos,
                            int32_t endPos);
    void CustomDrawMinMax(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible, double aMinimum,
                          double aMaximum, double aIncrement);
    void CustomDrawMinMaxStartEnd(int32_t posLabels, int32_t posTitle, int32_t posAxis, bool gridVisible,
                                  double aMinimum, double aMaximum, double aIncrement, int32_t startPos,
                                  int32_t endPos);

protected:
    TCustomChartAxis(IAxisParent& parent, bool horizontal, bool farSide, bool forDepth);

    void HideAtCreation() { visible_ = false; }

    // Stores value and requests a repaint when it differs.
    template <typename T>
    void SetProperty(T& field, const T& value) {
        StoreIfChanged(field, value, [this] { parent_->Invalidate(); });
    }

private:
    friend struct TAxisDrawing;

    void SetShownRange(double minimum, double maximum);
    void SetPixelSpan(int32_t start, int32_t end);
    // Minimum and Maximum without the checks against each other.
    void InternalSetMinimum(double value) { SetProperty(range_.Minimum, value); }
    void InternalSetMaximum(double value) { SetProperty(range_.Maximum, value); }
    // The text of value with the chart's label event left out; decimals
    // replaces those of the default number format (0: the format as set).
    std::string PlainLabelValue(double value, int32_t decimals) const;
    std::string LabelText(double value, int32_t decimals);
    // Numbers in the default format, which may show more decimals.
    bool ShowsDefaultNumbers() const;
    // The decimals the automatic labels at increment need with the default
    // format; 0 when they keep the format as set.
    int32_t LabelDecimalsFor(double increment) const;
    TValueLabelSettings ValueLabelSettings(double increment, TDateTimeStep step) const;
    int32_t InternalCalcSize(fw::TFont& font, int32_t angle, int32_t fixedSize, const std::string* text);
    // Moves rect's edge on the axis' side inwards by n.
    void ShrinkRect(fw::TRect& rect, int32_t n) const;

    IAxisParent* parent_;
    bool horizontal_;
    bool farSide_;
    bool forDepth_;

    TAxisRangeSettings range_;
    bool inverted_ = false;
    bool logarithmic_ = false;
    int32_t logarithmicBase_ = 10;
    double startPosition_ = 0;
    double endPosition_ = 100;
    double positionPercent_ = 0;
    bool visible_ = true;

    int32_t labelsSeparation_ = 10;
    bool roundFirstLabel_ = true;
    bool labelsOnAxis_ = true;
    bool exactDateTime_ = true;
    std::string dateTimeFormat_;
    std::string axisValuesFormat_ = MsgDefaultValueFormat;
    TAxisLabelStyle labelStyle_ = talAuto;
    bool labels_ = true;
    int32_t labelsAngle_ = 0;
    std::unique_ptr<fw::TFont> labelsFont_;
    bool labelsMultiLine_ = false;
    int32_t labelsSize_ = 0;

    std::unique_ptr<TChartPen> axisPen_;
    std::unique_ptr<TChartPen> gridPen_;
    bool gridCentered_ = false;
    std::unique_ptr<TChartPen> ticksPen_;
    std::unique_ptr<TChartPen> ticksInnerPen_;
    std::unique_ptr<TChartPen> minorTicksPen_;
    int32_t tickLength_ = 4;
    int32_t tickInnerLength_ = 0;
    int32_t minorTickLength_ = 2;
    int32_t minorTickCount_ = 3;
    bool tickOnLabelsOnly_ = true;
    std::unique_ptr<TChartAxisTitle> title_;
    int32_t titleSize_ = 0;

    TAxisValueRange shown_;
    TAxisLogRange log_;
    TAxisPixelSpan span_;
    bool showsDateTime_ = false;
    // Decimals of this repaint's labels (0: the format as set).
    int32_t labelDecimals_ = 0;
    int32_t linePos_ = 0;
    int32_t labelsPos_ = 0;
    int32_t titlePos_ = 0;
};

// One of the four side axes: bottom, top (far side), left, right (far side).
class TChartAxis : public TCustomChartAxis {
public:
    TChartAxis(IAxisParent& parent, bool horizontal, bool farSide);
    std::string ClassName() const override { return "TChartAxis"; }
    void DrawAxisLine(int32_t axisPos) override;
};

// The depth axis of 3D charts; invisible until asked for.
class TChartDepthAxis : public TCustomChartAxis {
public:
    explicit TChartDepthAxis(IAxisParent& parent);
    std::string ClassName() const override { return "TChartDepthAxis"; }
    void DrawAxisLine(int32_t axisPos) override;
};

}  // namespace chart
