#include "ui/ImportCommand.h"

#include "import/GridExtension.h"
#include "import/SignalImport.h"
#include "ui/ImportDialog.h"
#include "ui/LoadProgress.h"

namespace ui {

ImportCommand::ImportCommand(QWidget& window, fw::DialogService& dialogs, app::ProgramCharts& charts,
                             analysis::AnalysisSession& session, ResultOutput& output)
    : window_(window), charts_(charts), session_(session), output_(output), openDialog_(dialogs) {
    openDialog_.SetFilter(std::string(kImportDialogFilter));
}

void ImportCommand::Run(int64_t dialogBytes) {
    if (openDialog_.Execute()) ImportFile(openDialog_.FileName(), dialogBytes);
}

void ImportCommand::ImportFile(const std::string& fileName, int64_t dialogBytes) {
    openDialog_.SetFileName(fileName);
    ImportDialog dialog(window_, fileName);
    if (dialog.exec() != QDialog::Accepted) return;
    const importer::ImportChoices choices = dialog.Choices();
    std::optional<importer::ImportedSignal> signal = dialog.TakeSignal();
    const BusyCursor busy;
    if (!signal) {
        const LoadProgress progress(window_, fileName, dialogBytes);
        signal = importer::ImportSignal(fileName, choices, progress.Progress());
    }
    const auto n = static_cast<int32_t>(signal->samples.size());
    const analysis::SignalSize grid = importer::GridFor(n);
    const importer::Samples samples = importer::ExtendToGrid(signal->samples, grid.N, choices.extension);
    session_.LoadSignal(samples.data(), samples.size(), n);
    // Reached only when the import replaced the signal.
    output_.SetSourceFile(fileName);
    charts_.UndoZooms();
    source_ = signal->Describe();
    if (n < grid.N) {
        // From halfway between the last sample read and the first made up.
        charts_.ExtensionShade().Show(n - 0.5, grid.N - 1);
        source_ += ", extended by " + ExtensionWords(choices.extension);
    } else {
        charts_.ExtensionShade().Hide();
    }
}

void ImportCommand::Forget() {
    charts_.ExtensionShade().Hide();
    source_.clear();
}

}  // namespace ui
