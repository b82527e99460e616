#pragma once
// The window's two chart areas and the three series the session plots into.
// The window asks only for the two area widgets (to place them by its layout)
// and for the series as plot targets; everything chart-specific stays here.

#include <QWidget>

#include "ui/RecordingSeries.h"

namespace ui {

class MainCharts {
public:
    // Creates both areas as children of window, all series empty.
    explicit MainCharts(QWidget& window);
    MainCharts(const MainCharts&) = delete;
    MainCharts& operator=(const MainCharts&) = delete;

    QWidget& Chart1() const { return *chart1_; }  // upper: signal and reconstruction
    QWidget& Chart2() const { return *chart2_; }  // lower: the viewed level

    RecordingSeries& Series1() { return series1_; }  // signal plot, on Chart1
    RecordingSeries& Series2() { return series2_; }  // reconstruction plot, on Chart1
    RecordingSeries& Series3() { return series3_; }  // view plot, on Chart2
    const RecordingSeries& Series1() const { return series1_; }
    const RecordingSeries& Series2() const { return series2_; }
    const RecordingSeries& Series3() const { return series3_; }

private:
    QWidget* chart1_;  // owned by the window, as its children
    QWidget* chart2_;
    RecordingSeries series1_;
    RecordingSeries series2_;
    RecordingSeries series3_;
};

}  // namespace ui
