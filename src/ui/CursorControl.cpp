#include "ui/CursorControl.h"

#include <algorithm>
#include <vector>

#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

#include "chart/Chart.h"
#include "ui/CursorReadout.h"

namespace ui {
namespace {

// The values first ... last of a series, or none when it has fewer.
std::vector<double> Stretch(const chart::TChartSeries& series, int32_t first, int32_t last) {
    std::vector<double> values;
    if (series.Count() <= last) return values;
    for (int32_t i = first; i <= last; ++i) values.push_back(series.YValues().Value(i));
    return values;
}

}  // namespace

CursorControl::CursorControl(app::ProgramCharts& charts, QWidget& upperChart, QLabel& figures)
    : QObject(&upperChart), charts_(charts), upperChart_(upperChart), figures_(figures) {
    charts_.Cursors().OnMoved = [this] { ShowFigures(); };
    upperChart_.installEventFilter(this);
}

void CursorControl::Refresh(bool on) {
    chart::TCursors& cursors = charts_.Cursors();
    const int32_t count = charts_.Series1().Series().Count();
    const bool shown = on && count > 0;
    cursors.SetLast(count - 1);
    if (shown && !cursors.Visible()) {
        const chart::TChartAxis& bottom = *charts_.Chart1().BottomAxis();
        const bool drawn = bottom.ShownMaximum() > bottom.ShownMinimum();
        const double from = drawn ? bottom.ShownMinimum() : 0.0;
        const double span = drawn ? bottom.ShownMaximum() - from : count - 1.0;
        cursors.Place(1, static_cast<int32_t>(from + 0.75 * span));
        cursors.Place(0, static_cast<int32_t>(from + 0.25 * span));
    }
    cursors.SetVisible(shown);
    ShowFigures();
}

void CursorControl::ShowFigures() {
    const chart::TCursors& cursors = charts_.Cursors();
    if (!cursors.Visible()) {
        figures_.clear();
        return;
    }
    const int32_t a = cursors.Index(0);
    const int32_t b = cursors.Index(1);
    const int32_t first = std::min(a, b);
    const int32_t last = std::max(a, b);
    const std::string text = CursorReadoutText(a, b, Stretch(charts_.Series1().Series(), first, last),
                                               Stretch(charts_.Series2().Series(), first, last));
    figures_.setText(QString::fromStdString(text));
    figures_.setToolTip(figures_.text());
}

bool CursorControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &upperChart_ && event->type() == QEvent::KeyPress && charts_.Cursors().Visible()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            charts_.Cursors().Step(key == Qt::Key_Left ? -1 : 1);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ui
