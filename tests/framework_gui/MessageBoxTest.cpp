#include "framework/gui/window/QtDialogService.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "ModalScript.h"
#include "QtPrinters.h"

namespace {

struct SeenBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons Buttons;
    Qt::TextFormat Format = Qt::AutoText;
    Qt::WindowModality Modality = Qt::NonModal;
};

SeenBox ShowAndRead(const std::string& caption, const std::string& text, fw::MessageBoxIcon icon) {
    SeenBox seen;
    AnswerNextModal<QMessageBox>([&](QMessageBox& box) {
        seen = {box.windowTitle(),     box.text(),       box.icon(),
                box.standardButtons(), box.textFormat(), box.windowModality()};
        box.button(QMessageBox::Ok)->click();
    });
    fw::QtDialogService().ShowMessageBox(caption, text, icon);
    return seen;
}

TEST(QtMessageBox, ErrorBoxHasCaptionTextStopIconAndOnlyOk) {
    const SeenBox seen = ShowAndRead("Quelmar", "'abc' is not a valid integer value.", fw::MessageBoxIcon::Stop);
    EXPECT_EQ(seen.Title, "Quelmar");
    EXPECT_EQ(seen.Text, "'abc' is not a valid integer value.");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_EQ(seen.Buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.Modality, Qt::ApplicationModal);
}

TEST(QtMessageBox, WarningBoxShowsMarkupLikeTextLiterally) {
    const SeenBox seen = ShowAndRead("Quelmar", "<b>short</b> file", fw::MessageBoxIcon::Warning);
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
    EXPECT_EQ(seen.Format, Qt::PlainText);
    EXPECT_EQ(seen.Text, "<b>short</b> file");
}

TEST(QtMessageBox, EachIconShowsItsQtIcon) {
    const std::pair<fw::MessageBoxIcon, QMessageBox::Icon> icons[] = {
        {fw::MessageBoxIcon::Stop, QMessageBox::Critical},
        {fw::MessageBoxIcon::Warning, QMessageBox::Warning},
        {fw::MessageBoxIcon::Information, QMessageBox::Information},
    };
    for (const auto& [icon, qtIcon] : icons) {
        EXPECT_EQ(ShowAndRead("Quelmar", "text", icon).Icon, qtIcon);
    }
}

}  // namespace
