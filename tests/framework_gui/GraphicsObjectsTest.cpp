#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>

#include "framework/gui/paint/Brush.h"
#include "framework/gui/paint/Font.h"
#include "framework/gui/paint/Pen.h"
#include "framework/gui/paint/SystemColors.h"

namespace {

struct Counter {
    int count = 0;
    fw::TNotifyEvent Event() {
        return [this](fw::TPersistent*) { ++count; };
    }
};

}  // namespace

TEST(FrameworkPen, DefaultsAndAssign) {
    fw::TPen pen;
    EXPECT_EQ(pen.Color(), fw::clBlack);
    EXPECT_EQ(pen.Width(), 1);
    EXPECT_EQ(pen.Style(), fw::psSolid);
    EXPECT_EQ(pen.Mode(), fw::pmCopy);

    Counter c;
    fw::TPen copy(c.Event());
    pen.SetColor(fw::clRed);
    pen.SetWidth(3);
    pen.SetStyle(fw::psDot);
    pen.SetMode(fw::pmNotXor);
    copy.Assign(pen);
    EXPECT_EQ(c.count, 1) << "one notification for the whole copy";
    EXPECT_EQ(copy.Color(), fw::clRed);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.Style(), fw::psDot);
    EXPECT_EQ(copy.Mode(), fw::pmNotXor);
    copy.Assign(pen);
    EXPECT_EQ(c.count, 1);
}

TEST(FrameworkBrush, NotifiesOnChangedValuesOnly) {
    Counter c;
    fw::TBrush brush(c.Event());
    EXPECT_EQ(brush.Color(), fw::clWhite);
    EXPECT_EQ(brush.Style(), fw::bsSolid);
    brush.SetColor(fw::clWhite);
    brush.SetStyle(fw::bsSolid);
    brush.SetBitmap(nullptr);
    EXPECT_EQ(c.count, 0);
    brush.SetStyle(fw::bsDiagCross);
    brush.SetColor(fw::clNavy);
    EXPECT_EQ(c.count, 2);
    EXPECT_THROW(brush.Assign(fw::TPen()), fw::EConvertError);
}

TEST(FrameworkFont, SizeAndHeightFollowPixelsPerInch) {
    fw::TFont font;
    font.SetPixelsPerInch(96);
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);  // 13.33 rounds down
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);

    // Changing the resolution keeps the pixel height; the point size reads anew.
    font.SetPixelsPerInch(72);
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 12);
}

TEST(FrameworkFont, AssignAcrossResolutionsKeepsThePointSize) {
    fw::TFont source;
    source.SetPixelsPerInch(96);
    source.SetName("Arial");
    source.SetSize(8);
    source.SetColor(fw::clBlue);
    source.SetStyle({fw::fsItalic, fw::fsUnderline});
    source.SetCharset(0);

    Counter c;
    fw::TFont dest(c.Event());
    dest.SetPixelsPerInch(144);
    dest.Assign(source);
    EXPECT_EQ(c.count, 1);
    EXPECT_EQ(dest.Name(), "Arial");
    EXPECT_EQ(dest.Size(), 8);
    EXPECT_EQ(dest.Height(), -16);
    EXPECT_EQ(dest.PixelsPerInch(), 144);
    EXPECT_EQ(dest.Color(), fw::clBlue);
    EXPECT_TRUE(dest.Style().Contains(fw::fsItalic));
    EXPECT_TRUE(dest.Style().Contains(fw::fsUnderline));
    EXPECT_FALSE(dest.Style().Contains(fw::fsBold));
    EXPECT_EQ(dest.Charset(), 0);

    dest.SetPixelsPerInch(96);
    dest.Assign(source);
    EXPECT_EQ(dest.Height(), -11) << "same resolution copies the pixel height";
}

TEST(SystemColours, ResolveThroughTheStylePalette) {
    const QPalette palette = QGuiApplication::palette();
    auto rgbOf = [](const QColor& c) { return fw::RGBColor(c.red(), c.green(), c.blue()); };
    EXPECT_EQ(fw::ColorToRGB(fw::clBtnFace), rgbOf(palette.color(QPalette::Active, QPalette::Button)));
    EXPECT_EQ(fw::ColorToRGB(fw::clBtnHighlight), rgbOf(palette.color(QPalette::Active, QPalette::Light)));
    EXPECT_EQ(fw::ColorToRGB(fw::clBtnShadow), rgbOf(palette.color(QPalette::Active, QPalette::Dark)));
    EXPECT_EQ(fw::ColorToRGB(fw::clWindowText), rgbOf(palette.color(QPalette::Active, QPalette::WindowText)));
    EXPECT_FALSE(fw::IsSystemColor(fw::ColorToRGB(fw::clScrollBar)));
    EXPECT_EQ(fw::ColorToRGB(fw::SystemColor(0x7F)), fw::clBlack) << "unknown numbers resolve to black";

    EXPECT_EQ(fw::ColorToRGB(fw::clTeal), fw::clTeal);
    EXPECT_EQ(fw::ToQColor(fw::clRed), QColor(255, 0, 0));
    EXPECT_EQ(fw::ToQColor(fw::clNone), QColor(255, 255, 255));
    EXPECT_EQ(fw::ToQRgb(0x00332211), 0xFF112233u);
}
