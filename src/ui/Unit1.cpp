#include "ui/Unit1.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "analysis/Thresholding.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/gui/window/ApplicationTitle.h"
#include "framework/gui/window/EventDispatch.h"
#include "recipe/RecipeImport.h"
#include "recipe/RecipeSteps.h"
#include "ui/BufferStatus.h"
#include "ui/ClientLayout.h"
#include "ui/ControlHints.h"
#include "ui/FileDrop.h"
#include "ui/FormBuilder.h"
#include "ui/HelpBoxes.h"
#include "import/SignalImport.h"
#include "ui/MainWindowLayout.h"
#include "ui/ThresholdSuggestion.h"

namespace ui {
namespace {

// Empties the list (items, text, selection) and offers "1" ... n, none chosen.
// Filling from code emits no `activated`, so no handler runs.
void FillChoices(QComboBox& list, int32_t n) {
    list.clear();
    for (int32_t item = 1; item <= n; ++item) {
        list.addItem(QString::number(item));
    }
    // Adding to an empty list selects its first item; the list starts unchosen.
    list.setCurrentIndex(-1);
}

}  // namespace

TForm1::TForm1(fw::DialogService& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      clientArea_(new QWidget(this)),
      chartAreas_(charts_, *clientArea_, dialogs),
      OpenDialog1(dialogs) {
    BuildForm(*this, *clientArea_, kMainWindow, kMainWindowControls, [this](std::string_view name) -> QWidget& {
        if (name == "Chart1") {
            return chartAreas_.Chart1();
        }
        if (name == "Chart2") {
            return chartAreas_.Chart2();
        }
        throw std::logic_error("the window layout names an unknown chart area " + std::string(name));
    });
    BtnDecomp = &ControlNamed<QPushButton>(*clientArea_, "BtnDecomp");
    BtnThresh = &ControlNamed<QPushButton>(*clientArea_, "BtnThresh");
    BtnReconstr = &ControlNamed<QPushButton>(*clientArea_, "BtnReconstr");
    EdtThresh = &ControlNamed<QLineEdit>(*clientArea_, "EdtThresh");
    CBLev = &ControlNamed<QComboBox>(*clientArea_, "CBLev");
    EdtN = &ControlNamed<QLineEdit>(*clientArea_, "EdtN");
    BtnLoad = &ControlNamed<QPushButton>(*clientArea_, "BtnLoad");
    CB1 = &ControlNamed<QComboBox>(*clientArea_, "CB1");
    Label1 = &ControlNamed<QLabel>(*clientArea_, "Label1");
    Edit1 = &ControlNamed<QLineEdit>(*clientArea_, "Edit1");
    OpenDialog1.SetFilter(std::string(kOpenDialogFilter));
    new ClientLayout(*clientArea_, kMainWindow, kMainWindowControls);  // owned by the client area
    for (const ControlHint& hint : kControlHints) {
        ControlNamed<QWidget>(*clientArea_, hint.Name)
            .setToolTip(QString::fromUtf8(hint.Text.data(), hint.Text.size()));
    }

    session_ =
        std::make_unique<analysis::AnalysisSession>(charts_.Series1(), charts_.Series2(), charts_.Series3(), *this);
    output_ = std::make_unique<ResultOutput>(dialogs_, charts_, *session_);
    recipes_ = std::make_unique<RecipeCommands>(dialogs_, *session_, *output_);
    import_ = std::make_unique<ImportCommand>(*this, dialogs_, charts_, *session_, *output_, recipes_->Recorder());

    const auto run = [this](WindowCommand command) { Dispatch([this, command] { RunCommand(command); }); };
    menu_ = std::make_unique<MainMenu>(*this, run);
    setCentralWidget(clientArea_);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    figures_ = new QLabel(statusBar());
    figures_->setObjectName(QStringLiteral("StatusFigures"));
    statusBar()->addPermanentWidget(figures_);
    // The window opens with the stored area between the menu bar and the
    // status bar, which is also the least it can shrink to.
    resize(kMainWindow.ClientWidth,
           kMainWindow.ClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    ShowStatus();
    contextMenu_ = new ChartContextMenu(
        *this, chartAreas_.Chart1(), chartAreas_.Chart2(),
        [this](WindowCommand command) { return menu_->Action(command).isEnabled(); }, run);
    // A zoom by the mouse enables Undo Zoom; the undo event comes before the
    // chart forgets its zoom, so the menu looks once the event is over.
    for (chart::TChart* c : {&charts_.Chart1(), &charts_.Chart2()}) {
        const auto update = [this](chart::TCustomChartPanelExtended&) {
            QTimer::singleShot(0, this, [this] { menu_->Update(CurrentState()); });
        };
        c->OnZoom = update;
        c->OnUndoZoom = update;
    }
    // Beside the stored area and hidden, so the window opens as designed.
    denoisePanel_ = new DenoisePanel(
        *this, [this] { Dispatch([this] { ApplyAllLevelsClick(); }); }, [this] { return TypedThreshold(); });
    addDockWidget(Qt::RightDockWidgetArea, denoisePanel_);
    denoisePanel_->hide();
    connect(denoisePanel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        menu_->Action(WindowCommand::DenoisePanel).setChecked(visible);
        ShowThresholdLines();
    });
    chart::TThresholdLines& lines = charts_.ThresholdLines();
    lines.OnDrag = [this](double& t) { fw::RunHandler(dialogs_, [this, &t] { DragThreshold(t); }); };
    connect(EdtThresh, &QLineEdit::textChanged, this, [this] { FollowThresholdBox(); });
    FollowThresholdBox();
    // Owned by the window, as its child.
    new FileDrop(*this, [this](const std::string& fileName) {
        Dispatch([this, fileName] {
            if (importer::ImportedByName(fileName)) return import_->ImportFile(fileName, loadDialogBytes_);
            LoadFile(fileName);
        });
    });

    connect(BtnDecomp, &QPushButton::clicked, this, [this] { Dispatch([this] { BtnDecompClick(); }); });
    connect(BtnThresh, &QPushButton::clicked, this, [this] { Dispatch([this] { BtnThreshClick(); }); });
    connect(BtnReconstr, &QPushButton::clicked, this, [this] { Dispatch([this] { BtnReconstrClick(); }); });
    connect(BtnLoad, &QPushButton::clicked, this, [this] { Dispatch([this] { BtnLoadClick(); }); });
    // `activated` means a pick by the user, never a change made by the program.
    connect(CB1, &QComboBox::activated, this, [this] { Dispatch([this] { CB1Change(); }); });
    // Enter in a box does what its button does.
    connect(EdtN, &QLineEdit::returnPressed, this, [this] { Dispatch([this] { BtnLoadClick(); }); });
    connect(EdtThresh, &QLineEdit::returnPressed, this, [this] {
        Dispatch([this] {
            if (BtnThresh->isEnabled()) {
                BtnThreshClick();
            } else {
                statusHint_ = kDecomposeFirst;
            }
        });
    });
}

TForm1::~TForm1() {
    // The panel goes first: it refers to the session and the menu, which go
    // before the window's children.
    QObject::disconnect(denoisePanel_, nullptr, this, nullptr);
    delete denoisePanel_;
}

void TForm1::Dispatch(const std::function<void()>& handler) {
    // A preview shows a threshold not applied; whatever the user does next
    // makes it stale.
    preview_.Hide();
    fw::RunHandler(dialogs_, handler);
    ShowThresholdLines();
    fw::RunHandler(dialogs_, [this] { denoisePanel_->Refresh(*session_); });
    fw::RunHandler(dialogs_, [this] { ShowResidual(); });
    menu_->Update(CurrentState());
    NameUndoSteps();
    ShowStatus();
    ShowFigures();
}

void TForm1::NameUndoSteps() {
    for (const auto& [command, verb, name] : {std::tuple{WindowCommand::Undo, "Undo", session_->UndoName()},
                                              std::tuple{WindowCommand::Redo, "Redo", session_->RedoName()}}) {
        menu_->Action(command).setText(QString::fromStdString(name.empty() ? verb : verb + (" " + name)));
    }
}

void TForm1::ShowStatus() {
    if (!statusHint_.empty()) {
        statusBar()->showMessage(QString::fromStdString(statusHint_));
        statusHint_.clear();
        return;
    }
    BufferState state;
    state.Loaded = session_->Samples() != nullptr;
    state.N = session_->N();
    state.J = session_->J();
    state.FileName = output_->SourceFile();
    state.Source = import_->Source();
    state.Levels = session_->Levels();
    state.Thresholded = session_->CanUndo();
    state.Reconstructed = charts_.Series2().Series().Count() > 0;
    statusBar()->showMessage(QString::fromStdString(BufferStatusText(state)));
}

CommandState TForm1::CurrentState() const {
    return {charts_.Series1().Series().Count() > 0,
            charts_.Series2().Series().Count() > 0,
            charts_.Series3().Series().Count() > 0,
            charts_.Chart1().Zoomed() || charts_.Chart2().Zoomed(),
            session_->CanUndo(),
            session_->CanRedo()};
}

void TForm1::BtnDecompClick() {
    if (CBLev->currentIndex() < 0) statusHint_ = kChooseLevelsFirst;
    const BusyCursor busy;
    session_->Decompose(CBLev->currentIndex());
    if (CBLev->currentIndex() >= 0) recipes_->Recorder().Did(recipe::DecomposeStep(CBLev->currentIndex() + 1));
}

void TForm1::BtnThreshClick() {
    if (CB1->currentIndex() < 0) statusHint_ = kChooseViewFirst;
    const BusyCursor busy;
    session_->ApplyThreshold(CB1->currentIndex(), EdtThresh->text().toStdString());
    if (CB1->currentIndex() >= 0) {
        recipes_->Recorder().Did(
            recipe::ThresholdingStep(session_->ViewedLevel(), recipe::ThresholdText(session_->Threshold())));
    }
}

void TForm1::BtnReconstrClick() {
    const BusyCursor busy;
    const bool decomposed = session_->Levels() >= 1;
    session_->Reconstruct();
    if (decomposed) recipes_->Recorder().Did(recipe::ReconstructStep());
}

void TForm1::BtnLoadClick() {
    if (!OpenDialog1.Execute()) {
        return;
    }
    LoadFile(OpenDialog1.FileName());
}

void TForm1::LoadFile(const std::string& fileName) {
    // A dropped file is offered by the next open dialog, as a chosen one is.
    OpenDialog1.SetFileName(fileName);
    // Without a count nothing loads: the shown file and the zoom stay.
    if (EdtN->text().isEmpty()) {
        statusHint_ = kTypeCountFirst;
        return;
    }
    const BusyCursor busy;
    const LoadProgress progress(*this, fileName, loadDialogBytes_);
    const std::string count = EdtN->text().toStdString();
    session_->Load(count, fileName, progress.Progress());
    recipes_->Recorder().Loaded(fileName, count);
    // Reached only when the file replaced the signal, which is shown whole.
    output_->SetSourceFile(fileName);
    import_->Forget();
    charts_.UndoZooms();
}

void TForm1::CB1Change() {
    const BusyCursor busy;
    session_->SelectViewLevel(CB1->currentIndex());
    ShowViewTitle();
}

void TForm1::ShowViewTitle() {
    const int32_t viewed = session_->ViewedLevel();
    charts_.SetViewTitle(viewed > session_->Levels() ? "Approximation" : "Level " + std::to_string(viewed));
}

void TForm1::RecordSaved(recipe::OutputKind kind, const std::optional<std::string>& fileName) {
    if (!fileName) return;
    const bool coefficients = kind == recipe::OutputKind::Coefficients;
    recipes_->Recorder().Saved(kind, *fileName, coefficients ? session_->ViewedLevel() : 0,
                               !coefficients && output_->SaveWholeGrid());
}

void TForm1::RunCommand(WindowCommand command) {
    using C = WindowCommand;
    switch (command) {
    case C::LoadData: BtnLoadClick(); break;
    case C::ImportData: import_->Run(loadDialogBytes_); break;
    case C::SaveWholeGrid: output_->SetSaveWholeGrid(menu_->Action(C::SaveWholeGrid).isChecked()); break;
    case C::SaveSignal: RecordSaved(recipe::OutputKind::Signal, output_->SaveSignal()); break;
    case C::SaveReconstruction: RecordSaved(recipe::OutputKind::Result, output_->SaveReconstruction()); break;
    case C::SaveCoefficients: RecordSaved(recipe::OutputKind::Coefficients, output_->SaveCoefficients()); break;
    case C::ExportUpperChart:
    case C::ExportLowerChart:
        output_->ExportChart(command == C::ExportUpperChart ? ChartPlace::Upper : ChartPlace::Lower,
                             [this] { return recipes_->PictureRecipe(); });
        break;
    case C::SaveRecipe: recipes_->Save(); break;
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
        // The replay viewed what its last thresholding viewed; the list and the title say so.
        if (session_->Levels() >= 1 && session_->ViewedLevel() >= 1) {
            CB1->setCurrentIndex(session_->ViewedLevel() - 1);
            ShowViewTitle();
        }
        break;
    }
    case C::PrintUpperChart: output_->PrintChart(ChartPlace::Upper); break;
    case C::PrintLowerChart: output_->PrintChart(ChartPlace::Lower); break;
    case C::Quit: close(); break;
    case C::Undo: {
        const BusyCursor busy;
        if (!session_->CanUndo()) break;
        session_->Undo();
        recipes_->Recorder().Undone();
        break;
    }
    case C::Redo: {
        const BusyCursor busy;
        if (!session_->CanRedo()) break;
        session_->Redo();
        recipes_->Recorder().Redone();
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
    case C::Residual: break;  // the dispatch shows or hides it
    case C::DenoisePanel: denoisePanel_->setVisible(menu_->Action(C::DenoisePanel).isChecked()); break;
    case C::MouseAndKeys: ShowHelpBox(kMouseAndKeysCaption, std::string(kMouseAndKeysText)); break;
    case C::About: ShowHelpBox(kAboutCaption, AboutText(QUELMAR_VERSION)); break;
    }
}

void TForm1::SuggestThreshold() {
    EdtThresh->setText(QString::fromStdString(ThresholdText(SuggestedThreshold(*session_))));
    // A long number shows from its start, not its last digits.
    EdtThresh->setCursorPosition(0);
}

void TForm1::ApplyAllLevelsClick() {
    const BusyCursor busy;
    analysis::DenoiseOptions options = denoisePanel_->Options();
    const std::vector<analysis::LevelReport> reports = session_->ApplyToAllLevels(options);
    // As the session ran it: over its levels, the approximation left alone.
    options.levels = session_->Levels();
    options.itemThresholds.resize(std::min(options.itemThresholds.size(), static_cast<std::size_t>(options.levels)));
    recipes_->Recorder().Did(recipe::ApplyAllLevelsStep(options, reports));
}

double TForm1::TypedThreshold() const {
    try {
        return analysis::ParseThreshold(EdtThresh->text().toStdString());
    } catch (const fw::Exception&) {
        return session_->Threshold();
    }
}

void TForm1::ShowResidual() {
    const bool reconstructed = charts_.Series2().Series().Count() > 0 && charts_.Series3().Series().Count() == 0;
    if (!reconstructed) {
        residual_.reset();
    } else if (!residual_ || residualFor_ != session_->DecompositionId()) {
        residual_ = app::MeasureResidual(charts_.Series1(), charts_.Series2());
        residualFor_ = session_->DecompositionId();
        charts_.Residual().Clear();
    }
    const bool shown = residual_ && menu_->Action(WindowCommand::Residual).isChecked();
    if (shown && charts_.Residual().Series().Count() == 0) {
        charts_.Residual().AddArray(residual_->residual.data(), static_cast<int32_t>(residual_->residual.size()) - 1);
    }
    if (!shown) charts_.Residual().Clear();
    charts_.ShowResidual(shown);
}

void TForm1::ShowFigures() {
    BufferFigures figures;
    if (residual_) {
        figures.Reconstructed = true;
        figures.ResidualRms = residual_->rms;
        figures.Noise = residual_->noise;
    } else if (session_->CanUndo()) {
        std::tie(figures.ZeroDetails, figures.Details) = session_->ZeroDetails();
    }
    figures_->setText(QString::fromStdString(BufferFiguresText(figures)));
}

void TForm1::ShowThresholdLines() {
    charts_.ThresholdLines().SetVisible(denoisePanel_->isVisible() && charts_.Series3().Series().Count() > 0);
}

void TForm1::FollowThresholdBox() {
    try {
        charts_.ThresholdLines().SetThreshold(analysis::ParseThreshold(EdtThresh->text().toStdString()));
    } catch (const fw::Exception&) {
        // Half-typed: the lines stay where the last number put them.
    }
}

void TForm1::DragThreshold(double& t) {
    // As many decimals as tell one pixel of the lower chart from the next.
    const chart::TChartAxis& left = *charts_.Chart2().LeftAxis();
    const double perPixel = std::fabs(left.CalcPosPoint(0) - left.CalcPosPoint(1));
    const int decimals = perPixel > 0 ? std::clamp(static_cast<int>(std::ceil(-std::log10(perPixel))), 0, 15) : 15;
    const std::string text = fw::FloatToStrF(t, fw::ffFixed, 15, decimals);
    t = analysis::ParseThreshold(text);
    EdtThresh->setText(QString::fromStdString(text));
    preview_.Show(*session_, t);
}

void TForm1::ShowHelpBox(std::string_view caption, const std::string& text) {
    dialogs_.ShowMessageBox(std::string(caption), text, fw::MessageBoxIcon::Information);
}

void TForm1::ShowCount(const std::string& text) {
    // Shown for each new signal: the recipe starts over, to name its file once the load is done.
    recipes_->Recorder().SignalReplaced();
    EdtN->setText(QString::fromStdString(text));
}

void TForm1::SetLevelChoices(int32_t n) { FillChoices(*CBLev, n); }

void TForm1::SetViewChoices(int32_t n) { FillChoices(*CB1, n); }

void TForm1::ShowMean(const std::string& text) { Edit1->setText(QString::fromStdString(text)); }

void TForm1::EnableDecompose(bool enabled) { BtnDecomp->setEnabled(enabled); }

void TForm1::EnableThreshold(bool enabled) { BtnThresh->setEnabled(enabled); }

void TForm1::EnableReconstruct(bool enabled) { BtnReconstr->setEnabled(enabled); }

void TForm1::ShowWarning(const std::string& text) {
    dialogs_.ShowMessageBox(fw::ApplicationTitle(), text, fw::MessageBoxIcon::Warning);
}

}  // namespace ui
