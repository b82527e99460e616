// What the window shows while it works: the busy cursor during an operation,
// and for a big file the progress dialog, whose Cancel leaves everything as it
// was. A small threshold stands in for a big file.

#include <QGuiApplication>
#include <QProgressDialog>
#include <QTimer>

#include "WindowFixture.h"

namespace {

class LoadProgressTest : public WindowTest {
protected:
    // Loads 1025 samples (the count box must say so), the dialog threshold at 1 byte. While the load runs,
    // the watcher notes the dialog and the cursor and, when asked, cancels.
    void LoadWatched(bool cancel) {
        LoadThroughDialog(SamplePath("big.dat", 1025), [&](QProgressDialog& dialog) {
            dialogSeen = true;
            dialogModal = dialog.isModal();
            cursorBusy = QGuiApplication::overrideCursor() != nullptr &&
                         QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor;
            if (cancel) dialog.cancel();
        });
    }

    bool dialogSeen = false;
    bool dialogModal = false;
    bool cursorBusy = false;
};

TEST_F(LoadProgressTest, CancelLeavesSignalDecompositionAndControlsAsTheyWere) {
    LoadSignal();
    PickItem("CBLev", 8);
    Click("BtnDecomp");
    PickItem("CB1", 0);
    TypeInto("EdtN", "1025");
    const WindowState before = State();
    ASSERT_EQ(before.views.size(), 10u);

    LoadWatched(true);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(dialogModal);
    EXPECT_TRUE(cursorBusy);
    EXPECT_TRUE(dialogs.Boxes.empty());  // a cancel is silent
    EXPECT_EQ(form->Session().N(), 513);
    EXPECT_TRUE(State() == before);
    // The dialog and the busy cursor end with the load.
    EXPECT_EQ(form->findChild<QProgressDialog*>(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LoadProgressTest, BigFileLoadsThroughTheDialog) {
    TypeInto("EdtN", "1025");
    LoadWatched(false);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(dialogs.Boxes.empty());
    EXPECT_EQ(Series1().YValues(), TestSignal(1025));
    EXPECT_EQ(form->findChild<QProgressDialog*>(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(LoadProgressTest, SmallFileShowsNoDialog) {
    QTimer watcher;
    bool seen = false;
    QObject::connect(&watcher, &QTimer::timeout, [&] { seen |= form->findChild<QProgressDialog*>() != nullptr; });
    watcher.start(0);
    LoadSignal();
    EXPECT_FALSE(seen);
    EXPECT_EQ(Series1().Count(), 513);
}

}  // namespace
