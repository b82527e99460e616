#include "ui/SaveDialog.h"

#include <algorithm>
#include <cctype>

#include "framework/gui/window/OpenDialogFilter.h"

namespace ui {
namespace {

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The extension a filter entry stands for: its first pattern when that is
// "*.ext" with a plain ext; "" for an entry like "*.*" that names no type.
std::string EntryExtension(const std::string& filter, int index) {
    const std::vector<fw::OpenDialogFilterEntry> entries = fw::ParseOpenDialogFilter(filter);
    if (index < 0 || index >= static_cast<int>(entries.size()) || entries[index].Patterns.empty()) {
        return "";
    }
    const std::string& pattern = entries[index].Patterns.front();
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) {
        return "";
    }
    const std::string extension = pattern.substr(2);
    return extension.find_first_of("*?") == std::string::npos ? extension : "";
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string StemOf(const std::string& path) {
    const std::string name = NameOf(path);
    const size_t dot = name.rfind('.');
    // A leading dot marks a hidden name, not an extension.
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& path) {
    const std::string name = NameOf(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return "";
    }
    std::string extension = name.substr(dot + 1);
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::optional<SaveChoice> SaveDialog::Execute(const std::string& filter, const std::string& defaultName,
                                              int filterIndex, const std::string& firstFolder) {
    const std::string& folder = lastFolder_.empty() ? firstFolder : lastFolder_;
    std::string fileName = folder.empty() ? defaultName : (folder == "/" ? "/" : folder + "/") + defaultName;
    if (!dialogs_.ExecuteSave(filter, fileName, filterIndex) || fileName.empty()) {
        return std::nullopt;
    }
    if (ExtensionOf(fileName).empty() && fileName.back() != '.') {
        if (const std::string extension = EntryExtension(filter, filterIndex); !extension.empty()) {
            fileName += "." + extension;
        }
    }
    lastFolder_ = FolderOf(fileName);
    return SaveChoice{fileName, filterIndex};
}

}  // namespace ui
