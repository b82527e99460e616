#pragma once
// The main window: two chart areas on the left, the column of controls on the
// right. Each control event runs one analysis-session operation inside the event
// dispatch; the window shows the session's results through ControlSink.

#include <memory>

#include <QWidget>

#include "analysis/AnalysisSession.h"
#include "analysis/ControlSink.h"
#include "app/ProgramCharts.h"
#include "framework/gui/window/DialogService.h"
#include "framework/gui/window/OpenDialog.h"
#include "ui/ChartAreas.h"
#include "ui/LoadProgress.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class TForm1 : public QWidget, public analysis::ControlSink {
public:
    explicit TForm1(fw::DialogService& dialogs, QWidget* parent = nullptr);
    ~TForm1() override;

    // The handlers catch nothing: an error leaves them for the event dispatch.
    void BtnDecompClick();
    void BtnThreshClick();
    void BtnReconstrClick();
    void BtnLoadClick();
    void CB1Change();

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

private:
    // Runs one handler so that its errors end in the error box.
    void Dispatch(void (TForm1::*handler)());

    fw::DialogService& dialogs_;
    app::ProgramCharts charts_;  // Chart1 with Series1 and Series2, Chart2 with Series3
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
    int64_t loadDialogBytes_ = kLoadDialogBytes;
};

}  // namespace ui
