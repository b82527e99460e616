#pragma once
// A file dropped onto the window from a file manager is loaded. The drop is
// taken over the whole window, the edit boxes included (which would otherwise
// paste the file's name as text); any other drag is left to the widget under
// it. The load runs after the drop has ended, so that its boxes do not open
// while the dragging program still waits for the drop's answer.

#include <functional>
#include <string>

#include <QObject>

class QMimeData;
class QWidget;

namespace ui {

// The local file a drag carries, in the file system's encoding; empty unless
// it carries exactly one local file.
std::string DroppedFile(const QMimeData& mime);

class FileDrop : public QObject {
public:
    // Accepts drops on window and on each of its edit boxes; load gets the file.
    FileDrop(QWidget& window, std::function<void(const std::string& fileName)> load);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const std::string&)> load_;
};

}  // namespace ui
