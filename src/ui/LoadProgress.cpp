#include "ui/LoadProgress.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProgressDialog>

#include "framework/gui/window/ApplicationTitle.h"

namespace ui {
namespace {

// The dialog counts in thousandths of the file.
constexpr int kSteps = 1000;

}  // namespace

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }

BusyCursor::~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }

LoadProgress::LoadProgress(QWidget& window, const std::string& fileName, int64_t dialogBytes) {
    const QFileInfo file(QString::fromStdString(fileName));
    if (!file.isFile() || file.size() <= dialogBytes) {
        return;
    }
    dialog_ = std::make_unique<QProgressDialog>("Loading " + file.fileName() + " ...", "Cancel", 0, kSteps, &window);
    dialog_->setWindowTitle(QString::fromStdString(fw::ApplicationTitle()));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setMinimumDuration(0);
    // Shown before the read starts, and drawn; the window behind it takes no
    // input while it is up.
    dialog_->show();
    QCoreApplication::processEvents();
    progress_ = [dialog = dialog_.get()](int64_t bytesRead, int64_t fileBytes) {
        const double share = fileBytes > 0 ? static_cast<double>(bytesRead) / static_cast<double>(fileBytes) : 1.0;
        dialog->setValue(static_cast<int>(std::min(share, 1.0) * kSteps));
        // Draws the dialog and handles a press of Cancel.
        QCoreApplication::processEvents();
        return !dialog->wasCanceled();
    };
}

LoadProgress::~LoadProgress() = default;

}  // namespace ui
