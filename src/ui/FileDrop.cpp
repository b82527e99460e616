#include "ui/FileDrop.h"

#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace ui {

std::string DroppedFile(const QMimeData& mime) {
    if (!mime.hasUrls()) {
        return "";
    }
    const QList<QUrl> urls = mime.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) {
        return "";
    }
    return QFile::encodeName(urls.first().toLocalFile()).toStdString();
}

FileDrop::FileDrop(QWidget& window, std::function<void(const std::string&)> load)
    : QObject(&window), load_(std::move(load)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
        edit->installEventFilter(this);
    }
}

bool FileDrop::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFile(*drag->mimeData()).empty()) {
            return false;
        }
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::string fileName = DroppedFile(*drop->mimeData());
        if (fileName.empty()) {
            return false;
        }
        drop->acceptProposedAction();
        QMetaObject::invokeMethod(
            this, [this, fileName] { load_(fileName); }, Qt::QueuedConnection);
        return true;
    }
    default: return false;
    }
}

}  // namespace ui
