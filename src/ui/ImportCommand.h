#pragma once
// File > Import…: a file other than a sample file, chosen in the open dialog
// or dropped, read as the import dialog shows it and put on the grid. The
// session then knows the signal's n samples, the upper chart shades the
// samples it was extended by, and the status bar names the source. A failed
// or cancelled import leaves everything as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/session/AnalysisSession.h"
#include "app/ProgramCharts.h"
#include "framework/gui/window/OpenDialog.h"
#include "import/SignalImport.h"
#include "ui/ResultOutput.h"

class QWidget;

namespace ui {

inline constexpr std::string_view kImportDialogFilter =
    "Text and CSV (*.csv *.tsv *.txt *.dat)|*.csv;*.tsv;*.txt;*.dat|"
    "Audio (*.wav *.flac *.aiff *.ogg)|*.wav;*.flac;*.aiff;*.aif;*.ogg|"
    "MATLAB (*.mat)|*.mat|NumPy (*.npy)|*.npy|All files (*.*)|*.*";

class ImportCommand {
public:
    ImportCommand(QWidget& window, fw::DialogService& dialogs, app::ProgramCharts& charts,
                  analysis::AnalysisSession& session, ResultOutput& output);

    // The open dialog, then ImportFile with the chosen file.
    void Run(int64_t dialogBytes);
    // The import dialog for fileName and, on its OK, the import; a text
    // table that has to be read above dialogBytes shows the load's progress
    // dialog. Throws the import's error (ImportError) with nothing changed.
    void ImportFile(const std::string& fileName, int64_t dialogBytes);
    // The import of fileName with choices, as the dialog's OK would (a
    // recipe's replay).
    void ImportWith(const std::string& fileName, const importer::ImportChoices& choices, int64_t dialogBytes);
    // A sample file replaced the imported signal.
    void Forget();

    // "ecg.csv, column "mV" (2), 1000 samples, extended by reflection at the
    // end"; empty unless the signal is an import.
    const std::string& Source() const { return source_; }

private:
    // signal: what the dialog already read, else nullopt.
    void Import(const std::string& fileName, const importer::ImportChoices& choices,
                std::optional<importer::ImportedSignal> signal, int64_t dialogBytes);

    QWidget& window_;
    app::ProgramCharts& charts_;
    analysis::AnalysisSession& session_;
    ResultOutput& output_;
    fw::TOpenDialog openDialog_;
    std::string source_;
};

}  // namespace ui
