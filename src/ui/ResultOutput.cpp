#include "ui/ResultOutput.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "analysis/io/SampleWriter.h"
#include "framework/gui/paint/Bitmap.h"
#include "framework/gui/paint/Metafile.h"
#include "framework/gui/paint/Printer.h"
#include "app/PictureBytes.h"
#include "ui/LoadProgress.h"

namespace ui {
namespace {

// The extension a default name gets under each entry of the sample filter.
constexpr std::array<std::string_view, 3> kSampleExtensions{"dat", "txt", "dat"};

}  // namespace

app::PictureFormat PictureFormatOf(const std::string& fileName, int filterIndex) {
    if (const std::optional<app::PictureFormat> format = app::PictureFormatOf(fileName)) {
        return *format;
    }
    return filterIndex >= 0 && filterIndex < static_cast<int>(app::kPictureExtensions.size())
               ? static_cast<app::PictureFormat>(filterIndex)
               : app::PictureFormat::Png;
}

std::string ResultOutput::DefaultName(const std::string& what, const std::string& extension) const {
    const std::string stem = StemOf(sourceFile_);
    return (stem.empty() ? what : stem + "_" + what) + "." + extension;
}

chart::TChart& ResultOutput::ChartAt(ChartPlace place) {
    return place == ChartPlace::Upper ? charts_.Chart1() : charts_.Chart2();
}

std::optional<std::string> ResultOutput::SavePlotted(const app::SeriesPlotSink& plot, const std::string& what,
                                                     bool signal) {
    const std::string filter(kSampleSaveFilter);
    const std::string extension(kSampleExtensions[static_cast<size_t>(sampleFilterIndex_)]);
    const std::optional<SaveChoice> choice =
        saveDialog_.Execute(filter, DefaultName(what, extension), sampleFilterIndex_, FolderOf(sourceFile_));
    if (!choice) {
        return std::nullopt;
    }
    if (choice->FilterIndex >= 0 && choice->FilterIndex < static_cast<int>(kSampleExtensions.size())) {
        sampleFilterIndex_ = choice->FilterIndex;
    }
    const BusyCursor busy;
    std::vector<double> values = plot.PlottedValues();
    if (signal && !saveWholeGrid_) values.resize(std::min(values.size(), std::size_t(session_.SignalSamples())));
    analysis::SaveSamples(choice->FileName, values);
    return choice->FileName;
}

std::optional<std::string> ResultOutput::SaveSignal() { return SavePlotted(charts_.Series1(), "signal", true); }

std::optional<std::string> ResultOutput::SaveReconstruction() {
    return SavePlotted(charts_.Series2(), "reconstruction", true);
}

std::optional<std::string> ResultOutput::SaveCoefficients() {
    // The view items 1 ... L are the detail levels, the item after them the
    // approximation.
    const int32_t viewed = session_.ViewedLevel();
    return SavePlotted(charts_.Series3(),
                       viewed > session_.Levels() ? std::string("approximation") : "level_" + std::to_string(viewed));
}

std::optional<std::string> ResultOutput::SaveRecipe(const std::string& text) {
    const std::optional<SaveChoice> choice =
        saveDialog_.Execute(std::string(kRecipeSaveFilter), DefaultName("recipe", "json"), 0, FolderOf(sourceFile_));
    if (!choice) return std::nullopt;
    analysis::SaveText(choice->FileName, text);
    return choice->FileName;
}

std::optional<std::string> ResultOutput::ExportChart(ChartPlace place, const std::function<std::string()>& recipe) {
    const std::string what = place == ChartPlace::Upper ? "upper_chart" : "lower_chart";
    const std::string extension(app::PictureExtension(static_cast<app::PictureFormat>(exportFilterIndex_)));
    const std::string filter(kExportFilter);
    const std::optional<SaveChoice> choice =
        saveDialog_.Execute(filter, DefaultName(what, extension), exportFilterIndex_, FolderOf(sourceFile_));
    if (!choice) {
        return std::nullopt;
    }
    const app::PictureFormat format = PictureFormatOf(choice->FileName, choice->FilterIndex);
    exportFilterIndex_ = static_cast<int>(format);
    std::string fileName = choice->FileName;
    // A name with some other extension gets the one of the format written.
    if (ExtensionOf(fileName) != app::PictureExtension(format)) {
        fileName.append(".").append(app::PictureExtension(format));
    }
    chart::TChart& chart = ChartAt(place);
    const std::optional<fw::PictureSizeChoice> size = dialogs_.ExecutePictureSize(chart.Width(), chart.Height());
    if (!size) {
        return std::nullopt;
    }
    // The chart is laid out afresh at the picture's size over its scale and
    // drawn scaled: at the window's size exactly as on the screen, larger
    // with its text and pens in proportion.
    const fw::PicturePixels pixels = fw::PicturePixelsFor(*size, chart.Width(), chart.Height());
    const fw::PictureDrawing drawn = fw::PictureDrawingFor(*size, pixels, chart.Width());
    const fw::TRect rect = fw::Rect(0, 0, pixels.Width, pixels.Height);
    const fw::TRect layout = fw::Rect(0, 0, std::max(1, static_cast<int32_t>(std::lround(pixels.Width / drawn.Scale))),
                                      std::max(1, static_cast<int32_t>(std::lround(pixels.Height / drawn.Scale))));
    const BusyCursor busy;
    const auto drawing = [&](bool pdf) {
        std::unique_ptr<fw::TMetafile> metafile = chart.ChartCreateMetafile(pdf, layout);
        metafile->SetOutputSize(pixels.Width, pixels.Height, drawn.Millimetres);
        return metafile;
    };
    const auto image = [&] {
        return drawn.Scale == 1 ? chart.ChartCreateBitmap(fw::clWhite, rect)->Image()
                                : drawing(false)->Image(pixels.Width, pixels.Height);
    };
    fw::SavePictureFile(fileName, app::PictureBytes(format, recipe ? recipe() : "", image, drawing));
    return fileName;
}

void ResultOutput::PrintChart(ChartPlace place) {
    if (!dialogs_.ExecutePrint(fw::Printer())) {
        return;
    }
    const BusyCursor busy;
    ChartAt(place).Print();
}

void ResultOutput::CopyChart(ChartPlace place) { ChartAt(place).CopyToClipboardBitmap(); }

}  // namespace ui
