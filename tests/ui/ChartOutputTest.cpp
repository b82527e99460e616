// The charts leaving the window: exported as PNG, SVG or PDF, printed, and
// copied to the clipboard.

#include <QClipboard>
#include <QGuiApplication>
#include <QSvgRenderer>
#include <filesystem>

#include "ImageCompare.h"
#include "WindowFixture.h"
#include "framework/gui/paint/Printer.h"

namespace {

using ui::WindowCommand;

constexpr const char* kExportFilter = "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

class ChartOutputTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        LoadDecomposeAndView(2, 0);
        dialogs.Log.clear();
    }
    void TearDown() override { fw::Printer().SetOutputFileName(""); }

    // The written file checked as the format it claims.
    void ExpectPicture(const std::string& path, char format, const char* chart) {
        const std::string bytes = ReadBytes(path);
        switch (format) {
        case 'P': {
            ASSERT_EQ(bytes.rfind("\x89PNG", 0), 0u) << path;
            const QImage decoded = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
            EXPECT_TRUE(decoded == ChartPicture(chart)) << path << " is not the chart's picture";
            break;
        }
        case 'S': {
            QSvgRenderer svg(QByteArray::fromStdString(bytes));
            ASSERT_TRUE(svg.isValid()) << path;
            // A vector drawing is one pixel smaller each way than the chart.
            EXPECT_EQ(svg.viewBox(), QRect(0, 0, 696, 299)) << path;
            break;
        }
        case 'D':
            EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u) << path;
            EXPECT_NE(bytes.find("/Type /Page"), std::string::npos) << path;
            EXPECT_NE(bytes.rfind("%%EOF"), std::string::npos) << path;
            break;
        }
    }
};

TEST_F(ChartOutputTest, ExportWritesTheFormatTheExtensionOrElseTheFileTypeNames) {
    const struct {
        WindowCommand command;
        const char* answer;
        int filterIndex;
        const char* proposed;  // the dialog's first offer: the last format chosen
        const char* written;
        char format;
        const char* chart;
    } exports[] = {
        {WindowCommand::ExportUpperChart, "a.svg", -1, "signal_upper_chart.png [0]", "a.svg", 'S', "Chart1"},
        {WindowCommand::ExportUpperChart, "b", 2, "signal_upper_chart.svg [1]", "b.pdf", 'D', "Chart1"},
        {WindowCommand::ExportLowerChart, "c.PNG", 1, "signal_lower_chart.pdf [2]", "c.PNG", 'P', "Chart2"},
        {WindowCommand::ExportUpperChart, "d.bmp", 1, "signal_upper_chart.png [0]", "d.bmp.svg", 'S', "Chart1"},
        {WindowCommand::ExportUpperChart, "e", -1, "signal_upper_chart.svg [1]", "e.svg", 'S', "Chart1"},
        {WindowCommand::ExportUpperChart, "f.png", -1, "signal_upper_chart.svg [1]", "f.png", 'P', "Chart1"},
    };
    for (const auto& e : exports) {
        SCOPED_TRACE(e.answer);
        dialogs.Log.clear();
        dialogs.AnswerSaveWith(PathIn(e.answer), e.filterIndex);
        Choose(e.command);
        EXPECT_EQ(dialogs.Log, std::vector<std::string>{"save " + PathIn(e.proposed)});
        ExpectPicture(PathIn(e.written), e.format, e.chart);
    }
    EXPECT_EQ(dialogs.SaveFilters.back(), kExportFilter);
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(ChartOutputTest, AnExportThatCannotBeWrittenShowsTheErrorBox) {
    const std::string path = PathIn("gone/chart.png");
    dialogs.AnswerSaveWith(path);
    Choose(WindowCommand::ExportUpperChart);
    ASSERT_EQ(dialogs.Boxes.size(), 1u);
    EXPECT_EQ(dialogs.Boxes[0].Text, "Cannot create file \"" + path + "\"");
    EXPECT_EQ(dialogs.Boxes[0].Icon, fw::MessageBoxIcon::Stop);
}

TEST_F(ChartOutputTest, PrintingGoesThroughThePrintDialog) {
    const std::string pdf = PathIn("printed.pdf");
    dialogs.CancelNextPrint();
    Choose(WindowCommand::PrintLowerChart);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    dialogs.AnswerPrintInto(pdf);
    Choose(WindowCommand::PrintLowerChart);
    EXPECT_EQ(dialogs.Log, (std::vector<std::string>{"print", "print"}));
    ExpectPicture(pdf, 'D', "Chart2");
    EXPECT_TRUE(dialogs.Boxes.empty());
}

TEST_F(ChartOutputTest, CopyPutsTheChartsPictureOnTheClipboard) {
    for (const auto& [command, chart] :
         {std::pair{WindowCommand::CopyUpperChart, "Chart1"}, std::pair{WindowCommand::CopyLowerChart, "Chart2"}}) {
        QGuiApplication::clipboard()->clear();
        Choose(command);
        const QImage copied = QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(copied == ChartPicture(chart)) << chart;
    }
}

}  // namespace

namespace {

// Non-white pixels of a picture.
int64_t Ink(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    int64_t ink = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) ink += rgb.pixel(x, y) != qRgb(255, 255, 255);
    }
    return ink;
}

TEST_F(ChartOutputTest, ExportDrawsTheChartAtTheChosenSizeWithTextAndPensInProportion) {
    LoadDecomposeAndView(2, 0);
    // Three times the window's width: the window's chart three times finer,
    // its text and lines three times as large, so nine times the ink.
    dialogs.AnswerSaveWith(PathIn("big.png"));
    dialogs.AnswerPictureSizeWith({fw::PictureSizeKind::PixelWidth, 3 * 697});
    Choose(WindowCommand::ExportLowerChart);
    ASSERT_EQ(dialogs.PictureSizesAsked, (std::vector<fw::PicturePixels>{{697, 300}}));
    const QImage big(QString::fromStdString(PathIn("big.png")));
    ASSERT_EQ(big.size(), QSize(3 * 697, 3 * 300));
    const imagetest::InkBox ink = imagetest::FindInk(big.convertToFormat(QImage::Format_RGB32));
    EXPECT_GT(ink.Right, 3 * 697 - 100) << "the plot reaches the picture's right side";
    EXPECT_GT(ink.Bottom, 3 * 300 - 100);
    const double ratio = static_cast<double>(Ink(big)) / static_cast<double>(Ink(ChartPicture("Chart2")));
    EXPECT_GT(ratio, 6.0);
    EXPECT_LT(ratio, 12.0);

    // 17 cm at 300 dots an inch says 170 mm, with text as large on paper as
    // on a screen, about 2.9 mm; a cancel writes nothing.
    dialogs.AnswerSaveWith(PathIn("print.svg"));
    dialogs.AnswerPictureSizeWith({fw::PictureSizeKind::PrintWidth, 17});
    Choose(WindowCommand::ExportLowerChart);
    const std::string text = ReadBytes(PathIn("print.svg"));
    EXPECT_NE(text.find("width=\"170mm\""), std::string::npos) << text.substr(0, 400);
    QSvgRenderer svg(QString::fromStdString(PathIn("print.svg")));
    ASSERT_TRUE(svg.isValid());
    const std::size_t font = text.find("font-size=\"");
    ASSERT_NE(font, std::string::npos);
    const double units = std::stod(text.substr(font + 11));
    EXPECT_GE(units * 170 / svg.viewBox().width(), 2.5) << "millimetres of text on paper";
    dialogs.AnswerSaveWith(PathIn("none.png"));
    dialogs.CancelNextPictureSize();
    Choose(WindowCommand::ExportLowerChart);
    EXPECT_FALSE(std::filesystem::exists(PathIn("none.png")));
}

TEST(PicturePixels, KeepTheWindowsProportionWithinTheLimits) {
    const struct {
        fw::PictureSizeChoice choice;
        fw::PicturePixels expected;
    } cases[] = {
        {{}, {697, 300}},
        {{fw::PictureSizeKind::PixelWidth, 2091}, {2091, 900}},
        {{fw::PictureSizeKind::PrintWidth, 2.54}, {300, 129}},
        {{fw::PictureSizeKind::PixelWidth, 1e9}, {10000, 4304}},
        {{fw::PictureSizeKind::PixelWidth, -5}, {1, 1}},
        {{fw::PictureSizeKind::PixelWidth, std::nan("")}, {1, 1}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fw::PicturePixelsFor(c.choice, 697, 300), c.expected) << c.choice.Width;
    }
}

}  // namespace
