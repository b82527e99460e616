#pragma once
// Answers the next import dialog the window opens: act on its controls, then
// press Import (accept) or Cancel.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTimer>

#include <functional>

#include "ui/ImportDialog.h"

class ImportDialogAnswer {
public:
    ImportDialogAnswer(QWidget& window, bool accept, std::function<void(ui::ImportDialog&)> act = {}) {
        QObject::connect(&watcher_, &QTimer::timeout, [&window, accept, act, this] {
            auto* dialog = window.findChild<ui::ImportDialog*>();
            if (dialog == nullptr || !dialog->isVisible()) return;
            watcher_.stop();
            ++shown;
            if (act) act(*dialog);
            accept ? dialog->accept() : dialog->reject();
        });
        watcher_.start(0);
    }

    // The user picks item `index` of the dialog's list `name`.
    static void Pick(ui::ImportDialog& dialog, const char* name, int index) {
        auto* list = dialog.findChild<QComboBox*>(name);
        ASSERT_NE(list, nullptr) << name;
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    int shown = 0;

private:
    QTimer watcher_;
};
