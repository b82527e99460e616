// A file that gives no sample, loaded after a completed Decompose, leaves the
// session, both charts, every control and the menus as they were, and says
// why in the error box.

#include <QMenuBar>

#include "WindowFixture.h"

namespace {

class FailedLoadInWindow : public WindowTest {
protected:
    std::string Write(const char* name, const std::string& bytes) {
        const std::string path = PathIn(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::vector<bool> MenuStates() {
        std::vector<bool> states;
        for (QAction* entry : form->menuBar()->actions()) {
            for (QAction* action : entry->menu()->actions()) states.push_back(action->isEnabled());
        }
        return states;
    }
};

TEST_F(FailedLoadInWindow, AFileWithoutSamplesChangesNothing) {
    LoadDecomposeAndView(8, 0);
    TypeInto("EdtThresh", "10");
    Click("BtnThresh");
    TypeInto("EdtN", "257");
    const WindowState before = State();
    ASSERT_FALSE(before.mean.empty());
    const QImage upper = ChartPicture("Chart1");
    const QImage lower = ChartPicture("Chart2");
    const std::vector<bool> menus = MenuStates();

    const std::string missing = PathIn("missing.dat");
    const std::string empty = Write("empty.dat", "");
    const std::string binary = Write("binary.dat", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    const std::string header = Write("header.dat", "time value\n0 1\n");
    const struct {
        std::string file;
        std::string message;
    } loads[] = {
        {missing, "Cannot open file \"" + missing + "\": No such file or directory."},
        {empty, "The file \"" + empty + "\" holds no samples: it is empty."},
        {binary, "The file \"" + binary + "\" holds no samples: the text \"?PNG\" at line 1 is not a number."},
        {header, "The file \"" + header + "\" holds no samples: the text \"time\" at line 1 is not a number."},
    };
    for (const auto& load : loads) {
        SCOPED_TRACE(load.file);
        dialogs.Boxes.clear();
        dialogs.AnswerOpenWith(load.file);
        Click("BtnLoad");
        ASSERT_EQ(dialogs.Boxes.size(), 1u);
        EXPECT_EQ(dialogs.Boxes[0].Caption, kTestTitle);
        EXPECT_EQ(dialogs.Boxes[0].Text, load.message);
        EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Stop);
        EXPECT_TRUE(State() == before);
        EXPECT_EQ(form->Session().N(), 513);
        EXPECT_EQ(form->Session().Levels(), 9);
        EXPECT_EQ(form->Session().ViewedLevel(), 1);
        EXPECT_TRUE(ChartPicture("Chart1") == upper);
        EXPECT_TRUE(ChartPicture("Chart2") == lower);
        EXPECT_EQ(MenuStates(), menus);
    }
    // The analysis goes on where it was: Reconstruct still works.
    Click("BtnReconstr");
    EXPECT_EQ(Series2().Count(), 513);
}

}  // namespace
