#include "framework/gui/window/ApplicationTitle.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

namespace fw {

std::string ApplicationTitleFromProgramPath(const std::string& programPath) {
    // Through QString so that case changes handle every character, not just ASCII.
    QString name = QFile::decodeName(QByteArray::fromStdString(programPath));
    name = name.mid(name.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0) {
        name.truncate(dot);
    }
    if (!name.isEmpty()) {
        name = name.left(1) + name.mid(1).toLower();
    }
    return name.toStdString();
}

std::string ApplicationTitle() {
    return ApplicationTitleFromProgramPath(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
}

}  // namespace fw
