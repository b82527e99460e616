#include "ui/DenoisePanel.h"

#include <algorithm>
#include <iterator>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/denoise/DenoiseNames.h"
#include "analysis/denoise/Thresholding.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"

namespace ui {
namespace {

using analysis::Shrink;
using analysis::ThresholdRule;

// In list order; Automatic, the last, chooses one of the first three.
constexpr ThresholdRule kRules[] = {ThresholdRule::Universal, ThresholdRule::Sure, ThresholdRule::Bayes,
                                    ThresholdRule::Fixed};
constexpr int kAutomatic = 4;
constexpr Shrink kShrinks[] = {Shrink::Hard, Shrink::Soft};

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Six significant digits: enough to tell the levels apart, short enough for
// the table; the thresholds applied are the doubles, not these texts.
QString Number(double value) { return Text(fw::FloatToStrF(value, fw::ffGeneral, 6, 0)); }

}  // namespace

DenoisePanel::DenoisePanel(QWidget& parent, std::function<void()> apply, std::function<double()> fixedThreshold,
                           std::function<void(analysis::Wavelet)> transformChanged)
    : QDockWidget(QStringLiteral("Denoise"), &parent), fixedThreshold_(std::move(fixedThreshold)) {
    setObjectName(QStringLiteral("DenoisePanel"));
    auto* body = new QWidget(this);
    auto* form = new QFormLayout;
    transform_ = new QComboBox(body);
    transform_->setObjectName(QStringLiteral("DenoiseTransform"));
    for (const analysis::Wavelet wavelet : analysis::kWavelets) {
        transform_->addItem(Text(std::string(analysis::WaveletCaption(wavelet))));
    }
    transform_->setToolTip(
        QStringLiteral("The transform Decompose uses: Linear (5/3) predicts each odd sample from its two "
                       "neighbours, Haar from its left one (for steps), Cubic from four (for smooth signals)"));
    rule_ = new QComboBox(body);
    rule_->setObjectName(QStringLiteral("DenoiseRule"));
    rule_->addItems({QStringLiteral("Universal"), QStringLiteral("SURE"), QStringLiteral("Bayes"),
                     QStringLiteral("Fixed"), QStringLiteral("Automatic")});
    rule_->setCurrentIndex(kAutomatic);
    rule_->setToolTip(
        QStringLiteral("How each level's threshold is chosen from that level's own noise; Fixed "
                       "takes the threshold box's number for every level; Automatic chooses the transform, "
                       "rule, shrinkage and Wiener stage by their estimated risk, as the batch's --auto"));
    shrink_ = new QComboBox(body);
    shrink_->setObjectName(QStringLiteral("DenoiseShrink"));
    shrink_->addItems({QStringLiteral("Hard"), QStringLiteral("Soft")});
    shrink_->setToolTip(
        QStringLiteral("Hard zeroes the coefficients not above the threshold; Soft also moves the "
                       "others towards zero by it"));
    shifts_ = new QSpinBox(body);
    shifts_->setObjectName(QStringLiteral("DenoiseShifts"));
    shifts_->setRange(1, analysis::kMaxShifts);
    shifts_->setValue(analysis::kAutoShifts);
    shifts_->setToolTip(
        QStringLiteral("Translation-invariant denoising: above 1, Reconstruct gives the average of this many "
                       "shifted copies of the signal, each denoised by the rule"));
    wiener_ = new QCheckBox(QStringLiteral("Wiener stage"), body);
    wiener_->setObjectName(QStringLiteral("DenoiseWiener"));
    wiener_->setToolTip(
        QStringLiteral("After the thresholding, scale each coefficient by the empirical Wiener gain the "
                       "thresholded result gives it"));
    form->addRow(QStringLiteral("Transform"), transform_);
    form->addRow(QStringLiteral("Rule"), rule_);
    form->addRow(QStringLiteral("Shrinkage"), shrink_);
    form->addRow(QStringLiteral("Shifts"), shifts_);
    form->addRow(QString(), wiener_);
    automatic_ = new QLabel(body);
    automatic_->setObjectName(QStringLiteral("DenoiseAutomatic"));
    automatic_->setWordWrap(true);

    levels_ = new QTableWidget(0, kColumns, body);
    levels_->setObjectName(QStringLiteral("DenoiseLevels"));
    levels_->setHorizontalHeaderLabels({QStringLiteral("Level"), QStringLiteral("Coefficients"), QStringLiteral("σ"),
                                        QStringLiteral("T"), QStringLiteral("Zeroed"), QStringLiteral("Energy kept")});
    levels_->verticalHeader()->setVisible(false);
    // Sized by FitColumns, never below what a row of long numbers needs.
    levels_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    levels_->horizontalHeader()->setStretchLastSection(false);
    const QFontMetrics metrics(levels_->font());
    const char* const widest[kColumns] = {"99", "16777216", "0.000123457", "0.000123457", "16777216", "100.0 %"};
    for (int c = 0; c < kColumns; ++c) leastWidths_[c] = metrics.horizontalAdvance(QString::fromLatin1(widest[c])) + 16;
    FitColumns();
    levels_->setToolTip(QStringLiteral("One row per detail level; type a threshold into T to fix that level's"));
    apply_ = new QPushButton(QStringLiteral("Apply to All Levels"), body);
    apply_->setObjectName(QStringLiteral("ApplyAllLevels"));
    apply_->setToolTip(QStringLiteral("Threshold every detail level with its row's T, as one step to undo"));
    apply_->setEnabled(false);

    auto* column = new QVBoxLayout(body);
    column->addLayout(form);
    column->addWidget(automatic_);
    column->addWidget(levels_);
    column->addWidget(apply_);
    setWidget(body);

    connect(transform_, &QComboBox::activated, this,
            [this, changed = std::move(transformChanged)](int index) { changed(analysis::kWavelets[index]); });
    connect(rule_, &QComboBox::activated, this, [this] { RuleChanged(); });
    const auto refresh = [this] {
        if (session_ != nullptr) Refresh(*session_);
    };
    connect(shrink_, &QComboBox::activated, this, refresh);
    connect(wiener_, &QCheckBox::toggled, this, refresh);
    connect(shifts_, &QSpinBox::valueChanged, this, refresh);
    connect(levels_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_ && item->column() == cThreshold) ThresholdEdited(item->row(), item->text());
    });
    // The text a row shows, committed unchanged, fixes the row too, though
    // the table reports no change for it. The panel's own delegate tells of
    // a commit before the table takes the text, so the editor still holds
    // what was typed.
    auto* delegate = new QStyledItemDelegate(levels_);
    connect(delegate, &QAbstractItemDelegate::commitData, this, [this](QWidget* editor) {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        const QTableWidgetItem* item = levels_->currentItem();
        if (!filling_ && line != nullptr && item != nullptr && item->column() == cThreshold &&
            line->text() == item->text() && !typed_.contains(item->row())) {
            ThresholdEdited(item->row(), item->text());
        }
    });
    levels_->setItemDelegate(delegate);
    connect(apply_, &QPushButton::clicked, this, [apply = std::move(apply)] { apply(); });
    // Shown, the panel fills its rows.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && session_ != nullptr) Refresh(*session_);
    });
}

analysis::DenoiseOptions DenoisePanel::Options() const {
    analysis::DenoiseOptions options;
    if (const analysis::AutoChoice* choice = AutomaticChoice()) {
        // The choice's own thresholds come from the decomposition Apply
        // works on, which may be made anew with the chosen transform; only
        // the rows typed go along.
        options = choice->options;
        for (const auto& [row, t] : typed_) {
            options.itemThresholds.resize(static_cast<std::size_t>(session_->Levels()) + 1);
            if (row < session_->Levels()) options.itemThresholds[static_cast<std::size_t>(row)] = t;
        }
        return options;
    }
    options.rule = kRules[std::clamp(rule_->currentIndex(), 0, 3)];
    options.shrink = kShrinks[std::max(0, shrink_->currentIndex())];
    options.shifts = shifts_->value();
    if (wiener_->isChecked()) {
        options.wiener = session_ != nullptr ? session_->DecomposedWavelet() : analysis::Wavelet::Linear;
    }
    if (options.rule == ThresholdRule::Fixed) options.fixedThreshold = fixedThreshold_();
    if (!thresholds_.empty()) {
        options.itemThresholds.assign(thresholds_.size() + 1, std::nullopt);
        for (std::size_t k = 0; k < thresholds_.size(); ++k) {
            if (analysis::PlainThresholdsHold(options) || typed_.contains(static_cast<int>(k))) {
                options.itemThresholds[k] = thresholds_[k];
            }
        }
    } else if (!typed_.empty() && session_ != nullptr && session_->Levels() >= 1) {
        // The rule refused the rows (soft shrinkage below a typed negative
        // threshold): the typed rows go along, so Apply is refused too
        // rather than given the rule's own thresholds.
        options.itemThresholds.assign(static_cast<std::size_t>(session_->Levels()) + 1, std::nullopt);
        for (const auto& [row, t] : typed_) {
            if (row < session_->Levels()) options.itemThresholds[static_cast<std::size_t>(row)] = t;
        }
    }
    return options;
}

const analysis::AutoChoice* DenoisePanel::AutomaticChoice() const {
    return rule_->currentIndex() == kAutomatic && automaticChoice_ ? &*automaticChoice_ : nullptr;
}

std::optional<double> DenoisePanel::RowThreshold(int32_t level) const {
    const auto row = static_cast<std::size_t>(level - 1);
    if (!isVisible() || level < 1 || row >= thresholds_.size()) return std::nullopt;
    return thresholds_[row];
}

void DenoisePanel::TypeThreshold(int32_t level, double t) {
    typed_[level - 1] = t;
    if (session_ != nullptr) Refresh(*session_);
}

void DenoisePanel::ShowAutomaticChoice() {
    if (!automaticChoice_) return automatic_->clear();
    const analysis::AutoChoice& choice = *automaticChoice_;
    const QString noise = Number(choice.noiseRisk);
    if (choice.keepsSignal) {
        automatic_->setText(QStringLiteral("Automatic: no choice is estimated to beat the signal as it is (") + noise +
                            QStringLiteral("); Apply keeps it"));
        return;
    }
    const analysis::DenoiseOptions& chosen = choice.options;
    const double risk = *std::min_element(choice.risks.begin(), choice.risks.end());
    automatic_->setText(QStringLiteral("Automatic: ") + Text(std::string(analysis::WaveletCaption(chosen.wavelet))) +
                        QStringLiteral(", ") + Text(std::string(analysis::RuleName(chosen.rule))) +
                        QStringLiteral(", ") + Text(std::string(analysis::ShrinkName(chosen.shrink))) +
                        (chosen.wiener ? QStringLiteral(", Wiener stage by ") +
                                             Text(std::string(analysis::WaveletCaption(*chosen.wiener)))
                                       : QString()) +
                        QStringLiteral("; estimated risk ") + Number(risk) + QStringLiteral(" per sample, ") + noise +
                        QStringLiteral(" as it is"));
}

void DenoisePanel::RuleChanged() {
    // A new rule chooses every level's threshold anew.
    typed_.clear();
    if (session_ != nullptr) Refresh(*session_);
}

void DenoisePanel::ThresholdEdited(int row, const QString& text) {
    try {
        typed_[row] = analysis::ParseThreshold(text.toStdString());
    } catch (const fw::Exception&) {
        // Not a number: the row keeps its threshold.
    }
    if (session_ != nullptr) Refresh(*session_);
}

void DenoisePanel::SetCell(int row, Column column, const QString& text, bool editable) {
    QTableWidgetItem* item = levels_->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        levels_->setItem(row, column, item);
    }
    item->setText(text);
    item->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                            : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void DenoisePanel::FitColumns() {
    QHeaderView& header = *levels_->horizontalHeader();
    int width = 0;
    for (int c = 0; c < kColumns; ++c) {
        levels_->resizeColumnToContents(c);
        const int wide = std::max(header.sectionSize(c), leastWidths_[c]);
        leastWidths_[c] = wide;
        header.resizeSection(c, wide);
        width += wide;
    }
    // The dock is at least as wide as the table, its scroll bar beside it.
    levels_->setMinimumWidth(width + 2 * levels_->frameWidth() + levels_->verticalScrollBar()->sizeHint().width());
}

void DenoisePanel::Refresh(analysis::AnalysisSession& session) {
    session_ = &session;
    // The transform the next Decompose uses, whoever set it (a replayed
    // recipe, Automatic's choice).
    const auto* wavelet =
        std::find(std::begin(analysis::kWavelets), std::end(analysis::kWavelets), session.NextWavelet());
    transform_->setCurrentIndex(static_cast<int>(wavelet - std::begin(analysis::kWavelets)));
    const int32_t levels = session.Levels();
    // After Reconstruct, Apply takes it back first.
    apply_->setEnabled(levels >= 1 || session.ReconstructUndoable());
    if (!isVisible()) return;
    filling_ = true;
    const struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{filling_};
    const bool automatic = rule_->currentIndex() == kAutomatic;
    automatic_->setVisible(automatic);
    for (QWidget* part : {static_cast<QWidget*>(shrink_), static_cast<QWidget*>(wiener_)}) part->setEnabled(!automatic);
    if (levels < 1) {
        choiceKey_.reset();
        automaticChoice_.reset();
        automatic_->clear();
        levels_->setRowCount(0);
        thresholds_.clear();
        typed_.clear();
        return;
    }
    if (session.DecompositionId() != decomposition_) {
        decomposition_ = session.DecompositionId();
        typed_.clear();
    }
    thresholds_.clear();
    // The rule reads the decomposition as Decompose left it, which on a long
    // signal with a long history costs; the choice changes only with it.
    const int rule = rule_->currentIndex();
    const ChoiceKey key{decomposition_,
                        rule,
                        kShrinks[std::max(0, shrink_->currentIndex())],
                        shifts_->value(),
                        rule == 3 ? fixedThreshold_() : 0.0,
                        typed_};
    const bool stale = !choiceKey_ || !(*choiceKey_ == key);
    if (stale && automatic) {
        analysis::DenoiseOptions base;
        base.shifts = shifts_->value();
        try {
            automaticChoice_ = session.ChooseAutomatically(base);
        } catch (const fw::Exception&) {
            automaticChoice_.reset();
        }
    }
    if (automatic) ShowAutomaticChoice();
    analysis::DenoiseOptions options = Options();
    options.itemThresholds.assign(static_cast<std::size_t>(levels) + 1, std::nullopt);
    for (const auto& [row, t] : typed_) options.itemThresholds[static_cast<std::size_t>(row)] = t;
    if (stale) {
        // Options the rule refuses (soft shrinkage below a negative Fixed
        // threshold) leave the rows without thresholds: the refusal is shown
        // when Apply to All Levels asks for them, not on every refresh, and
        // never escapes the list the user just changed.
        try {
            choice_ = session.ChooseThresholds(options);
        } catch (const fw::Exception&) {
            choice_ = {};
        }
        choiceKey_ = key;
    }
    const analysis::LevelChoice& choice = choice_;
    const std::vector<analysis::ShrinkOutcome> outcomes = session.LevelOutcomes();
    levels_->setRowCount(levels);
    for (int32_t k = 1; k <= levels; ++k) {
        const auto row = static_cast<std::size_t>(k - 1);
        const analysis::LevelGeometry level = analysis::LevelGeometry::Details(session.J(), k);
        const analysis::ShrinkOutcome& outcome = outcomes[row];
        const bool chosen = row < choice.thresholds.size();
        if (chosen) thresholds_.push_back(choice.thresholds[row]);
        const int r = k - 1;
        SetCell(r, cLevel, QString::number(k));
        SetCell(r, cCoefficients, QString::number(level.count));
        SetCell(r, cSigma, chosen ? Number(choice.sigmas[row]) : QString());
        SetCell(r, cThreshold, chosen ? Number(choice.thresholds[row]) : QString(), true);
        // A typed threshold is the row's own: the rule no longer sets it.
        QFont font = levels_->font();
        font.setItalic(typed_.contains(r));
        levels_->item(r, cThreshold)->setFont(font);
        SetCell(r, cZeroed, QString::number(outcome.zeroed));
        const double kept = analysis::EnergyKept(outcome);
        SetCell(r, cEnergy, Text(fw::FloatToStrF(100.0 * kept, fw::ffFixed, 15, 1)) + QStringLiteral(" %"));
    }
    FitColumns();
    if (OnRowsFilled) OnRowsFilled();
}

}  // namespace ui
