#include "ui/ImportDialog.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "framework/core/ShortestText.h"
#include "framework/core/Exceptions.h"
#include "import/GridExtension.h"
#include "ui/LoadProgress.h"

namespace ui {
namespace {

using importer::Delimiter;
using importer::SourceKind;

constexpr Delimiter kDelimiters[] = {Delimiter::Comma, Delimiter::Semicolon, Delimiter::Tab, Delimiter::Blanks};

QComboBox* NewList(const char* name, std::initializer_list<const char*> items) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(name));
    for (const char* item : items) list->addItem(QString::fromUtf8(item));
    return list;
}

std::string DelimiterName(Delimiter delimiter) {
    switch (delimiter) {
    case Delimiter::Comma: return "comma";
    case Delimiter::Semicolon: return "semicolon";
    case Delimiter::Tab: return "tab";
    case Delimiter::Blanks: return "blanks";
    }
    return {};
}

// The shortest text that reads back to the value, as saved files hold it.
std::string Plural(int64_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
    return text;
}

// "3 × 1000", or "1000" for one axis.
std::string ShapeText(const std::vector<int64_t>& shape) {
    std::vector<std::string> sizes;
    for (int64_t size : shape) sizes.push_back(std::to_string(size));
    return Joined(sizes, " × ");
}

bool Matrix(const std::vector<int64_t>& shape) { return shape.size() == 2 && shape[0] > 1 && shape[1] > 1; }

// "a or b" of two grids next to each other, "a to b" of grids further apart.
std::string Either(int32_t a, int32_t b, int32_t levelsApart) {
    if (levelsApart == 0) return std::to_string(a);
    return std::to_string(a) + (levelsApart == 1 ? " or " : " to ") + std::to_string(b);
}

// "n = 12 samples on a grid of N = 17 (J = 4)"; an estimate gives its range
// and every grid in it: "About n = 15900000 to 17100000 samples on a grid of
// N = 16777217 or 33554433 (J = 24 or 25)". Throws the grid's fw::Exception
// beyond the largest signal.
std::string CountText(const importer::ImportPreview& preview) {
    const analysis::SignalSize low = importer::GridFor(std::max<int64_t>(preview.least, 1));
    const analysis::SignalSize high = importer::GridFor(preview.most);
    const int32_t apart = high.J - low.J;
    const std::string n = preview.least == preview.most
                              ? Plural(preview.n, "sample", "samples")
                              : std::to_string(preview.least) + " to " + std::to_string(preview.most) + " samples";
    return (preview.estimated ? "About n = " : "n = ") + n + " on a grid of N = " + Either(low.N, high.N, apart) +
           " (J = " + Either(low.J, high.J, apart) + ")";
}

}  // namespace

std::string ExtensionWords(importer::Extension extension) {
    switch (extension) {
    case importer::Extension::Reflect: return "reflection at the end";
    case importer::Extension::Repeat: return "repeating the last value";
    case importer::Extension::Zero: return "zeros";
    }
    return {};
}

ImportDialog::ImportDialog(QWidget& parent, std::string fileName) : QDialog(&parent), fileName_(std::move(fileName)) {
    setObjectName(QStringLiteral("ImportDialog"));
    setWindowTitle(QString::fromStdString("Import " + std::filesystem::path(fileName_).filename().string()));
    kind_ = NewList("ImportKind", {"Text table", "Audio", "MATLAB", "NumPy"});
    kind_->setCurrentIndex(static_cast<int>(importer::SourceKindOfFile(fileName_).value_or(SourceKind::Text)));
    delimiter_ = NewList("ImportDelimiter", {"Found", "Comma", "Semicolon", "Tab", "Blanks"});
    decimal_ = NewList("ImportDecimal", {"Found", "Point", "Comma"});
    skip_ = new QSpinBox;
    skip_->setObjectName(QStringLiteral("ImportSkipLines"));
    skip_->setRange(-1, 1'000'000);
    skip_->setValue(-1);
    rowsAsSeries_ = new QCheckBox(QStringLiteral("One series, line by line, left to right"));
    rowsAsSeries_->setObjectName(QStringLiteral("ImportRowsAsSeries"));
    columnBox_ = NewList("ImportColumn", {});
    channel_ = NewList("ImportChannel", {});
    variableBox_ = NewList("ImportVariable", {});
    // After "Found", importer::ArrayAxis in its order; importer::Gaps in its order.
    axis_ = NewList("ImportAxis", {"Found", "Each column", "Each row"});
    gaps_ = NewList("ImportGaps", {"Refuse", "Fill (a line between the values around)", "Drop"});
    extension_ = NewList("ImportExtension", {"Reflection at the end", "Repeating the last value", "Zeros"});
    form_ = new QFormLayout;
    form_->addRow(QStringLiteral("File kind:"), kind_);
    form_->addRow(QStringLiteral("Delimiter:"), delimiter_);
    form_->addRow(QStringLiteral("Decimal separator:"), decimal_);
    form_->addRow(QStringLiteral("Lines before the data:"), skip_);
    form_->addRow(QStringLiteral("Rows:"), rowsAsSeries_);
    form_->addRow(QStringLiteral("Variable:"), variableBox_);
    form_->addRow(QStringLiteral("Signals:"), axis_);
    form_->addRow(QStringLiteral("Column:"), columnBox_);
    form_->addRow(QStringLiteral("Channel:"), channel_);
    form_->addRow(QStringLiteral("Gaps:"), gaps_);
    form_->addRow(QStringLiteral("Extension to the grid:"), extension_);
    lines_ = new QPlainTextEdit;
    lines_->setObjectName(QStringLiteral("ImportLines"));
    lines_->setReadOnly(true);
    lines_->setLineWrapMode(QPlainTextEdit::NoWrap);
    lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    table_ = new QTableWidget;
    table_->setObjectName(QStringLiteral("ImportTable"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("ImportSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("ImportButtons"));
    import_ = buttons->button(QDialogButtonBox::Ok);
    import_->setText(QStringLiteral("Import"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    linesTitle_ = new QLabel(QStringLiteral("The first lines as they are:"));
    layout->addWidget(linesTitle_);
    layout->addWidget(lines_);
    layout->addWidget(new QLabel(QStringLiteral("As read:")));
    layout->addWidget(table_);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(560, 600);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A pick by the user previews again; lists filled from code stay silent.
    connect(kind_, &QComboBox::activated, this, [this] {
        column_.clear();
        variable_.clear();
        Refresh();
    });
    for (QComboBox* list : {delimiter_, decimal_, channel_, gaps_})
        connect(list, &QComboBox::activated, this, [this] { Refresh(); });
    // A column or row picked means another one once the reading changes.
    connect(axis_, &QComboBox::activated, this, [this] {
        column_.clear();
        Refresh();
    });
    connect(rowsAsSeries_, &QCheckBox::toggled, this, [this] {
        column_.clear();
        Refresh();
    });
    connect(skip_, &QSpinBox::valueChanged, this, [this] { Refresh(); });
    connect(columnBox_, &QComboBox::activated, this, [this](int index) {
        column_ = columnBox_->itemData(index).toString().toStdString();
        Refresh();
    });
    connect(variableBox_, &QComboBox::activated, this, [this](int index) {
        variable_ = variableBox_->itemData(index).toString().toStdString();
        column_.clear();
        Refresh();
    });
    connect(extension_, &QComboBox::activated, this, [this] { ShowSummary(); });
    Refresh();
}

importer::ImportChoices ImportDialog::Choices() const {
    importer::ImportChoices choices;
    choices.kind = static_cast<SourceKind>(kind_->currentIndex());
    if (delimiter_->currentIndex() > 0) choices.text.delimiter = kDelimiters[delimiter_->currentIndex() - 1];
    if (decimal_->currentIndex() > 0) choices.text.decimalComma = decimal_->currentIndex() == 2;
    if (skip_->value() >= 0) choices.text.skipLines = skip_->value();
    choices.text.column = column_;
    choices.text.rowsAsSeries = rowsAsSeries_->isChecked();
    if (axis_->currentIndex() > 0) choices.axis = static_cast<importer::ArrayAxis>(axis_->currentIndex() - 1);
    choices.gaps = static_cast<importer::Gaps>(gaps_->currentIndex());
    // The first item is the mean of all channels, which of a mono file is its channel.
    if (channel_->currentIndex() > 0) choices.channel = std::to_string(channel_->currentIndex());
    choices.variable = variable_;
    choices.extension = static_cast<importer::Extension>(extension_->currentIndex());
    return choices;
}

std::optional<importer::ImportedSignal> ImportDialog::TakeSignal() {
    std::optional<importer::ImportedSignal> signal = std::move(preview_.signal);
    preview_.signal.reset();
    return signal;
}

void ImportDialog::Refresh() {
    {
        const BusyCursor busy;
        preview_ = importer::PreviewImport(fileName_, Choices());
    }
    import_->setEnabled(preview_.error.empty());
    ShowChoices();
    ShowSample();
    ShowSummary();
}

void ImportDialog::ShowChoices() {
    const SourceKind kind = preview_.kind;
    const bool text = kind == SourceKind::Text;
    for (QWidget* row :
         {static_cast<QWidget*>(delimiter_), static_cast<QWidget*>(decimal_), static_cast<QWidget*>(skip_)})
        form_->setRowVisible(row, text);
    form_->setRowVisible(channel_, kind == SourceKind::Audio);
    form_->setRowVisible(variableBox_, kind == SourceKind::Mat);
    form_->setRowVisible(rowsAsSeries_, text);
    form_->setRowVisible(axis_, !text && Matrix(preview_.shape));
    form_->setRowVisible(columnBox_, preview_.columns > 1);
    const bool rows = !text && preview_.axis == importer::ArrayAxis::Rows;
    static_cast<QLabel*>(form_->labelForField(columnBox_))
        ->setText(QString::fromLatin1(text && rowsAsSeries_->isChecked() ? "From column:"
                                      : rows                             ? "Row:"
                                                                         : "Column:"));
    axis_->setItemText(0, QString::fromLatin1(rows ? "Found: each row" : "Found: each column"));
    const importer::TextDialect& found = preview_.layout.dialect;
    delimiter_->setItemText(0, QString::fromStdString("Found: " + DelimiterName(found.delimiter)));
    decimal_->setItemText(0, QString::fromStdString(found.decimalComma ? "Found: comma" : "Found: point"));
    skip_->setSpecialValueText(QString::fromStdString("Found: " + std::to_string(found.skipLines)));

    const QSignalBlocker columnsQuiet(columnBox_);
    columnBox_->clear();
    for (int32_t column = 1; column <= preview_.columns; ++column) {
        const auto named = static_cast<std::size_t>(column - 1) < preview_.columnNames.size();
        const std::string name = named ? preview_.columnNames[static_cast<std::size_t>(column - 1)] : "";
        columnBox_->addItem(QString::fromStdString(std::to_string(column) + (name.empty() ? "" : ": " + name)),
                            QString::number(column));
    }
    // A table's column as the preview found it; an array's as chosen, else the last.
    const int32_t column = preview_.column > 0 ? preview_.column
                           : column_.empty()   ? preview_.columns
                                               : std::atoi(column_.c_str());
    columnBox_->setCurrentIndex(column - 1);

    const QSignalBlocker channelsQuiet(channel_);
    const int channel = std::max(channel_->currentIndex(), 0);
    channel_->clear();
    channel_->addItem(QStringLiteral("Mean of all channels"));
    for (int32_t c = 1; c <= preview_.audio.channels; ++c) channel_->addItem(QString::number(c));
    channel_->setCurrentIndex(std::min(channel, channel_->count() - 1));

    const QSignalBlocker variablesQuiet(variableBox_);
    variableBox_->clear();
    for (const importer::MatVariable& v : preview_.variables) {
        variableBox_->addItem(QString::fromStdString(v.name + " (" + std::to_string(v.rows) + " × " +
                                                     std::to_string(v.columns) + " " + v.type + ")"),
                              QString::fromStdString(v.name));
    }
    variableBox_->setCurrentIndex(variableBox_->findData(QString::fromStdString(preview_.variable)));
}

void ImportDialog::ShowSample() {
    const bool text = preview_.kind == SourceKind::Text;
    const bool series = rowsAsSeries_->isChecked();
    linesTitle_->setVisible(text);
    lines_->setVisible(text);
    lines_->setPlainText(QString::fromStdString(Joined(preview_.lines, "\n")));
    table_->clear();
    if (text) {
        std::size_t fields = 0;
        for (const auto& record : preview_.records) fields = std::max(fields, record.size());
        table_->setRowCount(static_cast<int>(preview_.records.size()));
        table_->setColumnCount(static_cast<int>(fields));
        QStringList headers;
        for (std::size_t field = 0; field < fields; ++field) {
            const bool named = field < preview_.columnNames.size() && !preview_.columnNames[field].empty();
            headers << QString::number(field + 1) +
                           (named ? ": " + QString::fromStdString(preview_.columnNames[field]) : "");
        }
        table_->setHorizontalHeaderLabels(headers);
        for (std::size_t row = 0; row < preview_.records.size(); ++row) {
            const bool data = static_cast<int32_t>(row) >= preview_.layout.dialect.skipLines;
            for (std::size_t field = 0; field < preview_.records[row].size(); ++field) {
                auto* item = new QTableWidgetItem(QString::fromStdString(preview_.records[row][field]));
                // What is read stands out: the chosen column of the data
                // lines, or the columns from it on of rows read as a series.
                const auto column = static_cast<int32_t>(field) + 1;
                const bool read = column == preview_.column || (series && column > preview_.column);
                if (!data || !read) item->setForeground(Qt::gray);
                table_->setItem(static_cast<int>(row), static_cast<int>(field), item);
            }
        }
        return;
    }
    table_->setRowCount(static_cast<int>(preview_.firstValues.size()));
    table_->setColumnCount(1);
    table_->setHorizontalHeaderLabels({QStringLiteral("value")});
    for (std::size_t row = 0; row < preview_.firstValues.size(); ++row) {
        table_->setItem(static_cast<int>(row), 0,
                        new QTableWidgetItem(QString::fromStdString(fw::ShortestText(preview_.firstValues[row]))));
    }
}

void ImportDialog::ShowSummary() {
    std::vector<std::string> lines;
    const importer::TextDialect& dialect = preview_.layout.dialect;
    switch (preview_.kind) {
    case SourceKind::Text:
        lines.push_back("Delimiter " + DelimiterName(dialect.delimiter) + ", decimal " +
                        (dialect.decimalComma ? "comma" : "point") + ", " + Plural(dialect.skipLines, "line", "lines") +
                        " before the data");
        break;
    case SourceKind::Audio: {
        const importer::AudioInfo& audio = preview_.audio;
        char seconds[32] = "";
        if (audio.sampleRate > 0) {
            std::snprintf(seconds, sizeof seconds, ", %.3f s",
                          static_cast<double>(audio.frames) / static_cast<double>(audio.sampleRate));
        }
        lines.push_back(Plural(audio.channels, "channel", "channels") + ", " + std::to_string(audio.sampleRate) +
                        " Hz" + seconds);
        break;
    }
    case SourceKind::Mat:
        if (!preview_.variable.empty()) {
            lines.push_back("Variable \"" + preview_.variable + "\" of " + preview_.type + ", " +
                            ShapeText(preview_.shape));
        }
        break;
    case SourceKind::Npy:
        if (!preview_.type.empty())
            lines.push_back("Array of type " + preview_.type + ", " + ShapeText(preview_.shape));
        break;
    }
    if (!preview_.error.empty()) {
        lines.push_back(preview_.error);
    } else if (preview_.n > 0) {
        try {
            std::string count = CountText(preview_);
            const auto extension = static_cast<importer::Extension>(extension_->currentIndex());
            const int32_t N = importer::GridFor(preview_.most).N;
            if (N > preview_.least) count += ", extended by " + ExtensionWords(extension);
            if (!preview_.estimated && N > preview_.n)
                count += " (" + Plural(N - preview_.n, "sample", "samples") + ")";
            lines.push_back(count);
        } catch (const fw::Exception& error) {
            lines.push_back(error.Message());
        }
        if (preview_.signal && preview_.signal->gaps > 0) {
            const bool dropped = preview_.signal->gapsResolved == importer::Gaps::Drop;
            lines.push_back(Plural(preview_.signal->gaps, "gap", "gaps") + (dropped ? " dropped" : " filled"));
        }
        std::vector<std::string> values;
        for (double value : preview_.firstValues) values.push_back(fw::ShortestText(value));
        lines.push_back("First values: " + Joined(values, ", "));
    }
    summary_->setText(QString::fromStdString(Joined(lines, "\n")));
}

}  // namespace ui
