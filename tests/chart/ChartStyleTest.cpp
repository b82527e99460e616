#include <gtest/gtest.h>

#include "chart/style/ChartGradient.h"
#include "chart/style/ChartLegend.h"
#include "chart/style/ChartTitle.h"
#include "chart/style/ChartWall.h"
#include "chart/style/View3DOptions.h"

using namespace chart;

namespace {

struct Repaints {
    int count = 0;
    TRepaintRequest Request() {
        return [this] { ++count; };
    }
};

}  // namespace

TEST(ChartGradient, DefaultsAndRepaintOnlyOnChange) {
    Repaints r;
    TChartGradient g(r.Request());
    EXPECT_EQ(g.Direction(), gdTopBottom);
    EXPECT_EQ(g.StartColor(), fw::clWhite);
    EXPECT_EQ(g.EndColor(), 0x0000FFFF);
    EXPECT_FALSE(g.Visible());
    g.SetDirection(gdTopBottom);
    g.SetStartColor(fw::clWhite);
    g.SetEndColor(fw::clYellow);
    g.SetVisible(false);
    EXPECT_EQ(r.count, 0);
    g.SetDirection(gdFromCenter);
    g.SetVisible(true);
    EXPECT_EQ(r.count, 2);

    TChartGradient ownerless;  // no panel: changes are simply stored
    ownerless.SetStartColor(fw::clRed);
    EXPECT_EQ(ownerless.StartColor(), fw::clRed);
    ownerless.Assign(g);
    EXPECT_EQ(ownerless.Direction(), gdFromCenter);
    EXPECT_TRUE(ownerless.Visible());
    EXPECT_EQ(ownerless.StartColor(), fw::clWhite);
}

TEST(View3DOptions, DefaultsAndNotifications) {
    Repaints r;
    TView3DOptions o(r.Request());
    EXPECT_EQ(o.Elevation(), 345);
    EXPECT_EQ(o.HorizOffset(), 0);
    EXPECT_TRUE(o.Orthogonal());
    EXPECT_EQ(o.Perspective(), 15);
    EXPECT_EQ(o.Rotation(), 345);
    EXPECT_EQ(o.Tilt(), 0);
    EXPECT_EQ(o.VertOffset(), 0);
    EXPECT_EQ(o.Zoom(), 100);
    EXPECT_TRUE(o.ZoomText());

    std::vector<bool> scrolled;
    o.OnScrolled = [&](bool horizontal) { scrolled.push_back(horizontal); };
    int zoomSeen = 0, zoomStoredWhenTold = 0;
    o.OnChangedZoom = [&](int32_t z) {
        zoomSeen = z;
        zoomStoredWhenTold = o.Zoom();
    };
    o.SetHorizOffset(0);
    o.SetZoom(100);
    EXPECT_EQ(r.count, 0);
    EXPECT_TRUE(scrolled.empty());
    EXPECT_EQ(zoomSeen, 0);

    o.SetHorizOffset(5);
    o.SetVertOffset(-3);
    EXPECT_EQ(scrolled, (std::vector<bool>{true, false}));
    o.SetZoom(150);
    EXPECT_EQ(zoomSeen, 150);
    EXPECT_EQ(zoomStoredWhenTold, 100) << "told before the zoom is stored";
    EXPECT_EQ(o.Zoom(), 150);
    EXPECT_EQ(r.count, 3);
}

TEST(ChartWall, ColourStoringFollowsTheWallsOwnDefault) {
    Repaints r;
    TChartWall left(r.Request());
    EXPECT_EQ(left.Color(), fw::clChartDefault);
    EXPECT_EQ(left.Brush().Color(), fw::clChartDefault);
    EXPECT_EQ(left.Brush().Style(), fw::bsSolid);
    EXPECT_TRUE(left.Dark3D());
    EXPECT_EQ(left.Size(), 0);
    EXPECT_TRUE(left.Pen().Visible());
    EXPECT_FALSE(left.IsColorStored());

    // What the chart does for its left wall after creating it.
    left.SetColor(0x0080FFFF);
    left.SetDefaultColor(0x0080FFFF);
    EXPECT_FALSE(left.IsColorStored());
    left.SetColor(fw::clWhite);
    EXPECT_TRUE(left.IsColorStored());
    EXPECT_EQ(r.count, 2);
}

TEST(ChartWall, Dark3DNeedsAVisibleBrushWithoutBitmap) {
    Repaints r;
    TChartWall wall(r.Request());
    EXPECT_TRUE(wall.ApplyDark3D());
    wall.Brush().SetStyle(fw::bsClear);
    EXPECT_FALSE(wall.ApplyDark3D());
    EXPECT_EQ(r.count, 1) << "a change of the wall's brush repaints";
    wall.Brush().SetStyle(fw::bsCross);
    EXPECT_TRUE(wall.ApplyDark3D());
    wall.SetDark3D(false);
    EXPECT_FALSE(wall.ApplyDark3D());
    wall.SetDark3D(true);
    fw::TBitmap* pattern = reinterpret_cast<fw::TBitmap*>(&wall);  // only its presence counts
    wall.Brush().SetBitmap(pattern);
    EXPECT_FALSE(wall.ApplyDark3D());
    wall.Brush().SetBitmap(nullptr);

    TChartWall copy;
    wall.Pen().SetWidth(3);
    wall.SetSize(4);
    copy.Assign(wall);
    EXPECT_EQ(copy.Pen().Width(), 3);
    EXPECT_EQ(copy.Brush().Style(), fw::bsCross);
    EXPECT_EQ(copy.Size(), 4);
    EXPECT_THROW(copy.Assign(TChartGradient()), fw::EConvertError);
}

TEST(ChartTitle, DefaultsAndTheBlueFont) {
    Repaints r;
    TChartTitle title(r.Request());
    EXPECT_EQ(r.count, 0) << "the blue font is where a title starts";
    EXPECT_TRUE(title.AdjustFrame());
    EXPECT_EQ(title.Alignment(), taCenter);
    EXPECT_EQ(title.Color(), fw::clChartDefault);
    EXPECT_EQ(title.Brush().Color(), fw::clChartDefault);
    EXPECT_FALSE(title.Frame().Visible());
    EXPECT_TRUE(title.Text().empty());
    EXPECT_TRUE(title.Visible());
    EXPECT_EQ(title.Font().Name(), "Arial");
    EXPECT_EQ(title.Font().Size(), 8);
    EXPECT_EQ(title.Font().Color(), fw::clBlue);
    EXPECT_FALSE(title.IsFontStored());
}

TEST(ChartTitle, FontStoredRule) {
    TChartTitle title;
    title.Font().SetStyle({fw::fsBold});
    EXPECT_TRUE(title.IsFontStored());
    title.Font().SetStyle({});
    title.Font().SetCharset(0);
    EXPECT_FALSE(title.IsFontStored()) << "the character set is not compared";
    title.Font().SetColor(fw::clRed);
    EXPECT_TRUE(title.IsFontStored());
    // A foot in a form designer: red italic counts as its default.
    title.Font().SetStyle({fw::fsItalic});
    title.SetBaseFont(fw::clRed, {fw::fsItalic});
    EXPECT_FALSE(title.IsFontStored());
    title.Font().SetName("Courier New");
    EXPECT_TRUE(title.IsFontStored());

    // The plain font object compares against the default chart font.
    TChartFontObject plain({});
    EXPECT_FALSE(plain.IsFontStored());
    plain.Font().SetStyle({fw::fsBold});
    EXPECT_TRUE(plain.IsFontStored());
}

TEST(ChartTitle, SettersRepaintOnChangedValuesAndAssignCopiesDeeply) {
    Repaints r;
    TChartTitle title(r.Request());
    title.SetText({});
    title.SetAlignment(taCenter);
    title.SetVisible(true);
    EXPECT_EQ(r.count, 0);
    title.SetText({"Signal", "Level 2"});
    title.SetAlignment(taLeftJustify);
    title.Frame().SetVisible(true);
    title.Font().SetSize(12);
    EXPECT_EQ(r.count, 4);
    title.SetText({"Signal", "Level 2"});
    EXPECT_EQ(r.count, 4);

    TChartTitle copy;
    copy.Assign(title);
    EXPECT_EQ(copy.Text(), (std::vector<std::string>{"Signal", "Level 2"}));
    EXPECT_EQ(copy.Alignment(), taLeftJustify);
    EXPECT_TRUE(copy.Frame().Visible());
    EXPECT_EQ(copy.Font().Size(), 12);
    title.Frame().SetVisible(false);
    EXPECT_TRUE(copy.Frame().Visible()) << "the copy owns its own frame";
}

TEST(ChartTitle, ClickedInsideItsLastBoxWhileVisible) {
    TChartTitle title;
    title.SetTitleBox({10, 5, 50, 20});
    EXPECT_TRUE(title.Clicked(10, 5));
    EXPECT_TRUE(title.Clicked(49, 19));
    EXPECT_FALSE(title.Clicked(50, 10));
    EXPECT_FALSE(title.Clicked(20, 4));
    title.SetVisible(false);
    EXPECT_FALSE(title.Clicked(20, 10));
}

TEST(ChartLegend, DefaultsAndVertical) {
    Repaints r;
    TChartLegend legend(r.Request());
    EXPECT_TRUE(legend.Visible());
    EXPECT_EQ(legend.Alignment(), laRight);
    EXPECT_TRUE(legend.Vertical());
    EXPECT_EQ(legend.Color(), fw::clWhite);
    EXPECT_EQ(legend.ColorWidth(), 12);
    EXPECT_FALSE(legend.DividingLines().Visible());
    EXPECT_EQ(legend.FirstValue(), 0);
    EXPECT_TRUE(legend.Frame().Visible());
    EXPECT_EQ(legend.Brush().Color(), fw::clChartDefault);
    EXPECT_EQ(legend.HorizMargin(), 0);
    EXPECT_FALSE(legend.Inverted());
    EXPECT_EQ(legend.LegendStyle(), lsAuto);
    EXPECT_EQ(legend.MaxNumRows(), 10);
    EXPECT_TRUE(legend.ResizeChart());
    EXPECT_EQ(legend.ShadowColor(), fw::clBlack);
    EXPECT_EQ(legend.ShadowSize(), 3);
    EXPECT_EQ(legend.TextStyle(), ltsLeftValue);
    EXPECT_EQ(legend.TopPos(), 10);
    EXPECT_EQ(legend.VertMargin(), 0);

    legend.SetAlignment(laTop);
    EXPECT_FALSE(legend.Vertical());
    legend.SetAlignment(laLeft);
    EXPECT_TRUE(legend.Vertical());
    legend.SetAlignment(laBottom);
    EXPECT_FALSE(legend.Vertical());
    legend.SetVisible(false);
    legend.SetVisible(false);
    EXPECT_EQ(r.count, 4);

    TChartLegend copy;
    copy.Assign(legend);
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ(copy.Alignment(), laBottom);
}
