// The program: one window, run until the user closes it; nothing is saved.

#include <clocale>
#include <exception>

#include <QApplication>
#include <QScreen>

#include "framework/core/FormatSettings.h"
#include "framework/gui/window/EventDispatch.h"
#include "framework/gui/window/QtDialogService.h"
#include "ui/Unit1.h"

int main(int argc, char* argv[]) {
    // Numbers shown to the user follow the user's regional settings.
    std::setlocale(LC_ALL, "");
    QApplication application(argc, argv);
    fw::QtDialogService dialogs;
    try {
        fw::DefaultFormatSettings() = fw::FormatSettings::FromUserLocale();
        ui::TForm1 form1(dialogs);
        form1.show();
        // The stored size is the one preferred; a smaller screen, or a large
        // scale, gets a window that fits it, frame and all.
        const QSize frame = form1.frameGeometry().size() - form1.size();
        form1.resize(form1.size().boundedTo(form1.screen()->availableGeometry().size() - frame));
        QApplication::exec();
    } catch (...) {
        // An error escaping start-up or shut-down is shown like a handler's.
        fw::ShowError(dialogs, std::current_exception());
    }
    return 0;
}
