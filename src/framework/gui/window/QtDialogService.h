#pragma once
// The dialogs on real Qt widgets.

#include "framework/gui/window/DialogService.h"

namespace fw {

class QtDialogService : public DialogService {
public:
    bool ExecuteOpen(const std::string& filter, std::string& fileName) override;
    void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon) override;
};

}  // namespace fw
