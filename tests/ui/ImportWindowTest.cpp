// File > Import… and a dropped table: the dialog's choices give the session
// the batch's grid for the same choices, the upper chart shades the made-up
// samples, saves hold the n samples read, and a failure changes nothing.

#include <QDialogButtonBox>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include <filesystem>

#include "ImportDialogAnswer.h"
#include "WindowFixture.h"
#include "batch/BatchOptions.h"
#include "import/GridExtension.h"

namespace {

using ui::WindowCommand;

std::string ImportFile(const std::string& name) { return std::string(QUELMAR_IMPORT_FILES) + "/" + name; }

class ImportWindowTest : public WindowTest {
protected:
    void Import(const std::string& path, bool accept, std::function<void(ui::ImportDialog&)> act = {}) {
        dialogs.AnswerOpenWith(path);
        const ImportDialogAnswer answer(*form, accept, std::move(act));
        Choose(WindowCommand::ImportData);
        EXPECT_EQ(answer.shown, 1);
    }

    std::vector<double> SessionGrid() const {
        const double* data = form->Session().Samples()->Data();
        return {data, data + form->Session().N()};
    }

    // Pixels of the shade's colour on the upper chart.
    int ShadedPixels() {
        const QImage picture = ChartPicture("Chart1");
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) == qRgb(230, 230, 230);
        }
        return count;
    }

    std::string StatusText() { return form->statusBar()->currentMessage().toStdString(); }
};

TEST_F(ImportWindowTest, TheDialogsChoicesGiveTheBatchsGrid) {
    const struct {
        const char* file;
        std::vector<std::string> batchOptions;
        std::function<void(ui::ImportDialog&)> act;
        const char* summary;  // the dialog's count line
    } cases[] = {
        {"header_two_columns.csv",
         {"--column", "1"},
         [](ui::ImportDialog& d) { ImportDialogAnswer::Pick(d, "ImportColumn", 0); },
         "n = 12 samples on a grid of N = 17 (J = 4), extended by reflection at the end (5 samples)"},
        {"stereo.wav",
         {"--channel", "2", "--extend", "zero"},
         [](ui::ImportDialog& d) {
             ImportDialogAnswer::Pick(d, "ImportChannel", 2);
             ImportDialogAnswer::Pick(d, "ImportExtension", 2);
         },
         "n = 300 samples on a grid of N = 513 (J = 9), extended by zeros (213 samples)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = ImportFile(c.file);
        std::string summary;
        Import(path, true, [&](ui::ImportDialog& dialog) {
            c.act(dialog);
            summary = dialog.findChild<QLabel*>("ImportSummary")->text().toStdString();
        });
        std::vector<std::string> arguments = c.batchOptions;
        arguments.push_back(path);
        const batch::ParsedArguments parsed = batch::ParseBatchArguments(arguments);
        ASSERT_EQ(parsed.error, "");
        const importer::ImportedSignal signal = importer::ImportSignal(path, parsed.options.import);
        const auto n = static_cast<int32_t>(signal.samples.size());
        const analysis::SignalSize grid = importer::GridFor(n);
        const importer::Samples expected =
            importer::ExtendToGrid(signal.samples, grid.N, parsed.options.import.extension);
        EXPECT_EQ(SessionGrid(), std::vector<double>(expected.begin(), expected.end()));
        EXPECT_EQ(form->Session().SignalSamples(), n);
        EXPECT_NE(summary.find(c.summary), std::string::npos) << summary;
        EXPECT_EQ(StatusText(), "Signal of " + std::to_string(grid.N) + " samples (J = " + std::to_string(grid.J) +
                                    ") from " + signal.Describe() + ", extended by " +
                                    ui::ExtensionWords(parsed.options.import.extension));
        EXPECT_EQ(Charts().ExtensionShade().From(), n - 0.5);
        EXPECT_GT(ShadedPixels(), 0);
    }
    // A sample file's load is no import: no shade, and the status names the file.
    LoadSignal();
    EXPECT_EQ(ShadedPixels(), 0);
    EXPECT_EQ(StatusText(), "Signal of 513 samples (J = 9) from signal.dat");
    EXPECT_EQ(dialogs.Filters.front(), ui::kImportDialogFilter);
}

TEST_F(ImportWindowTest, AFailedOrCancelledImportChangesNothing) {
    LoadSignal();
    const WindowState before = State();
    const std::string status = StatusText();
    Import(ImportFile("header_two_columns.csv"), false);
    Import(ImportFile("bad_number.csv"), true);
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Cannot import \"bad_number.csv\": line 3, column 2: \"abc\" is not a number.");
    EXPECT_EQ(State(), before);
    EXPECT_EQ(StatusText(), status);
}

// A table with gaps is refused, naming the choice that reads it, with
// Import disabled; filled, it reads as the batch's --gaps fill reads it.
TEST_F(ImportWindowTest, GapsKeepImportDisabledUntilFillIsChosen) {
    const std::string path = PathIn("gaps.csv");
    std::ofstream(path) << "t,v\n0,1\n1,\n2,3\n3,nan\n4,5\n";
    std::string summary[2];
    bool enabled[2] = {};
    Import(path, true, [&](ui::ImportDialog& dialog) {
        for (int pick = 0; pick < 2; ++pick) {
            if (pick == 1) ImportDialogAnswer::Pick(dialog, "ImportGaps", 1);
            summary[pick] = dialog.findChild<QLabel*>("ImportSummary")->text().toStdString();
            enabled[pick] = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        }
    });
    EXPECT_FALSE(enabled[0]);
    EXPECT_NE(summary[0].find("\"gaps.csv\": line 3, column 2: the field is empty; choose Fill or Drop gaps"),
              std::string::npos);
    EXPECT_TRUE(enabled[1]);
    EXPECT_NE(summary[1].find("2 gaps filled"), std::string::npos);
    const std::vector<double> grid = SessionGrid();
    EXPECT_EQ(std::vector<double>(grid.begin(), grid.begin() + 5), (std::vector<double>{1, 2, 3, 4, 5}));
}

TEST_F(ImportWindowTest, SavesHoldTheSamplesReadUnlessTheWholeGridIsAsked) {
    Import(ImportFile("header_two_columns.csv"), true);
    PickItem("CBLev", 1);
    Click("BtnDecomp");
    Click("BtnReconstr");
    const std::vector<double> read = Series1().YValues();
    for (const bool whole : {false, true}) {
        SCOPED_TRACE(whole);
        if (whole) Choose(WindowCommand::SaveWholeGrid);
        const std::string signal = PathIn(whole ? "s_whole.dat" : "s.dat");
        const std::string rebuilt = PathIn(whole ? "r_whole.dat" : "r.dat");
        dialogs.AnswerSaveWith(signal);
        Choose(WindowCommand::SaveSignal);
        dialogs.AnswerSaveWith(rebuilt);
        Choose(WindowCommand::SaveReconstruction);
        const std::size_t count = whole ? 17 : 12;
        std::vector<double> saved;
        std::ifstream in(signal);
        for (double value; in >> value;) saved.push_back(value);
        EXPECT_EQ(saved, std::vector<double>(read.begin(), read.begin() + count));
        const std::string rebuiltText = ReadBytes(rebuilt);
        EXPECT_EQ(std::count(rebuiltText.begin(), rebuiltText.end(), '\n'), count);
    }
}

TEST_F(ImportWindowTest, ALongTableIsReadWithTheLoadsProgressAndCanBeCancelled) {
    const std::string path = PathIn("long.csv");
    const int rows = 600'000;  // above the size the preview reads whole
    {
        std::ofstream out(path);
        out << "t,v\n";
        for (int i = 0; i < rows; ++i) out << i << "," << i % 7 << "\n";
    }
    LoadSignal();
    const WindowState before = State();
    form->SetLoadDialogBytes(1);
    for (const bool cancel : {true, false}) {
        SCOPED_TRACE(cancel);
        int dialogsShown = 0;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QProgressDialog* progress = form->findChild<QProgressDialog*>();
            if (progress == nullptr || !progress->isVisible()) return;
            watcher.stop();
            ++dialogsShown;
            if (cancel) progress->cancel();
        });
        watcher.start(0);
        std::string summary;
        Import(path, true, [&](ui::ImportDialog& dialog) {
            summary = dialog.findChild<QLabel*>("ImportSummary")->text().toStdString();
        });
        EXPECT_NE(summary.find("About n = "), std::string::npos) << summary;
        EXPECT_EQ(dialogsShown, 1);
        if (cancel) {
            EXPECT_EQ(State(), before);
        }
    }
    EXPECT_EQ(form->Session().SignalSamples(), rows);
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(ImportWindowTest, ADroppedTableOpensTheImport) {
    const std::string path = PathIn("dropped.csv");
    std::filesystem::copy_file(ImportFile("header_two_columns.csv"), path);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const ImportDialogAnswer answer(*form, true);
    const QPoint at(form->width() / 2, form->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    QApplication::processEvents();
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(form->Session().SignalSamples(), 12);
    EXPECT_TRUE(dialogs.Log.empty());
}

}  // namespace
