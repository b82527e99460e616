#pragma once
// View > Cursors: cursors A and B on the upper chart with the figures of the
// stretch between them beside the status bar. Shown afresh they stand at a
// quarter and three quarters of the view; Left and Right move the active one
// a sample while the upper chart has the focus.

#include <QObject>

#include "app/ProgramCharts.h"

class QLabel;
class QWidget;

namespace ui {

class CursorControl : public QObject {
public:
    // All are kept by reference and must outlive this.
    CursorControl(app::ProgramCharts& charts, QWidget& upperChart, QLabel& figures);

    // After each action: the cursors shown while `on` and a signal is, held
    // to its samples, and their figures anew.
    void Refresh(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFigures();

    app::ProgramCharts& charts_;
    QWidget& upperChart_;
    QLabel& figures_;
};

}  // namespace ui
