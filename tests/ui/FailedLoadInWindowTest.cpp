// A file that gives no sample, loaded after a completed Decompose, leaves the
// session, both charts, every control and the menus as they were, and says
// why in the error box.

#include <QStatusBar>

#include "WindowFixture.h"

namespace {

class FailedLoadInWindow : public WindowTest {
protected:
    std::string Write(const char* name, const std::string& bytes) {
        const std::string path = PathIn(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // The bytes the three plots hold.
    std::size_t PlotBytes() {
        std::size_t bytes = 0;
        for (const app::SeriesPlotSink* plot :
             {&form->Charts().Series1(), &form->Charts().Series2(), &form->Charts().Series3()}) {
            bytes += plot->Series().XValues().HeapBytes() + plot->Series().YValues().HeapBytes();
        }
        return bytes;
    }

    // Whether the reconstruction plot reads the session's buffer itself.
    bool ReconstructionSharesTheBuffer() {
        return form->Charts().Series2().Series().YValues().RawData() == form->Session().Samples()->Data();
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
        {binary, "The file \"" + binary + "\" holds no samples: the text \"\\x89PNG\" at line 1 is not a number."},
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
    // A table given to Load Data is offered to the import, which a No declines.
    const std::string table = Write("table.csv", ",YEAR,SUNACTIVITY\n0,1700,5\n");
    dialogs.AnswerOpenWith(table);
    dialogs.AnswerQuestionWith(false);
    Click("BtnLoad");
    EXPECT_NE(dialogs.Log.back().find("import it with File > Import"), std::string::npos) << dialogs.Log.back();
    EXPECT_TRUE(State() == before);
    // The analysis goes on where it was: Reconstruct still works.
    Click("BtnReconstr");
    EXPECT_EQ(Series2().Count(), 513);
}

// The whole road on a file the window takes for large, then a zoom: a cancel
// in the progress dialog and loads that fail leave everything as it was,
// down to the memory the plots hold.
TEST_F(FailedLoadInWindow, AfterAFullSessionACancelOrAFailureChangesNothing) {
    LoadThroughDialog(SamplePath("first.dat", 513), [](QProgressDialog&) {});
    PickItem("CBLev", 2);
    Click("BtnDecomp");
    PickItem("CB1", 0);
    TypeInto("EdtThresh", "10");
    Click("BtnThresh");
    Click("BtnReconstr");
    Charts().Chart1().ZoomPercent(150);
    TypeInto("EdtN", "1025");
    const QImage upper = ChartPicture("Chart1");
    const QImage lower = ChartPicture("Chart2");
    const WindowState before = State();
    ASSERT_EQ(before.reconstruction.size(), 513u);
    ASSERT_TRUE(before.view.empty());
    ASSERT_TRUE(ReconstructionSharesTheBuffer());
    const std::vector<bool> menus = MenuStates();
    const std::size_t bytes = PlotBytes();

    const struct {
        const char* name;
        std::string file;
        std::size_t boxes;  // a cancel is silent, a failure says why
    } loads[] = {
        {"cancel", SamplePath("second.dat", 1025), 0},
        {"missing", PathIn("missing.dat"), 1},
        {"empty", Write("empty.dat", ""), 1},
    };
    for (const auto& load : loads) {
        SCOPED_TRACE(load.name);
        dialogs.Boxes.clear();
        LoadThroughDialog(load.file, [](QProgressDialog& dialog) { dialog.cancel(); });
        EXPECT_EQ(dialogs.Boxes.size(), load.boxes);
        EXPECT_TRUE(ChartPicture("Chart1") == upper);
        EXPECT_TRUE(ChartPicture("Chart2") == lower);
        EXPECT_TRUE(State() == before);
        EXPECT_EQ(Edit("EdtThresh").text(), "10");
        EXPECT_EQ(MenuStates(), menus);
        EXPECT_TRUE(Charts().Chart1().Zoomed());
        EXPECT_EQ(PlotBytes(), bytes);
        EXPECT_TRUE(ReconstructionSharesTheBuffer());
        EXPECT_EQ(form->Session().N(), 513);
    }
}

}  // namespace

TEST_F(FailedLoadInWindow, ALoadWithoutACountKeepsTheShownFileAndTheZoom) {
    LoadSignal();
    QApplication::processEvents();
    const QPoint from(100, 50), to(300, 200);
    QTest::mousePress(&Control<QWidget>("Chart1"), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&Control<QWidget>("Chart1"), to);
    QTest::mouseRelease(&Control<QWidget>("Chart1"), Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_TRUE(Charts().Chart1().Zoomed());
    TypeInto("EdtN", "");
    dialogs.AnswerOpenWith(SamplePath("other.dat", 33));
    Click("BtnLoad");
    EXPECT_TRUE(Charts().Chart1().Zoomed());
    Choose(ui::WindowCommand::LegendAndAxisTitles);  // any command: the status tells the file again
    EXPECT_NE(form->statusBar()->currentMessage().indexOf("from signal.dat"), -1)
        << form->statusBar()->currentMessage().toStdString();
}
