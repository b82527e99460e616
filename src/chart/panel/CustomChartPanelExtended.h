#pragma once
// TCustomChartPanelExtended: the panel's background (colour or gradient, and
// a back image with its bevels over it) and the zoom and scroll settings.

#include <cstdint>
#include <functional>
#include <memory>

#include "chart/style/ChartGradient.h"
#include "chart/panel/CustomChartPanel.h"
#include "framework/gui/paint/Picture.h"

namespace chart {

enum TBackImageMode : uint8_t { pbmStretch, pbmTile, pbmCenter };
enum TPanningMode : uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };

class TCustomChartPanelExtended;
using TChartNotifyEvent = std::function<void(TCustomChartPanelExtended& sender)>;

class TCustomChartPanelExtended : public TCustomChartPanel {
public:
    ~TCustomChartPanelExtended() override;
    void Assign(const TCustomChartPanel& source) override;

    TChartGradient& Gradient() const { return *gradient_; }
    void SetGradient(const TChartGradient& value) { gradient_->Assign(value); }
    fw::TPicture& BackImage() const { return *backImage_; }
    void SetBackImage(const fw::TPicture& value) { backImage_->Assign(value); }
    TBackImageMode BackImageMode() const { return backImageMode_; }
    void SetBackImageMode(TBackImageMode value) { SetProperty(backImageMode_, value); }

    bool AllowZoom() const { return allowZoom_; }
    void SetAllowZoom(bool value) { allowZoom_ = value; }
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
    bool AnimatedZoom() const { return animatedZoom_; }
    void SetAnimatedZoom(bool value) { SetBooleanProperty(animatedZoom_, value); }
    int32_t AnimatedZoomSteps() const { return animatedZoomSteps_; }
    void SetAnimatedZoomSteps(int32_t value) { SetIntegerProperty(animatedZoomSteps_, value); }

    // The axes were zoomed since the last undo.
    bool Zoomed() const { return zoomed_; }
    // Fires OnUndoZoom, repaints and forgets the zoom; the chart level first
    // restores its axes.
    virtual void UndoZoom();
    TChartNotifyEvent OnUndoZoom;

protected:
    TCustomChartPanelExtended();

    void SetZoomed(bool value) { zoomed_ = value; }
    // Background, back image and bevels of the whole panel.
    virtual void PanelPaint(const fw::TRect& rect);
    // The gradient when visible, else the panel colour.
    virtual void FillPanelRect(const fw::TRect& rect);
    // The back image over rect when there is one.
    virtual void DrawImage(const fw::TRect& rect);
    // The back image into rect by BackImageMode, at depth z in 3D.
    void DrawBackImage(const fw::TRect& rect, int32_t z);

private:
    std::unique_ptr<TChartGradient> gradient_;
    std::unique_ptr<fw::TPicture> backImage_;
    TBackImageMode backImageMode_ = pbmStretch;
    bool allowZoom_ = true;
    TPanningMode allowPanning_ = pmBoth;
    bool animatedZoom_ = false;
    int32_t animatedZoomSteps_ = 8;
    bool zoomed_ = false;
};

}  // namespace chart
