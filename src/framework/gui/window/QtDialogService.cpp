#include "framework/gui/window/QtDialogService.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>

#include "framework/gui/paint/Printer.h"
#include "framework/gui/window/OpenDialogFilter.h"
#include "framework/gui/window/PictureSizeDialog.h"

namespace fw {

namespace {

// The entry of nameFilters the dialog reports as selected. With the details
// hidden it reports the entry without its last parenthesised pattern group.
int NameFilterIndex(const QStringList& nameFilters, const QString& selected) {
    for (qsizetype i = 0; i < nameFilters.size(); ++i) {
        const QString& entry = nameFilters[i];
        if (entry == selected || entry.left(entry.lastIndexOf(QStringLiteral(" ("))) == selected) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Shows the dialog; on acceptance fileName is the chosen file, in the file
// system's encoding, the name the file is opened or written by.
bool RunFileDialog(QFileDialog& dialog, std::string& fileName) {
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return false;
    }
    fileName = QFile::encodeName(chosen.first()).toStdString();
    return true;
}

QMessageBox::Icon QtIcon(MessageBoxIcon icon) {
    switch (icon) {
    case MessageBoxIcon::Stop: return QMessageBox::Critical;
    case MessageBoxIcon::Warning: return QMessageBox::Warning;
    case MessageBoxIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

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
    return RunFileDialog(dialog, fileName);
}

bool QtDialogService::ExecuteSave(const std::string& filter, std::string& fileName, int& filterIndex) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList nameFilters = QtNameFilters(ParseOpenDialogFilter(filter));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 0 && filterIndex < nameFilters.size()) {
        dialog.selectNameFilter(nameFilters[filterIndex]);
    }
    if (!fileName.empty()) {
        const QFileInfo proposed(QFile::decodeName(QByteArray::fromStdString(fileName)));
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    if (!RunFileDialog(dialog, fileName)) {
        return false;
    }
    filterIndex = NameFilterIndex(nameFilters, dialog.selectedNameFilter());
    return true;
}

bool QtDialogService::ExecutePrint(TPrinter& printer) {
    QPrintDialog dialog(&printer.Device(), QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

std::optional<PictureSizeChoice> QtDialogService::ExecutePictureSize(int32_t windowWidth, int32_t windowHeight) {
    return RunPictureSizeDialog(QApplication::activeWindow(), windowWidth, windowHeight);
}

void QtDialogService::ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon) {
    QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    // The message is plain text even when it happens to look like markup.
    box.setTextFormat(Qt::PlainText);
    // Application-modal: the other windows stay disabled while the box is up.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

bool QtDialogService::AskYesNo(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace fw
