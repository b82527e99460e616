#include "framework/gui/paint/Metafile.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
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
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      outputWidth_(width_),
      outputHeight_(height_),
      canvas_(std::make_unique<TCanvas>()) {
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

void TMetafile::SetOutputSize(int32_t width, int32_t height, double millimetres) {
    outputWidth_ = std::max(width, 1);
    outputHeight_ = std::max(height, 1);
    millimetres_ = millimetres;
}

QImage TMetafile::Image(int32_t width, int32_t height) {
    EndRecording();
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(static_cast<double>(image.width()) / width_, static_cast<double>(image.height()) / height_);
    painter.drawPicture(0, 0, picture_);
    return image;
}

QByteArray TMetafile::SvgData() {
    EndRecording();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        // At the picture's own resolution the drawing is replayed one to one,
        // in the view box's units; the size says how large the box shows.
        svg.setResolution(picture_.logicalDpiX());
        svg.setSize(QSize(outputWidth_, outputHeight_));
        svg.setViewBox(QRect(0, 0, width_, height_));
        QPainter painter(&svg);
        painter.drawPicture(0, 0, picture_);
    }
    if (millimetres_ > 0) {
        // The generator states the size in whole pixels; a print width is
        // stated as it was asked for.
        const QString mm = QStringLiteral("width=\"%1mm\" height=\"%2mm\"")
                               .arg(millimetres_, 0, 'g', 12)
                               .arg(millimetres_ * height_ / width_, 0, 'g', 12);
        QString text = QString::fromUtf8(data);
        text.replace(QRegularExpression(QStringLiteral("width=\"[0-9.]+mm\" height=\"[0-9.]+mm\"")), mm);
        data = text.toUtf8();
    }
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
        pdf.setPageSize(
            millimetres_ > 0
                ? QPageSize(QSizeF(millimetres_, millimetres_ * height_ / width_), QPageSize::Millimeter)
                : QPageSize(QSizeF(outputWidth_ * 72.0 / dpi, outputHeight_ * 72.0 / dpi), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (!xmpMetadata.isEmpty()) pdf.setDocumentXmpMetadata(xmpMetadata);
        QPainter painter(&pdf);
        if (millimetres_ > 0 || outputWidth_ != width_ || outputHeight_ != height_) {
            painter.scale(static_cast<double>(pdf.width()) / width_, static_cast<double>(pdf.height()) / height_);
        }
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
