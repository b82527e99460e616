#include "ui/ClientLayout.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QEvent>
#include <QWidget>

namespace ui {

namespace {

// Charts narrower or lower than this no longer tell anything.
constexpr int kLeastChartWidth = 200;
constexpr int kLeastChartHeight = 100;

// The column's rows as spans of height, merged where they overlap, in order.
std::vector<std::pair<int, int>> ColumnSpans(std::span<const ControlLayout> rows) {
    std::vector<std::pair<int, int>> spans;
    for (const ControlLayout& row : rows) {
        if (row.Kind != ControlKind::ChartArea) spans.emplace_back(row.Top, row.Top + row.Height);
    }
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& span : spans) {
        if (!merged.empty() && span.first <= merged.back().second) {
            merged.back().second = std::max(merged.back().second, span.second);
        } else {
            merged.push_back(span);
        }
    }
    return merged;
}

int CoveredHeight(std::span<const ControlLayout> rows) {
    int covered = 0;
    for (const auto& [top, bottom] : ColumnSpans(rows)) covered += bottom - top;
    return covered;
}

// Where a control at y goes when the column's gaps close by `closing` of
// their height all told.
int SqueezedTop(int y, int closing, std::span<const ControlLayout> rows) {
    int gaps = 0;
    int gapsAbove = 0;
    int end = 0;
    for (const auto& [top, bottom] : ColumnSpans(rows)) {
        gaps += top - end;
        if (top <= y) gapsAbove = gaps;
        end = bottom;
    }
    gaps += std::max(kMainWindow.ClientHeight - end, 0);
    if (gaps <= 0) return y;
    return y - static_cast<int>(static_cast<long long>(gapsAbove) * std::min(closing, gaps) / gaps);
}

}  // namespace

QSize LeastClientSize(std::span<const ControlLayout> rows) {
    const int column = kMainWindow.ClientWidth - kChart1.Width();
    return {column + kLeastChartWidth,
            std::max(CoveredHeight(rows) + 8, 2 * kLeastChartHeight + kChart2.Top - kChart1.Bottom)};
}

QRect PlacedGeometry(const ControlLayout& row, QSize extra, std::span<const ControlLayout> rows) {
    const int dx = extra.width();
    const int dy = extra.height();
    // The upper chart takes the first half of the extra height, the lower
    // chart the rest, and everything at or below the lower chart's top moves
    // by the upper chart's share; with less height, the column's gaps close.
    const int upperShare = dy / 2;
    const bool lowerHalf = row.Top >= kChart2.Top;
    const int top = row.Top + (lowerHalf ? upperShare : 0);
    if (row.Kind == ControlKind::ChartArea) {
        return {row.Left, top, row.Width + dx, row.Height + (lowerHalf ? dy - upperShare : upperShare)};
    }
    return {row.Left + dx, dy >= 0 ? top : SqueezedTop(row.Top, -dy, rows), row.Width, row.Height};
}

ClientLayout::ClientLayout(QWidget& clientArea, const WindowLayout& window, std::span<const ControlLayout> rows)
    : QObject(&clientArea), clientArea_(clientArea), stored_(window.ClientWidth, window.ClientHeight), rows_(rows) {
    clientArea_.setMinimumSize(LeastClientSize(rows));
    clientArea_.installEventFilter(this);
}

bool ClientLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &clientArea_ && event->type() == QEvent::Resize) Place();
    return QObject::eventFilter(watched, event);
}

void ClientLayout::Place() {
    const QSize extra = clientArea_.size() - stored_;
    for (const ControlLayout& row : rows_) {
        const QString name = QString::fromUtf8(row.Name.data(), static_cast<qsizetype>(row.Name.size()));
        if (auto* control = clientArea_.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly)) {
            control->setGeometry(PlacedGeometry(row, extra, rows_));
        }
    }
}

}  // namespace ui
