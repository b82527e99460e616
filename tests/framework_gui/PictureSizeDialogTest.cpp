// The picture-size dialog answered as a user would: each line's choice, and
// a cancel.

#include <gtest/gtest.h>

#include <QDialog>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QSpinBox>

#include "ModalScript.h"
#include "framework/gui/window/QtDialogService.h"

namespace {

std::optional<fw::PictureSizeChoice> Answer(std::function<void(QDialog&)> answer) {
    AnswerNextModal<QDialog>(std::move(answer));
    fw::QtDialogService dialogs;
    return dialogs.ExecutePictureSize(697, 300);
}

TEST(PictureSizeDialog, GivesTheChosenLineOrNothingOnCancel) {
    const auto window = Answer([](QDialog& d) { d.accept(); });
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Kind, fw::PictureSizeKind::Window);

    const auto pixels = Answer([](QDialog& d) {
        d.findChild<QSpinBox*>("PixelWidthBox")->setValue(1500);
        d.accept();
    });
    ASSERT_TRUE(pixels);
    EXPECT_EQ(pixels->Kind, fw::PictureSizeKind::PixelWidth);
    EXPECT_EQ(pixels->Width, 1500);

    const auto print = Answer([](QDialog& d) {
        d.findChild<QDoubleSpinBox*>("PrintWidthBox")->setValue(12.5);
        d.accept();
    });
    ASSERT_TRUE(print);
    EXPECT_EQ(print->Kind, fw::PictureSizeKind::PrintWidth);
    EXPECT_DOUBLE_EQ(print->Width, 12.5);

    const auto window2 = Answer([](QDialog& d) {
        d.findChild<QSpinBox*>("PixelWidthBox")->setValue(900);
        d.findChild<QRadioButton*>("WindowSize")->setChecked(true);
        d.accept();
    });
    ASSERT_TRUE(window2);
    EXPECT_EQ(window2->Kind, fw::PictureSizeKind::Window) << "the line checked last counts";

    EXPECT_FALSE(Answer([](QDialog& d) { d.reject(); }));
}

}  // namespace
