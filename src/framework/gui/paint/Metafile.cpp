#include "framework/gui/paint/Metafile.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/FileReplacement.h"

namespace fw {

void SavePictureFile(const std::string& fileName, const QByteArray& data) {
    try {
        ReplaceFileWith(fileName, std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    } catch (const FileSaveError&) {
        throw Exception("Cannot create file \"" + fileName + "\"");
    }
}

TMetafile::TMetafile(int32_t width, int32_t height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), canvas_(std::make_unique<TCanvas>()) {
    picture_.setBoundingRect(QRect(0, 0, width_, height_));
    recorder_.begin(&picture_);
    canvas_->Surface().BindPainter(&recorder_);
}

TMetafile::~TMetafile() { EndRecording(); }

void TMetafile::EndRecording() {
    if (!recorder_.isActive()) return;
    canvas_->Surface().Unbind();
    recorder_.end();
}

QByteArray TMetafile::SvgData() {
    EndRecording();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // At the picture's own resolution the drawing is replayed one to one.
    svg.setResolution(picture_.logicalDpiX());
    svg.setSize(QSize(width_, height_));
    svg.setViewBox(QRect(0, 0, width_, height_));
    QPainter painter(&svg);
    painter.drawPicture(0, 0, picture_);
    painter.end();
    return data;
}

void TMetafile::SaveToSvgFile(const std::string& fileName) { SavePictureFile(fileName, SvgData()); }

QByteArray TMetafile::PdfData(const QByteArray& xmpMetadata) {
    EndRecording();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    // One page the size of the drawing, at the picture's own resolution so
    // that it is replayed one to one.
    const int dpi = picture_.logicalDpiX();
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(dpi);
        pdf.setPageSize(QPageSize(QSizeF(width_ * 72.0 / dpi, height_ * 72.0 / dpi), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (!xmpMetadata.isEmpty()) pdf.setDocumentXmpMetadata(xmpMetadata);
        QPainter painter(&pdf);
        painter.drawPicture(0, 0, picture_);
    }
    return data;
}

void TMetafile::SaveToPdfFile(const std::string& fileName) { SavePictureFile(fileName, PdfData()); }

void TMetafile::CopyToClipboard() {
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), SvgData());
    QGuiApplication::clipboard()->setMimeData(mime);
}

void TMetafile::SaveToFile(const std::string& fileName) {
    if (enhanced_)
        SaveToPdfFile(fileName);
    else
        SaveToSvgFile(fileName);
}

}  // namespace fw
