#include "ui/Unit1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "framework/gui/window/ApplicationTitle.h"
#include "framework/gui/window/EventDispatch.h"
#include "ui/FormBuilder.h"
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
    : QWidget(parent), dialogs_(dialogs), chartAreas_(charts_, *this, dialogs), OpenDialog1(dialogs) {
    BuildForm(*this, kMainWindow, kMainWindowControls, [this](std::string_view name) -> QWidget& {
        if (name == "Chart1") {
            return chartAreas_.Chart1();
        }
        if (name == "Chart2") {
            return chartAreas_.Chart2();
        }
        throw std::logic_error("the window layout names an unknown chart area " + std::string(name));
    });
    BtnDecomp = &ControlNamed<QPushButton>(*this, "BtnDecomp");
    BtnThresh = &ControlNamed<QPushButton>(*this, "BtnThresh");
    BtnReconstr = &ControlNamed<QPushButton>(*this, "BtnReconstr");
    EdtThresh = &ControlNamed<QLineEdit>(*this, "EdtThresh");
    CBLev = &ControlNamed<QComboBox>(*this, "CBLev");
    EdtN = &ControlNamed<QLineEdit>(*this, "EdtN");
    BtnLoad = &ControlNamed<QPushButton>(*this, "BtnLoad");
    CB1 = &ControlNamed<QComboBox>(*this, "CB1");
    Label1 = &ControlNamed<QLabel>(*this, "Label1");
    Edit1 = &ControlNamed<QLineEdit>(*this, "Edit1");
    OpenDialog1.SetFilter(std::string(kOpenDialogFilter));

    session_ = std::make_unique<analysis::AnalysisSession>(charts_.Series1(), charts_.Series2(),
                                                           charts_.Series3(), *this);

    connect(BtnDecomp, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::BtnDecompClick); });
    connect(BtnThresh, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::BtnThreshClick); });
    connect(BtnReconstr, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::BtnReconstrClick); });
    connect(BtnLoad, &QPushButton::clicked, this, [this] { Dispatch(&TForm1::BtnLoadClick); });
    // `activated` means a pick by the user, never a change made by the program.
    connect(CB1, &QComboBox::activated, this, [this] { Dispatch(&TForm1::CB1Change); });
}

TForm1::~TForm1() = default;

void TForm1::Dispatch(void (TForm1::*handler)()) {
    fw::RunHandler(dialogs_, [this, handler] { (this->*handler)(); });
}

void TForm1::BtnDecompClick() {
    const BusyCursor busy;
    session_->Decompose(CBLev->currentIndex());
}

void TForm1::BtnThreshClick() {
    const BusyCursor busy;
    session_->ApplyThreshold(CB1->currentIndex(), EdtThresh->text().toStdString());
}

void TForm1::BtnReconstrClick() {
    const BusyCursor busy;
    session_->Reconstruct();
}

void TForm1::BtnLoadClick() {
    if (!OpenDialog1.Execute()) {
        return;
    }
    const BusyCursor busy;
    const LoadProgress progress(*this, OpenDialog1.FileName(), loadDialogBytes_);
    session_->Load(EdtN->text().toStdString(), OpenDialog1.FileName(), progress.Progress());
}

void TForm1::CB1Change() {
    const BusyCursor busy;
    session_->SelectViewLevel(CB1->currentIndex());
}

void TForm1::ShowCount(const std::string& text) {
    EdtN->setText(QString::fromStdString(text));
}

void TForm1::SetLevelChoices(int32_t n) {
    FillChoices(*CBLev, n);
}

void TForm1::SetViewChoices(int32_t n) {
    FillChoices(*CB1, n);
}

void TForm1::ShowMean(const std::string& text) {
    Edit1->setText(QString::fromStdString(text));
}

void TForm1::EnableDecompose(bool enabled) {
    BtnDecomp->setEnabled(enabled);
}

void TForm1::EnableThreshold(bool enabled) {
    BtnThresh->setEnabled(enabled);
}

void TForm1::EnableReconstruct(bool enabled) {
    BtnReconstr->setEnabled(enabled);
}

void TForm1::ShowWarning(const std::string& text) {
    dialogs_.ShowMessageBox(fw::ApplicationTitle(), text, fw::MessageBoxIcon::Warning);
}

}  // namespace ui
