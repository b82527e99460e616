#include "framework/gui/window/OpenDialog.h"
#include "framework/gui/window/OpenDialogFilter.h"
#include "framework/gui/window/QtDialogService.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "ModalScript.h"
#include "QtPrinters.h"

namespace {

constexpr const char* kDataFilter = "Data files (*.dat, *.txt)|*.dat; *.txt|Any files (*.*)|*.*";

using Entry = fw::OpenDialogFilterEntry;

TEST(OpenDialogFilter, ParsesDescriptionPatternPairs) {
    const std::vector<Entry> expected{{"Data files (*.dat, *.txt)", {"*.dat", "*.txt"}}, {"Any files (*.*)", {"*.*"}}};
    EXPECT_EQ(fw::ParseOpenDialogFilter(kDataFilter), expected);
}

TEST(OpenDialogFilter, IgnoresUnpairedAndEmptyPieces) {
    EXPECT_TRUE(fw::ParseOpenDialogFilter("").empty());
    EXPECT_TRUE(fw::ParseOpenDialogFilter("Only a description").empty());
    EXPECT_EQ(fw::ParseOpenDialogFilter("A|*.a|B"), (std::vector<Entry>{{"A", {"*.a"}}}));
    EXPECT_EQ(fw::ParseOpenDialogFilter("|*.x|B|*.b"), (std::vector<Entry>{{"B", {"*.b"}}}));
    EXPECT_EQ(fw::ParseOpenDialogFilter("C| ;*.c ; ;*.h;"), (std::vector<Entry>{{"C", {"*.c", "*.h"}}}));
}

TEST(OpenDialogFilter, QtNameFiltersKeepTheDescriptionAndListThePatterns) {
    const QStringList filters = fw::QtNameFilters(fw::ParseOpenDialogFilter(kDataFilter));
    EXPECT_EQ(filters, (QStringList{"Data files (*.dat, *.txt) (*.dat *.txt)", "Any files (*.*) (*)"}));
    EXPECT_EQ(fw::QtNameFilters({{"Nothing", {}}}), QStringList{"Nothing (*)"});
}

// The names the dialog lists in its current folder, once its model has loaded them.
QSet<QString> ListedFiles(QFileDialog& dialog, int expectedCount) {
    auto* view = dialog.findChild<QAbstractItemView*>("listView");
    QSet<QString> names;
    if (view == nullptr) {
        return names;
    }
    // On time-out the names seen last are returned and the caller's comparison fails.
    static_cast<void>(QTest::qWaitFor([&] {
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            names.insert(view->model()->index(row, 0, root).data().toString());
        }
        return names.size() == expectedCount;
    }));
    return names;
}

class QtOpenDialog : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"a.dat", "b.txt", "c.csv", "noext"}) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    std::string PathOf(const char* name) const { return QFile::encodeName(folder.filePath(name)).toStdString(); }

    QTemporaryDir folder;
    fw::QtDialogService dialogs;
};

TEST_F(QtOpenDialog, OffersTheParsedFiltersWithTheFirstSelectedAndFiltersOnThePatterns) {
    QStringList nameFilters;
    int selectedType = -1;
    QSet<QString> dataFiles;
    QSet<QString> anyFiles;
    QStringList shownTypes;
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        nameFilters = dialog.nameFilters();
        if (auto* types = dialog.findChild<QComboBox*>("fileTypeCombo")) {
            for (int i = 0; i < types->count(); ++i) shownTypes << types->itemText(i);
            selectedType = types->currentIndex();
        }
        dataFiles = ListedFiles(dialog, 2);
        dialog.selectNameFilter(nameFilters.value(1));
        anyFiles = ListedFiles(dialog, 4);
        dialog.reject();
    });
    std::string fileName = PathOf("b.txt");
    EXPECT_FALSE(dialogs.ExecuteOpen(kDataFilter, fileName));
    EXPECT_EQ(fileName, PathOf("b.txt"));
    EXPECT_EQ(nameFilters, fw::QtNameFilters(fw::ParseOpenDialogFilter(kDataFilter)));
    EXPECT_EQ(selectedType, 0);
    EXPECT_EQ(shownTypes, (QStringList{"Data files (*.dat, *.txt)", "Any files (*.*)"}));
    EXPECT_EQ(dataFiles, (QSet<QString>{"a.dat", "b.txt"}));
    EXPECT_EQ(anyFiles, (QSet<QString>{"a.dat", "b.txt", "c.csv", "noext"}));
}

TEST_F(QtOpenDialog, ComponentReturnsTheConfirmedFileAndOffersItAgain) {
    fw::TOpenDialog openDialog(dialogs);
    openDialog.SetFilter(kDataFilter);
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        dialog.selectFile(folder.filePath("a.dat"));
        static_cast<QDialog&>(dialog).accept();
    });
    ASSERT_TRUE(openDialog.Execute());
    EXPECT_EQ(openDialog.FileName(), PathOf("a.dat"));

    QStringList preselected;
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        preselected = dialog.selectedFiles();
        dialog.reject();
    });
    EXPECT_FALSE(openDialog.Execute());
    EXPECT_EQ(preselected, QStringList{folder.filePath("a.dat")});
    EXPECT_EQ(openDialog.FileName(), PathOf("a.dat"));
}

}  // namespace
