#pragma once
// The range an axis is set to: its ends, its increment and which of them the
// series decide. Kept as one value so that what replaces the range for a
// while (a custom drawing) can save it and put it back whole.

namespace chart {

struct TAxisRangeSettings {
    double Minimum = 0;
    double Maximum = 0;
    double Increment = 0;
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;

    friend bool operator==(const TAxisRangeSettings&, const TAxisRangeSettings&) = default;
};

}  // namespace chart
