#pragma once
// The file-open dialog component: a filter and the last chosen file name, shown
// through the dialog service. Invisible until executed.

#include <string>

#include "framework/gui/window/DialogService.h"

namespace fw {

class TOpenDialog {
public:
    explicit TOpenDialog(DialogService& dialogs) : dialogs_(dialogs) {}

    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    // The chosen file after a confirmed Execute; offered again at the next one.
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }

    // Modal; true when the user confirmed a file, false on cancel.
    bool Execute() { return dialogs_.ExecuteOpen(filter_, fileName_); }

private:
    DialogService& dialogs_;
    std::string filter_;
    std::string fileName_;
};

}  // namespace fw
