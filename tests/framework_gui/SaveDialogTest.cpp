// The file-save dialog on Qt widgets: it opens in the proposed file's folder
// with its name and the asked-for file type, and hands back the choice.
#include "framework/gui/window/QtDialogService.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include "ModalScript.h"
#include "QtPrinters.h"

namespace {

constexpr const char* kFilter = "Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|Any files (*.*)|*.*";

struct SeenSaveDialog {
    QFileDialog::AcceptMode Mode = QFileDialog::AcceptOpen;
    QString Folder;
    QString Name;
    QString Type;
};

class QtSaveDialog : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Shows the dialog proposing proposed with the filter entry index;
    // answer closes it after the dialog as shown was noted.
    bool Show(const std::string& proposed, int& index, std::string& fileName,
              const std::function<void(QFileDialog&)>& answer) {
        AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
            seen = {dialog.acceptMode(), QDir(dialog.directory()).canonicalPath(),
                    dialog.findChild<QLineEdit*>("fileNameEdit")->text(), dialog.selectedNameFilter()};
            answer(dialog);
        });
        fileName = proposed;
        return dialogs.ExecuteSave(kFilter, fileName, index);
    }

    QTemporaryDir folder;
    fw::QtDialogService dialogs;
    SeenSaveDialog seen;
};

TEST_F(QtSaveDialog, OpensAtTheProposedFileAndReturnsTheChoiceWithItsType) {
    int index = 1;
    std::string fileName;
    const bool saved = Show(folder.filePath("proposed.txt").toStdString(), index, fileName, [&](QFileDialog& dialog) {
        dialog.selectNameFilter(dialog.nameFilters().value(2));
        dialog.selectFile(folder.filePath("chosen.out"));
        static_cast<QDialog&>(dialog).accept();
    });
    ASSERT_TRUE(saved);
    EXPECT_EQ(seen.Mode, QFileDialog::AcceptSave);
    EXPECT_EQ(seen.Folder, QDir(folder.path()).canonicalPath());
    EXPECT_EQ(seen.Name, "proposed.txt");
    EXPECT_EQ(seen.Type, "Text files (*.txt)");
    const QFileInfo chosen(QString::fromStdString(fileName));
    EXPECT_EQ(chosen.fileName(), "chosen.out");
    EXPECT_EQ(QDir(chosen.absolutePath()).canonicalPath(), seen.Folder);
    EXPECT_EQ(index, 2);
}

TEST_F(QtSaveDialog, CancelLeavesNameAndTypeAlone) {
    int index = 0;
    std::string fileName;
    const std::string proposed = folder.filePath("kept.dat").toStdString();
    EXPECT_FALSE(Show(proposed, index, fileName, [](QFileDialog& dialog) { dialog.reject(); }));
    EXPECT_EQ(fileName, proposed);
    EXPECT_EQ(index, 0);
}

}  // namespace
