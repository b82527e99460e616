#pragma once
// The modal dialogs the window and the event dispatch need: the file-open dialog
// and the message box. Behind an interface so that tests can answer a dialog and
// read a box without a display.

#include <string>

namespace fw {

enum class MessageBoxIcon { Stop, Warning };

class DialogService {
public:
    virtual ~DialogService() = default;

    // Shows the file-open dialog. filter holds "description|patterns" pairs
    // separated by "|" (patterns separated by ";"); the first entry is selected.
    // fileName comes in as the name to preselect (may be empty) and goes out as
    // the chosen file. Returns false, leaving fileName alone, on cancel.
    virtual bool ExecuteOpen(const std::string& filter, std::string& fileName) = 0;

    // A modal box with the caption, the text, the icon and one OK button.
    virtual void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon) = 0;
};

}  // namespace fw
