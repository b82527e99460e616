#pragma once
// The chart component's own error: a fixed message from its text table.

#include "framework/core/Exceptions.h"

namespace chart {

class ChartException : public fw::Exception {
public:
    using fw::Exception::Exception;
};

}  // namespace chart
