#include "ui/Unit1.h"

#include <tuple>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/gui/window/ApplicationTitle.h"
#include "framework/gui/window/EventDispatch.h"
#include "ui/BufferStatus.h"
#include "ui/ClientLayout.h"
#include "ui/ControlHints.h"
#include "ui/FileDrop.h"
#include "ui/FormBuilder.h"
#include "analysis/io/FileError.h"
#include "import/SignalImport.h"
#include "ui/MainWindowLayout.h"

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
        if (name == "Chart1") return chartAreas_.Chart1();
        if (name == "Chart2") return chartAreas_.Chart2();
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
    AddControls(*clientArea_, kColumnLabels);
    for (std::size_t i = 0; i < std::size(kColumnLabels); ++i) {
        ControlNamed<QLabel>(*clientArea_, kColumnLabels[i].Name)
            .setBuddy(&ControlNamed<QWidget>(*clientArea_, kColumnLabelBuddies[i]));
    }
    EdtN->setPlaceholderText(QStringLiteral("Samples"));
    new ClientLayout(*clientArea_, kMainWindow, kPlacedControls);  // owned by the client area
    for (const ControlHint& hint : kControlHints) {
        ControlNamed<QWidget>(*clientArea_, hint.Name)
            .setToolTip(QString::fromUtf8(hint.Text.data(), hint.Text.size()));
    }

    session_ =
        std::make_unique<analysis::AnalysisSession>(charts_.Series1(), charts_.Series2(), charts_.Series3(), *this);
    output_ = std::make_unique<ResultOutput>(dialogs_, charts_, *session_);
    recipes_ = std::make_unique<RecipeCommands>(dialogs_, *session_, *output_);
    import_ = std::make_unique<ImportCommand>(*this, dialogs_, charts_, *session_, *output_);

    const auto run = [this](WindowCommand command) { Dispatch([this, command] { RunCommand(command); }); };
    menu_ = std::make_unique<MainMenu>(*this, run);
    setCentralWidget(clientArea_);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    auto* figures = new QLabel(statusBar());
    figures->setObjectName(QStringLiteral("StatusFigures"));
    statusBar()->addPermanentWidget(figures);
    residual_ = std::make_unique<ResidualDisplay>(charts_, *figures);
    // Long: it may be cut, never widen the window; its tooltip holds it all.
    auto* cursorFigures = new QLabel(statusBar());
    cursorFigures->setObjectName(QStringLiteral("CursorFigures"));
    cursorFigures->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addPermanentWidget(cursorFigures, 1);
    cursors_ = std::make_unique<CursorControl>(charts_, chartAreas_.Chart1(), *cursorFigures);
    // The window opens with the stored area between the menu bar and the
    // status bar; the program fits it to a smaller screen.
    resize(kMainWindow.ClientWidth,
           kMainWindow.ClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    ShowStatus();
    // The work starts with a file.
    BtnLoad->setFocus(Qt::OtherFocusReason);
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
        *this, [this] { Dispatch([this] { ApplyAllLevelsClick(); }); }, [this] { return TypedThreshold(); },
        [this](analysis::Wavelet wavelet) { session_->SetWavelet(wavelet); });
    addDockWidget(Qt::RightDockWidgetArea, denoisePanel_);
    denoisePanel_->hide();
    lines_ = std::make_unique<ThresholdLinesControl>(charts_, *EdtThresh, dialogs_, *session_, *denoisePanel_);
    denoisePanel_->OnRowsFilled = [this] { lines_->Refresh(); };
    connect(denoisePanel_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        menu_->Action(WindowCommand::DenoisePanel).setChecked(visible);
        lines_->Refresh();
    });
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
    lines_->HidePreview();
    fw::RunHandler(dialogs_, handler);
    lines_->Refresh();
    fw::RunHandler(dialogs_, [this] { denoisePanel_->Refresh(*session_); });
    fw::RunHandler(dialogs_,
                   [this] { residual_->Refresh(*session_, menu_->Action(WindowCommand::Residual).isChecked()); });
    cursors_->Refresh(menu_->Action(WindowCommand::Cursors).isChecked());
    menu_->Update(CurrentState());
    NameUndoSteps();
    ShowStatus();
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
    if (session_->DecomposedWavelet() != analysis::Wavelet::Linear) {
        state.Transform = analysis::WaveletCaption(session_->DecomposedWavelet());
    }
    statusBar()->showMessage(QString::fromStdString(BufferStatusText(state)));
}

CommandState TForm1::CurrentState() const {
    return {charts_.Series1().Series().Count() > 0,
            charts_.Series2().Series().Count() > 0,
            charts_.Series3().Series().Count() > 0,
            charts_.Series3().Series().Count() > 0 || charts_.ResidualShown(),
            charts_.Chart1().Zoomed() || charts_.Chart2().Zoomed(),
            session_->CanUndo(),
            session_->CanRedo()};
}

void TForm1::BtnDecompClick() {
    if (CBLev->currentIndex() < 0) statusHint_ = kChooseLevelsFirst;
    const BusyCursor busy;
    session_->Decompose(CBLev->currentIndex());
}

void TForm1::BtnThreshClick() {
    if (CB1->currentIndex() < 0) statusHint_ = kChooseViewFirst;
    const BusyCursor busy;
    session_->ApplyThreshold(CB1->currentIndex(), EdtThresh->text().toStdString());
    // With the panel shown, the level's row takes the T it was thresholded at.
    const int32_t level = session_->ViewedLevel();
    if (denoisePanel_->isVisible() && CB1->currentIndex() >= 0 && level <= session_->Levels()) {
        denoisePanel_->TypeThreshold(level, session_->Threshold());
    }
}

void TForm1::BtnReconstrClick() {
    const BusyCursor busy;
    session_->Reconstruct();
}

void TForm1::BtnLoadClick() {
    if (!OpenDialog1.Execute()) return;
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
    std::string refusal;
    {
        const BusyCursor busy;
        const LoadProgress progress(*this, fileName, loadDialogBytes_);
        const std::string count = EdtN->text().toStdString();
        warned_ = false;
        try {
            session_->Load(count, fileName, progress.Progress());
        } catch (const analysis::EFileError& error) {
            // A table the sample reader cannot read is the importer's.
            if (!importer::ImportedByName(fileName) || dynamic_cast<const analysis::EFileUnreadable*>(&error)) throw;
            refusal = error.Message();
        }
    }
    if (!refusal.empty()) {
        if (dialogs_.AskYesNo(fw::ApplicationTitle(),
                              refusal + "\n\nIt looks like a table: import it with File > Import…?")) {
            import_->ImportFile(fileName, loadDialogBytes_);
        }
        return;
    }
    // Reached only when the file replaced the signal, which is shown whole.
    output_->SetSourceFile(fileName);
    import_->Forget();
    charts_.UndoZooms();
    if (warned_) statusHint_ = kShortFileHint;
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

void TForm1::ShowCount(const std::string& text) { EdtN->setText(QString::fromStdString(text)); }

void TForm1::SetLevelChoices(int32_t n) { FillChoices(*CBLev, n); }

void TForm1::SetViewChoices(int32_t n) { FillChoices(*CB1, n); }

void TForm1::ShowMean(const std::string& text) { Edit1->setText(QString::fromStdString(text)); }

void TForm1::EnableDecompose(bool enabled) { BtnDecomp->setEnabled(enabled); }

void TForm1::EnableThreshold(bool enabled) { BtnThresh->setEnabled(enabled); }

void TForm1::EnableReconstruct(bool enabled) { BtnReconstr->setEnabled(enabled); }

void TForm1::ShowWarning(const std::string& text) {
    warned_ = true;
    dialogs_.ShowMessageBox(fw::ApplicationTitle(), text, fw::MessageBoxIcon::Warning);
}

}  // namespace ui
