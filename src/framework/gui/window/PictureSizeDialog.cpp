#include "framework/gui/window/PictureSizeDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QSpinBox>

namespace fw {

std::optional<PictureSizeChoice> RunPictureSizeDialog(QWidget* parent, int32_t windowWidth, int32_t windowHeight) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("PictureSizeDialog"));
    dialog.setWindowTitle(QStringLiteral("Picture Size"));
    auto* window =
        new QRadioButton(QStringLiteral("The window's size (%1 × %2 pixels)").arg(windowWidth).arg(windowHeight));
    auto* pixels = new QRadioButton(QStringLiteral("Width in pixels:"));
    auto* print = new QRadioButton(QStringLiteral("Print width in cm at %1 dpi:").arg(kPrintDotsPerInch));
    window->setObjectName(QStringLiteral("WindowSize"));
    pixels->setObjectName(QStringLiteral("PixelWidth"));
    print->setObjectName(QStringLiteral("PrintWidth"));
    window->setChecked(true);
    auto* pixelWidth = new QSpinBox;
    pixelWidth->setObjectName(QStringLiteral("PixelWidthBox"));
    pixelWidth->setRange(16, kLargestPictureSide);
    pixelWidth->setValue(std::min(3 * windowWidth, kLargestPictureSide));
    auto* printWidth = new QDoubleSpinBox;
    printWidth->setObjectName(QStringLiteral("PrintWidthBox"));
    printWidth->setRange(1, kLargestPictureSide * 2.54 / kPrintDotsPerInch);
    printWidth->setDecimals(1);
    printWidth->setValue(17.0);  // a page's width inside its margins
    // Typing a number picks its line.
    QObject::connect(pixelWidth, &QSpinBox::valueChanged, pixels, [pixels] { pixels->setChecked(true); });
    QObject::connect(printWidth, &QDoubleSpinBox::valueChanged, print, [print] { print->setChecked(true); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* grid = new QGridLayout(&dialog);
    grid->addWidget(window, 0, 0, 1, 2);
    grid->addWidget(pixels, 1, 0);
    grid->addWidget(pixelWidth, 1, 1);
    grid->addWidget(print, 2, 0);
    grid->addWidget(printWidth, 2, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (pixels->isChecked()) return PictureSizeChoice{PictureSizeKind::PixelWidth, double(pixelWidth->value())};
    if (print->isChecked()) return PictureSizeChoice{PictureSizeKind::PrintWidth, printWidth->value()};
    return PictureSizeChoice{};
}

}  // namespace fw
