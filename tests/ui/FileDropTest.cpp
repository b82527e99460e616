// A file dropped onto the window loads as "Load Data" would; other drags are
// not taken.

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "WindowFixture.h"
#include "ui/FileDrop.h"

namespace {

class FileDropTest : public WindowTest {
protected:
    // Drags mime over target and drops it there; true when the drop was taken.
    bool Drop(QWidget& target, const QMimeData& mime) {
        const QPoint at(target.width() / 2, target.height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        // The load runs once the drop has ended.
        QApplication::processEvents();
        return drop.isAccepted();
    }

    static std::unique_ptr<QMimeData> Files(const QList<QUrl>& urls) {
        auto mime = std::make_unique<QMimeData>();
        mime->setUrls(urls);
        return mime;
    }
};

TEST_F(FileDropTest, ADroppedFileLoadsWithTheCountBoxText) {
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(SamplePath("dropped.dat", 513)));
    const struct {
        const char* target;
        const char* count;
        int loaded;
    } drops[] = {{"", "257", 257}, {"EdtN", "100", 129}, {"EdtThresh", "513", 513}};
    for (const auto& d : drops) {
        SCOPED_TRACE(d.target);
        TypeInto("EdtN", d.count);
        const std::string threshold = Edit("EdtThresh").text().toStdString();
        QWidget& target = *d.target ? Control<QWidget>(d.target) : *form;
        EXPECT_TRUE(Drop(target, *Files({file})));
        EXPECT_EQ(Series1().Count(), d.loaded);
        EXPECT_EQ(Edit("EdtN").text().toStdString(), std::to_string(d.loaded));
        // The file's name is not pasted into a box.
        EXPECT_EQ(Edit("EdtThresh").text().toStdString(), threshold);
    }
    EXPECT_TRUE(dialogs.Log.empty());
    // The next open dialog offers the dropped file.
    dialogs.CancelNextOpen();
    Click("BtnLoad");
    EXPECT_EQ(dialogs.Log, std::vector<std::string>{"open " + SamplePath("dropped.dat", 513)});
}

TEST_F(FileDropTest, OnlyASingleLocalFileIsTaken) {
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(SamplePath("one.dat", 513)));
    auto text = std::make_unique<QMimeData>();
    text->setText("12");
    EXPECT_FALSE(Drop(*form, *text));
    EXPECT_FALSE(Drop(*form, *Files({file, file})));
    EXPECT_FALSE(Drop(*form, *Files({QUrl("http://example.org/one.dat")})));
    EXPECT_EQ(Series1().Count(), 0);
    EXPECT_EQ(ui::DroppedFile(*Files({file})), SamplePath("one.dat", 513));
}

TEST_F(FileDropTest, AFailedDropLoadShowsTheErrorAndKeepsTheSignal) {
    LoadSignal();
    const std::string missing = PathIn("missing.dat");
    EXPECT_TRUE(Drop(*form, *Files({QUrl::fromLocalFile(QString::fromStdString(missing))})));
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Cannot open file \"" + missing + "\": No such file or directory.");
    EXPECT_EQ(Series1().YValues(), TestSignal(513));
}

}  // namespace
