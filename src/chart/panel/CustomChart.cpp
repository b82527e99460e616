#include "chart/panel/CustomChart.h"

#include "chart/canvas/ChartCanvas3D.h"
#include "chart/series/ChartSeries.h"

namespace chart {

namespace {

constexpr fw::TColor LeftWallColor = 0x0080FFFF;  // light yellow
constexpr fw::TColor BottomWallColor = fw::clWhite;

}  // namespace

TCustomChart::TCustomChart()
    : title_(std::make_unique<TChartTitle>([this] { Invalidate(); })),
      foot_(std::make_unique<TChartTitle>([this] { Invalidate(); })),
      legend_(std::make_unique<TChartLegend>([this] { Invalidate(); })),
      backWall_(std::make_unique<TChartWall>([this] { Invalidate(); })),
      leftWall_(std::make_unique<TChartWall>([this] { Invalidate(); })),
      bottomWall_(std::make_unique<TChartWall>([this] { Invalidate(); })) {
    backWall_->Brush().SetStyle(fw::bsClear);
    leftWall_->SetColor(LeftWallColor);
    leftWall_->SetDefaultColor(LeftWallColor);
    bottomWall_->SetColor(BottomWallColor);
    bottomWall_->SetDefaultColor(BottomWallColor);
}

TCustomChart::~TCustomChart() { BeginDestruction(); }

void TCustomChart::Assign(const TCustomChartPanel& source) {
    TCustomAxisPanel::Assign(source);
    const auto* other = dynamic_cast<const TCustomChart*>(&source);
    if (!other) return;
    title_->Assign(*other->title_);
    foot_->Assign(*other->foot_);
    legend_->Assign(*other->legend_);
    backWall_->Assign(*other->backWall_);
    leftWall_->Assign(*other->leftWall_);
    bottomWall_->Assign(*other->bottomWall_);
    SetBackImageInside(other->backImageInside_);
}

void TCustomChart::SetBackColor(fw::TColor value) {
    backWall_->SetColor(value);
    if (Host() && !IsLoading()) backWall_->Brush().SetStyle(fw::bsSolid);
}

bool TCustomChart::IsFreeSeriesColor(fw::TColor color, bool avoidBackground) const {
    if (SeriesList().UsesColor(color)) return false;
    return !(avoidBackground && (color == TCustomChartPanel::Color() || color == backWall_->Color()));
}

int32_t TCustomChart::CalcWallSize(const TCustomChartAxis& axis) {
    if (!View3D() || !View3DWalls()) return 0;
    if (&axis == LeftAxis()) return leftWall_->Size();
    if (&axis == BottomAxis()) return bottomWall_->Size();
    return 0;
}

void TCustomChart::DrawImage(const fw::TRect& rect) {
    if (!backImageInside_) TCustomChartPanelExtended::DrawImage(rect);
}

}  // namespace chart
