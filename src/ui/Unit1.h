#pragma once
// The main window: the menu bar above the stored client area, which holds two
// chart areas on the left and the column of controls on the right. Each
// control event and menu command runs one operation inside the event
// dispatch; the window shows the session's results through ControlSink.

#include <memory>
#include <optional>

#include <QMainWindow>

#include "analysis/session/AnalysisSession.h"
#include "analysis/session/ControlSink.h"
#include "app/ProgramCharts.h"
#include "framework/gui/window/DialogService.h"
#include "framework/gui/window/OpenDialog.h"
#include "ui/ChartAreas.h"
#include "ui/ChartContextMenu.h"
#include "ui/CursorControl.h"
#include "ui/DenoisePanel.h"
#include "ui/ImportCommand.h"
#include "ui/LoadProgress.h"
#include "ui/MainMenu.h"
#include "ui/RecipeCommands.h"
#include "ui/ResidualDisplay.h"
#include "ui/ResultOutput.h"
#include "ui/ThresholdLinesControl.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class TForm1 : public QMainWindow, public analysis::ControlSink {
public:
    explicit TForm1(fw::DialogService& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The handlers catch nothing: an error leaves them for the event dispatch.
    void BtnDecompClick();
    void BtnThreshClick();
    void BtnReconstrClick();
    void BtnLoadClick();
    void CB1Change();
    // Loads fileName as the Load button does with a confirmed file.
    void LoadFile(const std::string& fileName);
    void RunCommand(WindowCommand command);

    void ShowCount(const std::string& text) override;
    void SetLevelChoices(int32_t n) override;
    void SetViewChoices(int32_t n) override;
    void ShowMean(const std::string& text) override;
    void EnableDecompose(bool enabled) override;
    void EnableThreshold(bool enabled) override;
    void EnableReconstruct(bool enabled) override;
    void ShowWarning(const std::string& text) override;

    // A load of a file above this many bytes shows the progress dialog
    // (kLoadDialogBytes unless a test asks for less).
    void SetLoadDialogBytes(int64_t bytes) { loadDialogBytes_ = bytes; }

    const app::ProgramCharts& Charts() const { return charts_; }
    const analysis::AnalysisSession& Session() const { return *session_; }
    const MainMenu& Menu() const { return *menu_; }
    const ChartContextMenu& ContextMenu() const { return *contextMenu_; }
    const DenoisePanel& Panel() const { return *denoisePanel_; }
    const recipe::SessionRecorder& Recorder() const { return recipes_->Recorder(); }

private:
    // Runs one handler so that its errors end in the error box, then enables
    // the menu items for what exists afterwards.
    void Dispatch(const std::function<void()>& handler);
    CommandState CurrentState() const;
    void SuggestThreshold();
    void ApplyAllLevelsClick();
    // The threshold box's number, else the last threshold that converted.
    double TypedThreshold() const;
    // Undo and Redo name the step they act on.
    void NameUndoSteps();
    // The status bar: why the last action did nothing, else what the buffer holds.
    void ShowStatus();
    void ShowHelpBox(std::string_view caption, const std::string& text);
    void ShowViewTitle();
    // The view list and the chart's title name the item the session views
    // (after a replay, or an undo that brought a decomposition back).
    void ShowViewedItem();
    // A file written: the recipe notes an output of that kind, and the
    // status bar says where it went.
    void Saved(std::optional<recipe::OutputKind> kind, const std::optional<std::string>& fileName);

    fw::DialogService& dialogs_;
    app::ProgramCharts charts_;  // Chart1 with Series1 and Series2, Chart2 with Series3
    QWidget* clientArea_;        // the stored layout's area below the menu bar
    ChartAreas chartAreas_;
    QPushButton* BtnDecomp;
    QPushButton* BtnThresh;
    QPushButton* BtnReconstr;
    QLineEdit* EdtThresh;
    QComboBox* CBLev;
    QLineEdit* EdtN;
    QPushButton* BtnLoad;
    fw::TOpenDialog OpenDialog1;
    QComboBox* CB1;
    QLabel* Label1;
    QLineEdit* Edit1;
    std::unique_ptr<analysis::AnalysisSession> session_;  // after the series it plots into
    std::unique_ptr<ResultOutput> output_;
    std::unique_ptr<RecipeCommands> recipes_;
    std::unique_ptr<MainMenu> menu_;
    std::unique_ptr<ImportCommand> import_;
    ChartContextMenu* contextMenu_;  // owned by the window, as its child
    DenoisePanel* denoisePanel_;     // owned by the window, as its dock
    int64_t loadDialogBytes_ = kLoadDialogBytes;
    std::string statusHint_;
    bool warned_ = false;  // a warning was shown since the last load began
    std::unique_ptr<ThresholdLinesControl> lines_;
    std::unique_ptr<ResidualDisplay> residual_;
    std::unique_ptr<CursorControl> cursors_;  // after the charts and the status bar it works on
};

}  // namespace ui
