// Edit > Undo and Redo of thresholding and Reconstruct through the window:
// the buffer, both charts' pictures, the status bar and the item names come
// back with each step.

#include <QStatusBar>

#include "WindowFixture.h"

namespace {

using ui::WindowCommand;

class UndoTest : public WindowTest {
protected:
    struct Seen {
        std::vector<double> buffer;
        QImage upper, lower;
        std::string status, figures;
        bool operator==(const Seen&) const = default;
    };

    Seen Now() {
        const analysis::DyadicSignal& samples = *form->Session().Samples();
        return {std::vector<double>(samples.Data(), samples.Data() + samples.N()), ChartPicture("Chart1"),
                ChartPicture("Chart2"), form->statusBar()->currentMessage().toStdString(),
                Control<QLabel>("StatusFigures").text().toStdString()};
    }

    std::string Caption(WindowCommand command) { return form->Menu().Action(command).text().toStdString(); }
};

TEST_F(UndoTest, UndoAndRedoRestoreTheBufferThePicturesAndTheStatus) {
    LoadDecomposeAndView(2, 1);
    const Seen decomposed = Now();
    EXPECT_FALSE(form->Menu().Action(WindowCommand::Undo).isEnabled());
    Click("BtnThresh");
    const Seen once = Now();
    PickItem("CB1", 0);
    TypeInto("EdtThresh", "30");
    Click("BtnThresh");
    const Seen twice = Now();
    ASSERT_NE(once.buffer, decomposed.buffer);
    ASSERT_NE(twice.buffer, once.buffer);
    EXPECT_EQ(Caption(WindowCommand::Undo), "Undo Thresholding Level 1");
    EXPECT_EQ(Caption(WindowCommand::Redo), "Redo");

    Choose(WindowCommand::Undo);
    EXPECT_EQ(Caption(WindowCommand::Undo), "Undo Thresholding Level 2");
    EXPECT_EQ(Caption(WindowCommand::Redo), "Redo Thresholding Level 1");
    Seen now = Now();
    EXPECT_EQ(now.buffer, once.buffer);
    EXPECT_EQ(now.status, once.status);
    EXPECT_EQ(now.figures, once.figures);
    Choose(WindowCommand::Undo);
    now = Now();
    EXPECT_EQ(now.buffer, decomposed.buffer);
    EXPECT_EQ(now.status, decomposed.status);
    EXPECT_FALSE(form->Menu().Action(WindowCommand::Undo).isEnabled());
    // Level 1 is viewed now, as it was after the second thresholding.
    Choose(WindowCommand::Redo);
    Choose(WindowCommand::Redo);
    EXPECT_EQ(Now(), twice);
    EXPECT_FALSE(form->Menu().Action(WindowCommand::Redo).isEnabled());

    // Undone back to one step and viewed as then, the pictures are those of then.
    Choose(WindowCommand::Undo);
    PickItem("CB1", 1);
    EXPECT_EQ(Now(), once);

    // Reconstruct is a step too: undone, the thresholded decomposition is
    // back with its pictures and its steps; redone, the reconstruction.
    Click("BtnReconstr");
    const Seen reconstructed = Now();
    EXPECT_EQ(Caption(WindowCommand::Undo), "Undo Reconstruct");
    Choose(WindowCommand::Undo);
    EXPECT_EQ(Now(), once);
    EXPECT_EQ(List("CB1").currentIndex(), 1);
    EXPECT_EQ(Caption(WindowCommand::Redo), "Redo Reconstruct");
    Choose(WindowCommand::Undo);
    EXPECT_EQ(Now().buffer, decomposed.buffer);
    Choose(WindowCommand::Redo);
    Choose(WindowCommand::Redo);
    EXPECT_EQ(Now(), reconstructed);
    // A new decomposition analyses the reconstruction: nothing is left to undo.
    PickItem("CBLev", 0);
    Click("BtnDecomp");
    EXPECT_FALSE(form->Menu().Action(WindowCommand::Undo).isEnabled());
    EXPECT_FALSE(form->Menu().Action(WindowCommand::Redo).isEnabled());
}

}  // namespace
