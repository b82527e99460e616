#pragma once
// Base of chart objects that own one font (axis titles, chart titles, the
// legend). A change of the font, or of a value of the object, asks the
// owning chart for a repaint through the callback given at construction.

#include <functional>
#include <memory>
#include <string>

#include "chart/base/ChartProperty.h"
#include "framework/core/Persistent.h"
#include "framework/gui/paint/Font.h"

namespace chart {

class TChartFontObject : public fw::TPersistent {
public:
    // repaint: the owning chart's repaint request (may be empty).
    explicit TChartFontObject(std::function<void()> repaint);
    ~TChartFontObject() override;
    TChartFontObject(const TChartFontObject&) = delete;
    TChartFontObject& operator=(const TChartFontObject&) = delete;

    std::string ClassName() const override { return "TChartFontObject"; }
    // From another font object: its font.
    void Assign(const fw::TPersistent& source) override;

    fw::TFont& Font() const { return *font_; }
    // Copies value into the owned font.
    void SetFont(const fw::TFont& value) { font_->Assign(value); }
    // A layout stores the font only when it is not the default chart font.
    virtual bool IsFontStored() const;
    void Repaint() const;

protected:
    // Stores value and repaints when it differs.
    template <typename T>
    void SetProperty(T& field, const T& value) {
        StoreIfChanged(field, value, [this] { Repaint(); });
    }

private:
    std::function<void()> repaint_;
    std::unique_ptr<fw::TFont> font_;
};

}  // namespace chart
