#pragma once
// The framework printer: one print job at a time on the system's default
// print device, or into a PDF file when an output file is named. Drawing goes
// through Canvas() in device pixels of the page.

#include <QPainter>
#include <memory>
#include <string>

#include "framework/gui/paint/Canvas.h"

class QPrinter;

namespace fw {

enum TPrinterOrientation : uint8_t { poPortrait, poLandscape };

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The name of the next job.
    std::string Title;

    TPrinterOrientation Orientation() const;
    // Throws while a job is running.
    void SetOrientation(TPrinterOrientation value);
    // Prints into this PDF file instead of the print device; empty prints to
    // the device again.
    void SetOutputFileName(const std::string& fileName);
    std::string OutputFileName() const;

    // The printable area of the page in device pixels.
    int32_t PageWidth() const;
    int32_t PageHeight() const;
    int32_t PixelsPerInch() const;

    bool Printing() const { return printing_; }
    bool Aborted() const { return aborted_; }

    // Starts a job; throws when one is running or the device refuses.
    void BeginDoc();
    // Ends the job and sends it off.
    void EndDoc();
    // Abandons the running job.
    void Abort();

    // The page being printed (only while Printing).
    TCanvas& Canvas() { return *canvas_; }

    // The device itself, for the print dialog to set up.
    QPrinter& Device() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::unique_ptr<TCanvas> canvas_;
    bool printing_ = false;
    bool aborted_ = false;
};

// The application's printer.
TPrinter& Printer();

}  // namespace fw
