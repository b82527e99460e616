#pragma once
// --plot: each result drawn by the program's own charts into one picture file,
// as the window would show it after the same steps with the chosen level
// viewed. No display is needed: without a GUI application one is started,
// on the offscreen platform unless QT_QPA_PLATFORM names another.

#include <cstdint>
#include <memory>
#include <string>

#include "app/PictureFormat.h"
#include "batch/BatchRun.h"

class QGuiApplication;

namespace batch {

class PlotPictureSink : public InputResultSink {
public:
    // The picture goes to fileName, or to output for "-"; level is the view
    // item the lower chart shows.
    PlotPictureSink(std::string fileName, app::PictureFormat format, int32_t level, int output);
    ~PlotPictureSink() override;
    PlotPictureSink(const PlotPictureSink&) = delete;
    PlotPictureSink& operator=(const PlotPictureSink&) = delete;

    // Throws fw::Exception when the picture cannot be written.
    void Take(const InputResult& result) override;

private:
    std::string fileName_;
    app::PictureFormat format_;
    int32_t level_;
    int output_;
    // The arguments a started application keeps referring to.
    int argc_ = 1;
    char name_[14] = "quelmar-batch";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace batch
