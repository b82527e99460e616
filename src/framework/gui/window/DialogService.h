#pragma once
// The modal dialogs the window and the event dispatch need: the file-open and
// file-save dialogs, the print dialog and the message box. Behind an interface
// so that tests can answer a dialog and read a box without a display.

#include <cstdint>
#include <optional>
#include <string>

#include "framework/gui/window/PictureSize.h"

namespace fw {

class TPrinter;

enum class MessageBoxIcon { Stop, Warning, Information };

class DialogService {
public:
    virtual ~DialogService() = default;

    // Shows the file-open dialog. filter holds "description|patterns" pairs
    // separated by "|" (patterns separated by ";"); the first entry is selected.
    // fileName comes in as the name to preselect (may be empty) and goes out as
    // the chosen file. Returns false, leaving fileName alone, on cancel.
    virtual bool ExecuteOpen(const std::string& filter, std::string& fileName) = 0;

    // Shows the file-save dialog with filter as above. fileName comes in as
    // the proposed file (its folder is where the dialog opens) and goes out
    // as the chosen one; filterIndex comes in as the entry to select and goes
    // out as the entry chosen (0 is the first). Returns false, leaving both
    // alone, on cancel.
    virtual bool ExecuteSave(const std::string& filter, std::string& fileName, int& filterIndex) = 0;

    // Shows the print dialog for printer, whose settings it changes as the
    // user chooses. Returns false on cancel.
    virtual bool ExecutePrint(TPrinter& printer) = 0;

    // Asks how large an exported picture is drawn; nullopt on cancel. A
    // service without such a dialog draws at the window's size.
    virtual std::optional<PictureSizeChoice> ExecutePictureSize(int32_t /*windowWidth*/, int32_t /*windowHeight*/) {
        return PictureSizeChoice{};
    }

    // A modal question with Yes and No buttons; true for Yes. A service
    // that cannot ask answers No, so nothing goes on unasked.
    virtual bool AskYesNo(const std::string& /*caption*/, const std::string& /*text*/) { return false; }
    // A modal box with the caption, the text, the icon and one OK button.
    virtual void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon) = 0;
};

}  // namespace fw
