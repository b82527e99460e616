#include "ui/ImportCommand.h"

#include "import/SignalImport.h"
#include "recipe/RecipeImport.h"
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
    Import(fileName, dialog.Choices(), dialog.TakeSignal(), dialogBytes);
}

void ImportCommand::ImportWith(const std::string& fileName, const importer::ImportChoices& choices,
                               int64_t dialogBytes) {
    Import(fileName, choices, std::nullopt, dialogBytes);
}

void ImportCommand::Import(const std::string& fileName, const importer::ImportChoices& choices,
                           std::optional<importer::ImportedSignal> signal, int64_t dialogBytes) {
    const BusyCursor busy;
    if (!signal) {
        const LoadProgress progress(window_, fileName, dialogBytes);
        signal = importer::ImportSignal(fileName, choices, progress.Progress());
    }
    const recipe::GridLoaded grid = recipe::LoadOnGrid(session_, fileName, signal->samples, choices, signal->warning);
    // Reached only when the import replaced the signal.
    output_.SetSourceFile(fileName);
    charts_.UndoZooms();
    source_ = signal->Describe();
    if (grid.n < grid.size.N) {
        // From halfway between the last sample read and the first made up.
        charts_.ExtensionShade().Show(grid.n - 0.5, grid.size.N - 1);
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
