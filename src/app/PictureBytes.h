#pragma once
// A picture's file bytes in one of the picture formats, carrying a recipe
// text (recipe/PictureRecipe.h): the one way the window's export and the
// batch's --plot write a picture, so that both read back alike.

#include <functional>
#include <memory>
#include <string>

#include <QByteArray>
#include <QImage>

#include "app/PictureFormat.h"
#include "framework/gui/paint/Metafile.h"

namespace app {

// PNG of image(), SVG or PDF of drawing(pdf), with the recipe inside unless
// it is "".
QByteArray PictureBytes(PictureFormat format, const std::string& recipe, const std::function<QImage()>& image,
                        const std::function<std::unique_ptr<fw::TMetafile>(bool pdf)>& drawing);

}  // namespace app
