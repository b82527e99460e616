// The window's menu commands, each run inside the event dispatch.
#include "ui/Unit1.h"

#include <QComboBox>
#include <QLineEdit>

#include "analysis/denoise/Thresholding.h"
#include "framework/core/Exceptions.h"
#include "recipe/RecipeImport.h"
#include "ui/HelpBoxes.h"
#include "ui/ThresholdSuggestion.h"

namespace ui {

void TForm1::RunCommand(WindowCommand command) {
    using C = WindowCommand;
    switch (command) {
    case C::LoadData: BtnLoadClick(); break;
    case C::ImportData: import_->Run(loadDialogBytes_); break;
    case C::SaveWholeGrid: output_->SetSaveWholeGrid(menu_->Action(C::SaveWholeGrid).isChecked()); break;
    case C::SaveSignal: Saved(recipe::OutputKind::Signal, output_->SaveSignal()); break;
    case C::SaveReconstruction: Saved(recipe::OutputKind::Result, output_->SaveReconstruction()); break;
    case C::SaveCoefficients: Saved(recipe::OutputKind::Coefficients, output_->SaveCoefficients()); break;
    case C::ExportUpperChart:
    case C::ExportLowerChart:
        Saved(std::nullopt, output_->ExportChart(command == C::ExportUpperChart ? ChartPlace::Upper : ChartPlace::Lower,
                                                 [this] { return recipes_->PictureRecipe(); }));
        break;
    case C::SaveRecipe: Saved(std::nullopt, recipes_->Save()); break;
    case C::ReplayRecipe: {
        const std::string status = recipes_->Replay([this](const recipe::Recipe& r, const std::string& fileName) {
            if (!r.input.import.empty()) {
                return import_->ImportWith(fileName, recipe::ImportChoicesOf(r.input.import), loadDialogBytes_);
            }
            EdtN->setText(QString::fromStdString(r.count));
            LoadFile(fileName);
        });
        if (status.empty()) break;
        statusHint_ = status;
        ShowViewedItem();
        break;
    }
    case C::PrintUpperChart: output_->PrintChart(ChartPlace::Upper); break;
    case C::PrintLowerChart: output_->PrintChart(ChartPlace::Lower); break;
    case C::Quit: close(); break;
    case C::Undo: {
        const BusyCursor busy;
        session_->Undo();
        ShowViewedItem();
        break;
    }
    case C::Redo: {
        const BusyCursor busy;
        session_->Redo();
        break;
    }
    case C::CopyUpperChart: output_->CopyChart(ChartPlace::Upper); break;
    case C::CopyLowerChart: output_->CopyChart(ChartPlace::Lower); break;
    case C::SuggestThreshold: SuggestThreshold(); break;
    case C::UndoZoom:
        for (chart::TChart* c : {&charts_.Chart1(), &charts_.Chart2()}) {
            if (c->Zoomed()) c->UndoZoom();
        }
        break;
    case C::LegendAndAxisTitles:
        charts_.ShowLegendAndAxisTitles(menu_->Action(C::LegendAndAxisTitles).isChecked());
        break;
    case C::Residual:
    case C::Cursors: break;  // the dispatch shows or hides them
    case C::DenoisePanel: denoisePanel_->setVisible(menu_->Action(C::DenoisePanel).isChecked()); break;
    case C::MouseAndKeys: ShowHelpBox(kMouseAndKeysCaption, std::string(kMouseAndKeysText) + ShortcutList()); break;
    case C::About: ShowHelpBox(kAboutCaption, AboutText(QUELMAR_VERSION)); break;
    }
}

void TForm1::SuggestThreshold() {
    EdtThresh->setText(QString::fromStdString(ThresholdText(SuggestedThreshold(*session_))));
    // A long number shows from its start, not its last digits.
    EdtThresh->setCursorPosition(0);
}

void TForm1::Saved(std::optional<recipe::OutputKind> kind, const std::optional<std::string>& fileName) {
    if (!fileName) return;
    if (kind) recipes_->Saved(*kind, fileName);
    statusHint_ = "Saved \"" + *fileName + "\"";
}

void TForm1::ShowViewedItem() {
    if (session_->Levels() >= 1 && session_->ViewedLevel() >= 1) {
        CB1->setCurrentIndex(session_->ViewedLevel() - 1);
        ShowViewTitle();
    }
}

void TForm1::ApplyAllLevelsClick() {
    const BusyCursor busy;
    // Trying another rule is one step: Apply takes back a Reconstruct and
    // replaces the Apply before it, so Undo returns to what that Apply
    // started from. A refused Apply does them again.
    int undone = 0;
    if (session_->ReconstructUndoable()) {
        session_->Undo();
        ++undone;
        ShowViewedItem();
        denoisePanel_->Refresh(*session_);
    }
    if (session_->AppliedToAllLast()) {
        session_->Undo();
        ++undone;
    }
    try {
        const analysis::DenoiseOptions options = denoisePanel_->Options();
        const analysis::AutoChoice* choice = denoisePanel_->AutomaticChoice();
        if (choice != nullptr && options.wavelet != session_->DecomposedWavelet()) {
            // Automatic chose another transform than the decomposition's: the
            // signal it was made from is decomposed again with the chosen one.
            while (session_->CanUndo()) session_->Undo();
            session_->SetWavelet(options.wavelet);
            session_->Decompose(session_->Levels() - 1);
            statusHint_ = "Automatic chose " + std::string(analysis::WaveletCaption(options.wavelet)) +
                          ": the signal was decomposed again with it";
        }
        session_->ApplyToAllLevels(options);
    } catch (...) {
        for (; undone > 0; --undone) session_->Redo();
        throw;
    }
}

double TForm1::TypedThreshold() const {
    try {
        return analysis::ParseThreshold(EdtThresh->text().toStdString());
    } catch (const fw::Exception&) {
        return session_->Threshold();
    }
}

void TForm1::ShowHelpBox(std::string_view caption, const std::string& text) {
    dialogs_.ShowMessageBox(std::string(caption), text, fw::MessageBoxIcon::Information);
}

}  // namespace ui
