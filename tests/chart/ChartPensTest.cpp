#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <climits>

#include "chart/style/ChartPens.h"

using namespace chart;

namespace {

struct PenRow {
    const char* name;
    bool visible;
    fw::TColor color;
    int width;
    fw::TPenStyle style;
};

template <typename Pen>
void ExpectPen(const PenRow& row) {
    Pen pen;
    SCOPED_TRACE(row.name);
    EXPECT_EQ(pen.ClassName(), row.name);
    EXPECT_EQ(pen.Visible(), row.visible);
    EXPECT_FALSE(pen.SmallDots());
    EXPECT_EQ(pen.Color(), row.color);
    EXPECT_EQ(pen.Width(), row.width);
    EXPECT_EQ(pen.Style(), row.style);
    EXPECT_EQ(pen.Mode(), fw::pmCopy);
    // A fresh pen of any kind carries nothing that needs storing.
    EXPECT_FALSE(pen.IsVisibleStored() || pen.IsColorStored() || pen.IsWidthStored() || pen.IsStyleStored() ||
                 pen.IsModeStored() || pen.IsSmallDotsStored());
}

}  // namespace

TEST(ChartPenKinds, StartWithTheirOwnDefaults) {
    ExpectPen<TChartPen>({"TChartPen", true, fw::clBlack, 1, fw::psSolid});
    ExpectPen<TChartHiddenPen>({"TChartHiddenPen", false, fw::clBlack, 1, fw::psSolid});
    ExpectPen<TDottedGrayPen>({"TDottedGrayPen", true, 0x808080, 1, fw::psDot});
    ExpectPen<TDarkGrayPen>({"TDarkGrayPen", true, 0x808080, 1, fw::psSolid});
    ExpectPen<TChartAxisPen>({"TChartAxisPen", true, fw::clBlack, 2, fw::psSolid});
    ExpectPen<TChartArrowPen>({"TChartArrowPen", true, 0xFFFFFF, 1, fw::psSolid});
}

TEST(ChartPenKinds, StoreOnlyWhatDiffersFromTheirKind) {
    TDottedGrayPen grid;
    grid.SetColor(fw::clBlack);  // the plain pen's default, but not this kind's
    EXPECT_TRUE(grid.IsColorStored());
    grid.SetColor(fw::clGray);
    EXPECT_FALSE(grid.IsColorStored());

    TChartAxisPen axis;
    axis.SetWidth(1);
    EXPECT_TRUE(axis.IsWidthStored());

    TChartHiddenPen frame;
    frame.SetVisible(true);
    EXPECT_TRUE(frame.IsVisibleStored());

    TChartPen pen;
    pen.SetMode(fw::pmNotXor);
    pen.SetSmallDots(true);
    EXPECT_TRUE(pen.IsModeStored());
    EXPECT_TRUE(pen.IsSmallDotsStored());
}

TEST(ChartPenNotification, FiresOnlyWhenAValueChanges) {
    int changes = 0;
    fw::TPersistent* lastSender = nullptr;
    TChartPen pen([&](fw::TPersistent* sender) {
        ++changes;
        lastSender = sender;
    });
    EXPECT_EQ(changes, 0) << "construction tells nobody";

    pen.SetVisible(true);
    pen.SetSmallDots(false);
    pen.SetColor(fw::clBlack);
    pen.SetWidth(1);
    pen.SetStyle(fw::psSolid);
    pen.SetMode(fw::pmCopy);
    EXPECT_EQ(changes, 0);

    pen.SetVisible(false);
    pen.SetSmallDots(true);
    pen.SetColor(fw::clRed);
    pen.SetWidth(2);
    pen.SetStyle(fw::psDash);
    pen.SetMode(fw::pmNotXor);
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(lastSender, &pen);

    pen.SetWidth(-1);
    EXPECT_EQ(pen.Width(), 2) << "a negative width is refused";
    EXPECT_EQ(changes, 6);
}

TEST(ChartPenAssign, CopiesEverythingFromAChartPen) {
    TChartAxisPen source;
    source.SetVisible(false);
    source.SetSmallDots(true);
    source.SetColor(fw::clRed);
    source.SetStyle(fw::psDashDot);
    source.SetMode(fw::pmXor);

    int changes = 0;
    TChartPen dest([&](fw::TPersistent*) { ++changes; });
    dest.Assign(source);
    EXPECT_FALSE(dest.Visible());
    EXPECT_TRUE(dest.SmallDots());
    EXPECT_EQ(dest.Color(), fw::clRed);
    EXPECT_EQ(dest.Width(), 2);
    EXPECT_EQ(dest.Style(), fw::psDashDot);
    EXPECT_EQ(dest.Mode(), fw::pmXor);
    EXPECT_GT(changes, 0);
    EXPECT_EQ(dest.ClassName(), "TChartPen") << "the kind stays";

    const int before = changes;
    dest.Assign(source);
    EXPECT_EQ(changes, before) << "assigning equal values tells nobody";
}

TEST(ChartPenAssign, FromAFrameworkPenKeepsVisibility) {
    fw::TPen plain;
    plain.SetColor(fw::clBlue);
    TChartHiddenPen dest;
    dest.Assign(plain);
    EXPECT_EQ(dest.Color(), fw::clBlue);
    EXPECT_FALSE(dest.Visible());
}

TEST(ChartPenAssign, FromAnUnrelatedClassFails) {
    TChartPen pen;
    pen.SetColor(fw::clRed);
    TChartBrush brush;
    try {
        pen.Assign(brush);
        FAIL() << "expected an error";
    } catch (const fw::EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TChartBrush to a TChartPen");
    }
    EXPECT_EQ(pen.Color(), fw::clRed);
    EXPECT_THROW(brush.Assign(pen), fw::EConvertError);
}

TEST(ChartBrush, StartsWithoutAColourOfItsOwn) {
    int changes = 0;
    TChartBrush brush([&](fw::TPersistent*) { ++changes; });
    EXPECT_EQ(brush.Color(), fw::clChartDefault);
    EXPECT_EQ(static_cast<uint32_t>(brush.Color()), 0x80000000u);
    EXPECT_EQ(brush.Style(), fw::bsSolid);
    EXPECT_EQ(brush.Bitmap(), nullptr);
    EXPECT_TRUE(brush.IsColorStored());
    EXPECT_FALSE(brush.IsStyleStored());

    brush.SetStyle(fw::bsSolid);
    EXPECT_EQ(changes, 0);
    brush.SetStyle(fw::bsCross);
    EXPECT_TRUE(brush.IsStyleStored());
    EXPECT_EQ(changes, 1);

    TChartBrush copy;
    copy.Assign(brush);
    EXPECT_EQ(copy.Style(), fw::bsCross);
    EXPECT_EQ(copy.Color(), fw::clChartDefault);
}

TEST(ChartPalette, HandsOutSixteenColoursInOrderAndWraps) {
    const fw::TColor expected[16] = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF, 0x808000,
                                     0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, 0x000000};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(GetDefaultColor(i), expected[i]) << i;
        EXPECT_EQ(GetDefaultColor(i + 16), expected[i]) << i + 16;
    }
    EXPECT_EQ(GetDefaultColor(16), fw::clRed);
    EXPECT_EQ(GetDefaultColor(-1), fw::clBlack);
    EXPECT_EQ(GetDefaultColor(-16), fw::clRed);
    EXPECT_EQ(GetDefaultColor(INT32_MIN), GetDefaultColor(0));
}

TEST(ChartFont, DefaultIsArialEightPoints) {
    ASSERT_NE(QLocale().language(), QLocale::Japanese);
    EXPECT_EQ(GetDefaultFontName(), "Arial");
    EXPECT_EQ(GetDefaultFontSize(), 8);

    int changes = 0;
    auto font = CreateDefaultFont([&](fw::TPersistent*) { ++changes; }, 96);
    EXPECT_EQ(font->Name(), "Arial");
    EXPECT_EQ(font->Size(), 8);
    EXPECT_EQ(font->Height(), -11);  // 8 pt at 96 pixels per inch: 10.67 pixels, rounded
    EXPECT_EQ(font->Color(), fw::clBlack);
    EXPECT_TRUE(font->Style().Empty());
    EXPECT_EQ(font->Charset(), fw::DEFAULT_CHARSET);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(IsDefaultFont(*font));

    font->SetStyle({fw::fsBold});
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(IsDefaultFont(*font));
}

TEST(ChartFont, AnyDifferenceMakesItNonDefault) {
    auto check = [](auto change) {
        auto font = CreateDefaultFont({}, 96);
        change(*font);
        return IsDefaultFont(*font);
    };
    EXPECT_FALSE(check([](fw::TFont& f) { f.SetName("Courier New"); }));
    EXPECT_FALSE(check([](fw::TFont& f) { f.SetSize(9); }));
    EXPECT_FALSE(check([](fw::TFont& f) { f.SetColor(fw::clBlue); }));
    EXPECT_FALSE(check([](fw::TFont& f) { f.SetCharset(0); }));
    EXPECT_TRUE(check([](fw::TFont& f) { f.SetHeight(-11); }));
    // At 120 pixels per inch the same point size is a larger pixel height.
    auto large = CreateDefaultFont({}, 120);
    EXPECT_EQ(large->Height(), -13);
    EXPECT_TRUE(IsDefaultFont(*large));
}

TEST(ChartFont, JapaneseLocaleTakesTheFrameworkFont) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    const std::string name = GetDefaultFontName();
    const int size = GetDefaultFontSize();
    QLocale::setDefault(saved);

    EXPECT_EQ(name, fw::DefaultFontName());
    const QFont appFont = QGuiApplication::font();
    if (appFont.pointSize() > 0) {
        EXPECT_EQ(size, appFont.pointSize());
    }
    int other = 9;
    CheckJapaneseFontSize(other);
    EXPECT_EQ(other, 9) << "only the default 8 is replaced";
}
