#include "framework/gui/paint/Printer.h"

#include <QCoreApplication>
#include <QPrinter>

#include "framework/core/Exceptions.h"

namespace fw {

TPrinter::TPrinter()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), canvas_(std::make_unique<TCanvas>()) {}

TPrinter::~TPrinter() {
    if (printing_) Abort();
}

TPrinterOrientation TPrinter::Orientation() const {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
    if (printing_) throw Exception("Printing in progress");
    printer_->setPageOrientation(value == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void TPrinter::SetOutputFileName(const std::string& fileName) {
    if (printing_) throw Exception("Printing in progress");
    printer_->setOutputFileName(QString::fromStdString(fileName));
}

std::string TPrinter::OutputFileName() const { return printer_->outputFileName().toStdString(); }

int32_t TPrinter::PageWidth() const { return printer_->pageLayout().paintRectPixels(printer_->resolution()).width(); }

int32_t TPrinter::PageHeight() const { return printer_->pageLayout().paintRectPixels(printer_->resolution()).height(); }

int32_t TPrinter::PixelsPerInch() const { return printer_->resolution(); }

void TPrinter::BeginDoc() {
    if (printing_) throw Exception("Printing in progress");
    printer_->setDocName(QString::fromStdString(Title));
    if (!painter_.begin(printer_.get())) throw Exception("Printer is not currently printing");
    canvas_->Surface().BindPainter(&painter_);
    printing_ = true;
    aborted_ = false;
}

void TPrinter::EndDoc() {
    if (!printing_) throw Exception("Printer is not currently printing");
    canvas_->Surface().Unbind();
    painter_.end();
    printing_ = false;
}

void TPrinter::Abort() {
    if (!printing_) return;
    canvas_->Surface().Unbind();
    printer_->abort();
    painter_.end();
    printing_ = false;
    aborted_ = true;
}

namespace {

TPrinter* applicationPrinter = nullptr;

void FreeApplicationPrinter() {
    delete applicationPrinter;
    applicationPrinter = nullptr;
}

}  // namespace

TPrinter& Printer() {
    // Made on first use and freed with the application object, while the
    // print system is still there.
    if (!applicationPrinter) {
        applicationPrinter = new TPrinter;
        qAddPostRoutine(FreeApplicationPrinter);
    }
    return *applicationPrinter;
}

}  // namespace fw
