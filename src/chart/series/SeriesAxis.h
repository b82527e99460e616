#pragma once
// What a series needs of an axis: its direction and the mappings between
// values and pixels of the last repaint. The chart's axis class implements
// this; the series compares axes by identity (the object's address).

#include <cstdint>

namespace chart {

class ISeriesAxis {
public:
    virtual bool IsHorizontal() const = 0;
    virtual bool Inverted() const = 0;
    // Value to pixel column / pixel row.
    virtual int32_t CalcXPosValue(double value) const = 0;
    virtual int32_t CalcYPosValue(double value) const = 0;
    // A length in values to a length in pixels.
    virtual int32_t CalcSizeValue(double value) const = 0;
    // Pixel back to value.
    virtual double CalcPosPoint(int32_t pixel) const = 0;
    // Whether the pixels of all values from lo to hi keep the values' order
    // (monotone mapping); false when that cannot be shown.
    virtual bool MapsInOrder(double /*lo*/, double /*hi*/) const { return false; }

protected:
    ~ISeriesAxis() = default;
};

}  // namespace chart
