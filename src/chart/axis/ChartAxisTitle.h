#pragma once
// The title of an axis: a caption in its own font, at an angle that starts
// as the axis' default (0 horizontal, 90 left, 270 right).

#include <cstdint>
#include <string>

#include "chart/style/ChartFontObject.h"

namespace chart {

class TCustomChartAxis;

class TChartAxisTitle : public TChartFontObject {
public:
    explicit TChartAxisTitle(TCustomChartAxis& axis);
    std::string ClassName() const override { return "TChartAxisTitle"; }
    // From another title: angle, caption and font. The title stays with its
    // own axis, which may outlive the source's.
    void Assign(const fw::TPersistent& source) override;

    TCustomChartAxis& Axis() const { return *axis_; }
    int32_t Angle() const { return angle_; }
    // ChartException outside 0 ... 359; the old angle stays.
    void SetAngle(int32_t value);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { SetProperty(caption_, value); }
    // A layout stores the angle only when it differs from the axis' default.
    bool IsAngleStored() const;

private:
    TCustomChartAxis* axis_;
    int32_t angle_;
    std::string caption_;
};

}  // namespace chart
