#pragma once
// The import dialog: what a file other than a sample file will give, before
// anything changes. It shows the start of the file as it is and as the
// choices parse it, the choices (the kind; a table's delimiter, decimal
// separator, lines before the data, column and whether its rows are one
// series; an audio channel; a MATLAB variable; a matrix's shape, axis and
// column or row; the gaps; the extension to the grid), the count n, the grid
// size N and the first values, or why the import would fail, and Import
// only when it would not. Every change of a choice shows its preview at once.

#include <optional>
#include <string>

#include <QDialog>

#include "import/ImportPreview.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace ui {

// "reflection at the end", "repeating the last value", "zeros".
std::string ExtensionWords(importer::Extension extension);

class ImportDialog : public QDialog {
public:
    ImportDialog(QWidget& parent, std::string fileName);

    importer::ImportChoices Choices() const;
    const importer::ImportPreview& Preview() const { return preview_; }
    // The signal the preview read whole with Choices(), handed over once;
    // empty when the import has to read the file.
    std::optional<importer::ImportedSignal> TakeSignal();

private:
    // Previews the file with the choices, then shows it.
    void Refresh();
    void ShowChoices();
    void ShowSample();
    void ShowSummary();

    std::string fileName_;
    importer::ImportPreview preview_;
    // What the user picked; empty: as the preview finds it.
    std::string column_;
    std::string variable_;
    QFormLayout* form_;
    QComboBox* kind_;
    QComboBox* delimiter_;
    QComboBox* decimal_;
    QSpinBox* skip_;
    QCheckBox* rowsAsSeries_;
    QComboBox* columnBox_;
    QComboBox* channel_;
    QComboBox* variableBox_;
    QComboBox* axis_;
    QComboBox* gaps_;
    QComboBox* extension_;
    QPushButton* import_;
    QLabel* linesTitle_;
    QPlainTextEdit* lines_;
    QTableWidget* table_;
    QLabel* summary_;
};

}  // namespace ui
