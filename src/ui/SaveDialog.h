#pragma once
// The save dialog the window's results go through. It proposes a name in the
// folder a file was last saved to in this run (before the first save, the
// folder the caller suggests), and gives a name typed without an extension
// the one of the chosen file type.

#include <optional>
#include <string>

#include "framework/gui/window/DialogService.h"

namespace ui {

struct SaveChoice {
    std::string FileName;
    int FilterIndex;  // the chosen entry of the filter, 0 the first
};

class SaveDialog {
public:
    explicit SaveDialog(fw::DialogService& dialogs) : dialogs_(dialogs) {}

    // filter as for the open dialog; defaultName has no folder; filterIndex
    // is the entry selected at first. Empty on cancel.
    std::optional<SaveChoice> Execute(const std::string& filter, const std::string& defaultName, int filterIndex,
                                      const std::string& firstFolder);

    // The folder of the last confirmed save; empty before the first.
    const std::string& LastFolder() const { return lastFolder_; }

private:
    fw::DialogService& dialogs_;
    std::string lastFolder_;
};

// The folder part of a path ("" for a bare name, "/" for a file at the root).
std::string FolderOf(const std::string& path);
// The name part of a path without its last extension.
std::string StemOf(const std::string& path);
// The last extension of the name part in lower case, without the dot; "" for none.
std::string ExtensionOf(const std::string& path);

}  // namespace ui
