#pragma once
// The Denoise panel: a dock beside the stored area that thresholds every
// detail level at once. It offers the rule and the shrinkage and shows one
// row per detail level of the decomposition: its coefficients, its noise, its
// threshold (the rule's, or typed into the row, which makes that row fixed),
// how many of its coefficients are zero and how much of its energy is left.
// The thresholds come from the same code as the batch's, so Apply to All
// Levels gives the batch's coefficients. Its shifts make the step
// translation-invariant, as the batch's --shifts: Reconstruct then gives the
// average of the denoised shifted copies of the signal. Its transform is the
// one the window's Decompose uses; its Wiener stage follows the thresholding
// as the batch's --wiener. Its Automatic rule, the default, makes --auto's
// choice from the signal the decomposition was made from, and shows it with
// its estimated risk.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include <QDockWidget>

#include "analysis/session/AnalysisSession.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;

namespace ui {

class DenoisePanel : public QDockWidget {
public:
    // apply runs when the user presses Apply to All Levels; fixedThreshold
    // gives the threshold of the Fixed rule (the threshold box's).
    // transformChanged runs when the user picks another transform.
    DenoisePanel(QWidget& parent, std::function<void()> apply, std::function<double()> fixedThreshold,
                 std::function<void(analysis::Wavelet)> transformChanged);

    // Shows the rows of the session's decomposition, or none without one.
    // Does the work only while the panel is shown.
    void Refresh(analysis::AnalysisSession& session);
    // What Apply to All Levels asks of the session: the rule, the shrinkage,
    // the shifts and every row's threshold as shown; with several shifts only
    // the typed ones, as each shifted copy takes the rest from the rule.
    analysis::DenoiseOptions Options() const;
    // Under the Automatic rule, the choice the panel shows; else null.
    const analysis::AutoChoice* AutomaticChoice() const;
    // The T the row of detail level `level` shows; none while hidden or
    // without one.
    std::optional<double> RowThreshold(int32_t level) const;
    // Fixes the row of detail level `level` at t, as typing it into the row does.
    void TypeThreshold(int32_t level, double t);
    // Runs after the rows were filled anew.
    std::function<void()> OnRowsFilled;

    // Columns of the level table.
    enum Column { cLevel, cCoefficients, cSigma, cThreshold, cZeroed, cEnergy, kColumns };

private:
    void RuleChanged();
    void ShowAutomaticChoice();
    // The user committed text to the T cell of row.
    void ThresholdEdited(int row, const QString& text);
    void SetCell(int row, Column column, const QString& text, bool editable = false);
    // Each column as wide as the widest it has shown, the table as wide as
    // its columns.
    void FitColumns();

    std::function<double()> fixedThreshold_;
    QComboBox* transform_;
    QComboBox* rule_;
    QComboBox* shrink_;
    QSpinBox* shifts_;
    QCheckBox* wiener_;
    QLabel* automatic_;
    QTableWidget* levels_;
    QPushButton* apply_;
    analysis::AnalysisSession* session_ = nullptr;  // as last refreshed
    uint64_t decomposition_ = 0;                    // the session's DecompositionId() the rows show
    std::vector<double> thresholds_;                // per row, as shown
    std::map<int, double> typed_;                   // rows whose threshold the user typed
    // What the thresholds shown were chosen from, and what they are.
    struct ChoiceKey {
        uint64_t decomposition;
        int rule;  // the list's index
        analysis::Shrink shrink;
        int32_t shifts;
        double fixedThreshold;
        std::map<int, double> typed;
        bool operator==(const ChoiceKey&) const = default;
    };
    std::optional<ChoiceKey> choiceKey_;
    analysis::LevelChoice choice_;
    std::optional<analysis::AutoChoice> automaticChoice_;  // under Automatic
    bool filling_ = false;                                 // the program, not the user, writes the table
    int leastWidths_[kColumns] = {};                       // per column, the widest it has been
};

}  // namespace ui
