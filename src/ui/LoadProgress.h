#pragma once
// What the window shows while the session works: the busy cursor for every
// operation, and for the load of a big file a modal dialog with the share read
// and a Cancel button.

#include <cstdint>
#include <memory>
#include <string>

#include "analysis/io/SampleReader.h"

class QProgressDialog;
class QWidget;

namespace ui {

// The busy cursor from construction to destruction. It is set at the start:
// the operation keeps the event loop from running, so no timer could set it
// later; an operation shorter than a tenth of a second shows it too briefly
// to be seen.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// Files above this size are loaded with the progress dialog.
inline constexpr int64_t kLoadDialogBytes = int64_t{64} << 20;

// The progress of one load. For a file larger than dialogBytes the dialog is
// shown, modal to the window, and Progress() moves it on and cancels the read
// once Cancel was pressed; for a smaller file Progress() is empty.
class LoadProgress {
public:
    LoadProgress(QWidget& window, const std::string& fileName, int64_t dialogBytes);
    ~LoadProgress();
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    const analysis::ReadProgress& Progress() const { return progress_; }

private:
    std::unique_ptr<QProgressDialog> dialog_;
    analysis::ReadProgress progress_;
};

}  // namespace ui
