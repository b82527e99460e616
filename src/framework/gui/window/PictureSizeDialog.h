#pragma once
// The dialog that asks how large an exported picture is drawn.

#include <optional>

#include "framework/gui/window/PictureSize.h"

class QWidget;

namespace fw {

// Modal over parent; the window's size is offered first and shown in pixels.
std::optional<PictureSizeChoice> RunPictureSizeDialog(QWidget* parent, int32_t windowWidth, int32_t windowHeight);

}  // namespace fw
