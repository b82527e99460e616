#pragma once
// A shown main window with scripted dialogs, and the user's gestures on it.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <numbers>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "framework/core/ShortestText.h"
#include "ui/Unit1.h"

// The test program is test_ui, so its application title is this.
inline constexpr const char* kTestTitle = "test_ui";

// A signal with a smooth part and a pseudo-random part, so that every level
// holds coefficients both below and above a threshold of 10.
inline std::vector<double> TestSignal(int count) {
    std::vector<double> values;
    uint32_t state = 12345;
    for (int i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(state >> 8) / double(1u << 24) - 0.5) * 60.0;
        values.push_back(100.0 * std::sin(2.0 * std::numbers::pi * i / 128.0) + noise);
    }
    return values;
}

// Writes values with "." as the decimal point, one per line.
inline void WriteSampleFile(const std::string& path, const std::vector<double>& values) {
    std::ofstream out(path);
    for (double value : values) {
        out << fw::ShortestText(value) << '\n';
    }
}

// What a load could change in the window.
struct WindowState {
    std::vector<double> signal, reconstruction, view;
    std::string count, mean;
    std::vector<std::string> levels, views;
    bool decompose, threshold, reconstruct;
    bool operator==(const WindowState&) const = default;
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        form = std::make_unique<ui::TForm1>(dialogs);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T>
    T& Control(const char* name) {
        T* control = form->findChild<T*>(name);
        if (control == nullptr) {
            ADD_FAILURE() << "no control " << name;
            throw std::runtime_error(name);
        }
        return *control;
    }
    QPushButton& Button(const char* name) { return Control<QPushButton>(name); }
    QLineEdit& Edit(const char* name) { return Control<QLineEdit>(name); }
    QComboBox& List(const char* name) { return Control<QComboBox>(name); }

    std::string SamplePath(const char* name, int count) {
        const std::string path = folder.filePath(name).toStdString();
        WriteSampleFile(path, TestSignal(count));
        return path;
    }

    void Click(const char* button) { QTest::mouseClick(&Button(button), Qt::LeftButton); }

    void TypeInto(const char* edit, const QString& text) {
        QLineEdit& box = Edit(edit);
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClicks(&box, text);
    }

    // Types text into a table cell through its editor and presses Return;
    // false when no editor opened.
    static bool TypeIntoCell(QTableWidget& table, int row, int column, const QString& text) {
        QTableWidgetItem* cell = table.item(row, column);
        table.setCurrentItem(cell);
        table.editItem(cell);
        QLineEdit* editor = nullptr;
        for (QLineEdit* open : table.viewport()->findChildren<QLineEdit*>()) {
            if (open->isVisible()) editor = open;
        }
        if (editor == nullptr) return false;
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the editor commits after the key
        return true;
    }

    // The sample buffer.
    std::vector<double> Buffer() const {
        const analysis::DyadicSignal& samples = *form->Session().Samples();
        return {samples.Data(), samples.Data() + samples.N()};
    }

    // The user opens the list, moves to the item and confirms it.
    void PickItem(const char* list, int index) {
        QComboBox& combo = List(list);
        combo.showPopup();
        QAbstractItemView* view = combo.view();
        view->setCurrentIndex(view->model()->index(index, 0));
        QTest::keyClick(view, Qt::Key_Return);
    }

    // Loads the 513-sample signal through the Load button and the dialog.
    void LoadSignal() {
        dialogs.AnswerOpenWith(SamplePath("signal.dat", 513));
        Click("BtnLoad");
    }

    // Loads path through the Load button with the progress dialog shown for
    // any file that is not empty; onDialog runs at each turn of the event
    // loop while the dialog is up.
    void LoadThroughDialog(const std::string& path, const std::function<void(QProgressDialog&)>& onDialog) {
        form->SetLoadDialogBytes(1);
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            QProgressDialog* dialog = form->findChild<QProgressDialog*>();
            if (dialog != nullptr && dialog->isVisible()) onDialog(*dialog);
        });
        watcher.start(0);
        dialogs.AnswerOpenWith(path);
        Click("BtnLoad");
    }

    // Load, decompose into levelIndex + 1 levels and view item viewIndex.
    void LoadDecomposeAndView(int levelIndex, int viewIndex) {
        LoadSignal();
        PickItem("CBLev", levelIndex);
        Click("BtnDecomp");
        PickItem("CB1", viewIndex);
    }

    // Chooses a menu item as the user would (it runs only while enabled).
    void Choose(ui::WindowCommand command) { form->Menu().Action(command).trigger(); }

    std::string PathIn(const QString& name) const { return folder.filePath(name).toStdString(); }

    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::vector<std::string> Items(const char* list) {
        std::vector<std::string> items;
        QComboBox& combo = List(list);
        for (int i = 0; i < combo.count(); ++i) {
            items.push_back(combo.itemText(i).toStdString());
        }
        return items;
    }

    // What the session plotted, read back from the chart series.
    class PlottedPoints {
    public:
        explicit PlottedPoints(const chart::TChartSeries& series) : series_(series) {}
        int Count() const { return series_.Count(); }
        std::vector<double> YValues() const {
            std::vector<double> values;
            for (int32_t i = 0; i < series_.Count(); ++i) {
                EXPECT_EQ(series_.XValues().Value(i), i) << "point " << i << " is not at the next X";
                values.push_back(series_.YValues().Value(i));
            }
            return values;
        }

    private:
        const chart::TChartSeries& series_;
    };

    WindowState State() {
        return {Series1().YValues(),
                Series2().YValues(),
                Series3().YValues(),
                Edit("EdtN").text().toStdString(),
                Edit("Edit1").text().toStdString(),
                Items("CBLev"),
                Items("CB1"),
                Button("BtnDecomp").isEnabled(),
                Button("BtnThresh").isEnabled(),
                Button("BtnReconstr").isEnabled()};
    }

    // The enabled state of every item of every menu, in menu order.
    std::vector<bool> MenuStates() {
        std::vector<bool> states;
        for (QAction* entry : form->menuBar()->actions()) {
            for (QAction* action : entry->menu()->actions()) states.push_back(action->isEnabled());
        }
        return states;
    }

    // The window's picture of a chart area after pending repaints.
    QImage ChartPicture(const char* name) {
        QApplication::processEvents();
        return Control<QWidget>(name).grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The window's charts, to drive and inspect them as the user's gestures
    // and the session leave them.
    app::ProgramCharts& Charts() { return const_cast<app::ProgramCharts&>(form->Charts()); }

    PlottedPoints Series1() const { return PlottedPoints(form->Charts().Series1().Series()); }
    PlottedPoints Series2() const { return PlottedPoints(form->Charts().Series2().Series()); }
    PlottedPoints Series3() const { return PlottedPoints(form->Charts().Series3().Series()); }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::unique_ptr<ui::TForm1> form;
};
