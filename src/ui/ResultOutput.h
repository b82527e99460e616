#pragma once
// How results leave the window: the signal, the reconstruction and the viewed
// level's coefficients saved as sample files, and either chart exported as a
// picture, printed or copied to the clipboard. What is saved is what the
// charts show, so a file holds exactly the plotted values.

#include <functional>
#include <optional>
#include <string>

#include "analysis/session/AnalysisSession.h"
#include "app/PictureFormat.h"
#include "app/ProgramCharts.h"
#include "framework/gui/window/DialogService.h"
#include "ui/SaveDialog.h"

namespace ui {

enum class ChartPlace { Upper, Lower };

inline constexpr std::string_view kSampleSaveFilter =
    "Data files (*.dat)|*.dat|Text files (*.txt)|*.txt|Any files (*.*)|*.*";
inline constexpr std::string_view kRecipeSaveFilter = "Recipes (*.json)|*.json|Any files (*.*)|*.*";
inline constexpr std::string_view kExportFilter =
    "PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf";

// The format a file name asks for by its extension, else the chosen filter entry's.
app::PictureFormat PictureFormatOf(const std::string& fileName, int filterIndex);

class ResultOutput {
public:
    ResultOutput(fw::DialogService& dialogs, app::ProgramCharts& charts, const analysis::AnalysisSession& session)
        : dialogs_(dialogs), saveDialog_(dialogs), charts_(charts), session_(session) {}

    // The file the shown signal came from: default names and the first
    // folder follow it.
    void SetSourceFile(const std::string& fileName) { sourceFile_ = fileName; }
    const std::string& SourceFile() const { return sourceFile_; }
    // The signal and the reconstruction are saved with the samples an import
    // was extended by, not only its n samples.
    void SetSaveWholeGrid(bool whole) { saveWholeGrid_ = whole; }
    bool SaveWholeGrid() const { return saveWholeGrid_; }

    // Each asks for a file through the save dialog and does nothing on cancel;
    // a failure throws, leaving an existing file as it was. The saves give
    // the file written, nullopt on cancel.
    std::optional<std::string> SaveSignal();
    std::optional<std::string> SaveReconstruction();
    std::optional<std::string> SaveCoefficients();
    std::optional<std::string> SaveRecipe(const std::string& text);
    // The picture carries the text recipe gives, unless it is "" (asked for
    // only once the picture is to be written).
    std::optional<std::string> ExportChart(ChartPlace place, const std::function<std::string()>& recipe = {});
    void PrintChart(ChartPlace place);
    void CopyChart(ChartPlace place);

private:
    // signal: the values are the signal's grid, of which the session's
    // SignalSamples() are read and the rest made up.
    std::optional<std::string> SavePlotted(const app::SeriesPlotSink& plot, const std::string& what,
                                           bool signal = false);
    std::string DefaultName(const std::string& what, const std::string& extension) const;
    chart::TChart& ChartAt(ChartPlace place);

    fw::DialogService& dialogs_;
    SaveDialog saveDialog_;
    app::ProgramCharts& charts_;
    const analysis::AnalysisSession& session_;
    std::string sourceFile_;
    int sampleFilterIndex_ = 0;  // the file types chosen last in this run
    int exportFilterIndex_ = 0;
    bool saveWholeGrid_ = false;
};

}  // namespace ui
