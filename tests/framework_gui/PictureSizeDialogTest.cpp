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
    const struct {
        const char* what;
        std::function<void(QDialog&)> answer;
        std::optional<fw::PictureSizeChoice> expected;
    } cases[] = {
        {"OK at once", [](QDialog&) {}, fw::PictureSizeChoice{}},
        {"a width typed", [](QDialog& d) { d.findChild<QSpinBox*>("PixelWidthBox")->setValue(1500); },
         fw::PictureSizeChoice{fw::PictureSizeKind::PixelWidth, 1500}},
        {"a print width typed", [](QDialog& d) { d.findChild<QDoubleSpinBox*>("PrintWidthBox")->setValue(12.5); },
         fw::PictureSizeChoice{fw::PictureSizeKind::PrintWidth, 12.5}},
        {"the line checked last counts",
         [](QDialog& d) {
             d.findChild<QSpinBox*>("PixelWidthBox")->setValue(900);
             d.findChild<QRadioButton*>("WindowSize")->setChecked(true);
         },
         fw::PictureSizeChoice{}},
        {"cancel", [](QDialog& d) { d.reject(); }, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto chosen = Answer([&c](QDialog& d) {
            c.answer(d);
            if (d.isVisible()) d.accept();
        });
        ASSERT_EQ(chosen.has_value(), c.expected.has_value()) << c.what;
        if (!chosen) continue;
        EXPECT_EQ(chosen->Kind, c.expected->Kind) << c.what;
        EXPECT_EQ(chosen->Width, c.expected->Width) << c.what;
    }
}

}  // namespace
