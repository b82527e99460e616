#include "framework/gui/window/QtDialogService.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "framework/gui/window/OpenDialogFilter.h"

namespace fw {

bool QtDialogService::ExecuteOpen(const std::string& filter, std::string& fileName) {
    // No title, folder or default suffix of our own: the dialog's defaults apply.
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Like the classic open dialog without "file must exist": a typed name is accepted.
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList nameFilters = QtNameFilters(ParseOpenDialogFilter(filter));
    // The list shows the descriptions only; the patterns stay in effect.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) {
        dialog.selectNameFilter(nameFilters.first());
    }
    if (!fileName.empty()) {
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(fileName)));
    }
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return false;
    }
    // The session opens the file by this name: keep the file system's encoding.
    fileName = QFile::encodeName(chosen.first()).toStdString();
    return true;
}

void QtDialogService::ShowMessageBox(const std::string& caption, const std::string& text,
                                     MessageBoxIcon icon) {
    QMessageBox box(icon == MessageBoxIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    // The message is plain text even when it happens to look like markup.
    box.setTextFormat(Qt::PlainText);
    // Application-modal: the other windows stay disabled while the box is up.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace fw
