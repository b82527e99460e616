#pragma once
// The dialogs on real Qt widgets.

#include "framework/gui/window/DialogService.h"

namespace fw {

class QtDialogService : public DialogService {
public:
    bool ExecuteOpen(const std::string& filter, std::string& fileName) override;
    bool ExecuteSave(const std::string& filter, std::string& fileName, int& filterIndex) override;
    bool ExecutePrint(TPrinter& printer) override;
    std::optional<PictureSizeChoice> ExecutePictureSize(int32_t windowWidth, int32_t windowHeight) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon) override;
};

}  // namespace fw
