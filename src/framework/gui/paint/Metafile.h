#pragma once
// The framework metafile: a vector drawing of a fixed size recorded through a
// canvas and written out in this platform's vector formats, SVG or PDF, or
// put on the clipboard as SVG.

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <memory>
#include <string>

#include "framework/gui/paint/Canvas.h"

namespace fw {

class TMetafile {
public:
    // Sizes below 1 are taken as 1.
    TMetafile(int32_t width, int32_t height);
    ~TMetafile();
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // An enhanced metafile is saved as PDF, a plain one as SVG.
    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool value) { enhanced_ = value; }

    // The canvas that records into the metafile; recording ends with the
    // first write or EndRecording.
    TCanvas& Canvas() { return *canvas_; }
    void EndRecording();

    // The drawing is written width x height pixels at its resolution,
    // scaled from its own size, or `millimetres` wide when above 0 (its
    // proportions kept); by default at its own size.
    void SetOutputSize(int32_t width, int32_t height, double millimetres = 0);
    // The drawing scaled to a width x height image on white.
    QImage Image(int32_t width, int32_t height);

    // The drawing as an SVG document.
    QByteArray SvgData();
    // The drawing as a one-page PDF document.
    // xmpMetadata: the document metadata packet to carry, none when empty.
    QByteArray PdfData(const QByteArray& xmpMetadata = {});
    // Write failures throw fw::Exception naming the file.
    void SaveToSvgFile(const std::string& fileName);
    void SaveToPdfFile(const std::string& fileName);
    // In the format Enhanced says.
    void SaveToFile(const std::string& fileName);
    void CopyToClipboard();

private:
    int32_t width_;
    int32_t height_;
    bool enhanced_ = false;
    int32_t outputWidth_;
    int32_t outputHeight_;
    double millimetres_ = 0;
    QPicture picture_;
    QPainter recorder_;
    std::unique_ptr<TCanvas> canvas_;
};

// Writes a picture's bytes to fileName whole or not at all, through a link to
// the file it points to (FileReplacement.h); throws Exception "Cannot create
// file "<name>"" when it cannot.
void SavePictureFile(const std::string& fileName, const QByteArray& data);

}  // namespace fw
