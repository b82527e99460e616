#pragma once
// Off-screen stand-ins for the window system in the drawing benchmarks: a
// chart's window played by an image, and the GUI application they need.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdint>

#include "framework/gui/paint/Canvas.h"
#include "framework/gui/window/HostedControl.h"

namespace bench {

// The window played by an image: repaint requests are counted and served on
// demand, as the window system would after the event.
class ImageHost : public fw::IControlHost {
public:
    ImageHost(int32_t width, int32_t height) : window_(width, height, QImage::Format_RGB32) {
        canvas_.Surface().BindImage(&window_);
    }
    ~ImageHost() {
        canvas_.Surface().Unbind();
        if (control_) control_->HostDestroyed();
    }
    void SetControl(fw::IHostedControl* control) override { control_ = control; }
    void InvalidateControl() override {
        pending_ = true;
        ++requests;
    }
    void RepaintControl() override {
        ++requests;
        Paint();
    }
    fw::TPoint ClientSize() const override { return {window_.width(), window_.height()}; }
    fw::TCanvas& WindowCanvas() override { return canvas_; }
    // What the user sees is the image with everything drawn on it so far.
    void UpdateWindow() override { canvas_.Surface().Flush(); }
    fw::TCursor Cursor() const override { return cursor_; }
    void SetCursor(fw::TCursor cursor) override { cursor_ = cursor; }

    void Paint() {
        pending_ = false;
        if (control_) control_->HostPaint();
        canvas_.Surface().Flush();
    }
    // The paint a pending request leads to.
    void PaintPending() {
        if (pending_) Paint();
    }
    int64_t requests = 0;

private:
    QImage window_;
    fw::TCanvas canvas_;
    fw::IHostedControl* control_ = nullptr;
    fw::TCursor cursor_ = fw::crDefault;
    bool pending_ = false;
};

// The benchmark program's main: Qt's painting needs a GUI application.
inline int RunGuiBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
