#include "SoakInvariants.h"

#include <QStatusBar>

#include <cmath>
#include <regex>
#include <sstream>

#include "ui/MainMenu.h"

namespace soak {
namespace {

using ui::WindowCommand;

std::vector<double> Values(const chart::TChartSeries& series) {
    std::vector<double> values;
    for (int32_t i = 0; i < series.Count(); ++i) values.push_back(series.YValues().Value(i));
    return values;
}

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> items;
    for (int i = 1; i <= count; ++i) items.push_back(std::to_string(i));
    return items;
}

std::string FirstDifference(const std::vector<double>& shown, const std::vector<double>& expected) {
    if (shown.size() != expected.size()) {
        return std::to_string(shown.size()) + " values, expected " + std::to_string(expected.size());
    }
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!(shown[i] == expected[i])) {
            std::ostringstream text;
            text.precision(17);
            text << "value " << i << " is " << shown[i] << ", expected " << expected[i];
            return text.str();
        }
    }
    return {};
}

// The texts the window's boxes may show: errors of the count, the threshold,
// the files and recipes, the short read's warning and the Help boxes.
bool KnownBox(const RecordedBox& box) {
    static const std::regex kKnown[] = {
        std::regex("'.*' is not a valid integer value\\."),
        std::regex("'.*' is not a valid floating point value\\."),
        std::regex("Floating point overflow\\."),
        std::regex("The sample count -?\\d+ is too large: at most \\d+ samples can be loaded\\."),
        std::regex("Cannot open file \".*\": .*"),
        std::regex("The file \".*\" holds no samples: .*"),
        std::regex("\".*\": .* (\\d+) of (\\d+) samples were read; the remaining \\d+ are 0\\."),
        std::regex("Cannot save file \".*\": .*"),
        std::regex("Cannot create file \".*\""),
        std::regex("Cannot replay \".*\": .*"),
        std::regex("Cannot import \".*\": .*"),
        std::regex("Soft shrinkage needs thresholds of 0 or more\\."),
        std::regex("Quelmar [\\s\\S]*"),
        std::regex("On either chart:[\\s\\S]*"),
    };
    for (const std::regex& known : kKnown) {
        if (std::regex_match(box.Text, known)) return true;
    }
    return false;
}

class Checker {
public:
    explicit Checker(SoakSession& s) : s_(s), m_(s.model) {}

    std::string Run(std::size_t boxesBefore) {
        Buffer();
        Series();
        Controls();
        Menus();
        Boxes(boxesBefore);
        Status();
        for (const std::string& fault : s_.faults) Fail(fault);
        s_.faults.clear();
        return failure_;
    }

private:
    void Fail(const std::string& what) {
        if (failure_.empty()) failure_ = what;
    }
    void Same(bool same, const std::string& what) {
        if (!same) Fail(what);
    }
    void SameValues(const std::vector<double>& shown, const std::vector<double>& expected, const std::string& what) {
        if (const std::string difference = FirstDifference(shown, expected); !difference.empty()) {
            Fail(what + ": " + difference);
        }
    }

    void Buffer() {
        const analysis::DyadicSignal* samples = s_.form->Session().Samples();
        Same((samples != nullptr) == m_.loaded, "a buffer exists only after a load");
        if (samples == nullptr || !m_.loaded) return;
        SameValues({samples->Data(), samples->Data() + samples->N()}, m_.buffer, "the sample buffer");
        Same(s_.form->Session().Levels() == m_.levels, "the session's levels are " +
                                                           std::to_string(s_.form->Session().Levels()) + ", expected " +
                                                           std::to_string(m_.levels));
    }

    void Series() {
        const app::ProgramCharts& charts = s_.form->Charts();
        SameValues(Values(charts.Series1().Series()), m_.loaded ? m_.signal : std::vector<double>{},
                   "the upper chart's signal");
        SameValues(Values(charts.Series2().Series()), m_.reconstructed ? m_.buffer : std::vector<double>{},
                   "the upper chart's reconstruction");
        SameValues(Values(charts.Series3().Series()), m_.ViewValues(), "the lower chart's coefficients");
        const bool residual = m_.residual && m_.reconstructed;
        std::vector<double> expected;
        for (std::size_t i = 0; residual && i < m_.signal.size(); ++i) expected.push_back(m_.signal[i] - m_.buffer[i]);
        SameValues(Values(s_.form->Charts().Residual().Series()), expected, "the residual");
        const chart::TThresholdLines& lines = charts.ThresholdLines();
        Same(lines.Visible() == (m_.panel && m_.viewShown), "the threshold lines show with the panel and a view");
        Same(lines.Threshold() == m_.linesAt, "the threshold lines stand at " + std::to_string(lines.Threshold()) +
                                                  ", not at the box's last number " + std::to_string(m_.linesAt));
        Same(s_.form->Panel().isVisible() == m_.panel, "the Denoise panel's visibility");
        // The samples an import made up are shaded from halfway before the first of them.
        const chart::TShadedRange& shade = charts.ExtensionShade();
        const bool extended = m_.imported && m_.signalSamples < m_.n;
        Same(shade.Shown() == extended, extended ? "the made-up samples are not shaded" : "a shade without an import");
        Same(!extended || (shade.From() == m_.signalSamples - 0.5 && shade.To() == m_.n - 1),
             "the shade runs from " + std::to_string(shade.From()) + " to " + std::to_string(shade.To()));
    }

    void Controls() {
        Same(s_.Control<QPushButton>("BtnDecomp").isEnabled() == m_.loaded, "Decompose is enabled once loaded");
        Same(s_.Control<QPushButton>("BtnThresh").isEnabled() == (m_.levels >= 1),
             "Thresholding is enabled with a decomposition");
        Same(s_.Control<QPushButton>("BtnReconstr").isEnabled() == m_.canReconstruct,
             "Reconstruct is enabled after a Decompose of this signal");
        Same(
            s_.Control<QPushButton>("ApplyAllLevels").isEnabled() == (m_.levels >= 1 || m_.UndoName() == "Reconstruct"),
            "Apply to All Levels is enabled with a decomposition, or a Reconstruct it takes back");
        Same(s_.Items("CBLev") == Numbered(m_.loaded ? m_.j : 0), "the level list's items");
        Same(s_.List("CBLev").currentIndex() == m_.levelIndex, "the level list's choice");
        Same(s_.Items("CB1") == Numbered(m_.viewItems), "the view list's items");
        Same(s_.List("CB1").currentIndex() == m_.viewIndex, "the view list's choice is " +
                                                                std::to_string(s_.List("CB1").currentIndex()) +
                                                                ", expected " + std::to_string(m_.viewIndex));
        Same(s_.Edit("EdtN").text().toStdString() == m_.countText, "the count box");
        Same(s_.Edit("EdtThresh").text().toStdString() == m_.thresholdText, "the threshold box");
        const std::string readout = s_.Edit("Edit1").text().toStdString();
        if (!m_.mean) {
            Same(readout.empty(), "the readout \"" + readout + "\" without a full decomposition");
        } else {
            // Five significant digits, at most two decimals.
            const double tolerance = std::max(0.0051, 6e-5 * std::fabs(*m_.mean));
            Same(!readout.empty() && std::fabs(std::strtod(readout.c_str(), nullptr) - *m_.mean) <= tolerance,
                 "the readout \"" + readout + "\", expected " + std::to_string(*m_.mean));
        }
    }

    void Menus() {
        const app::ProgramCharts& charts = s_.form->Charts();
        ui::CommandState state;
        state.Signal = m_.loaded;
        state.Reconstruction = m_.reconstructed;
        state.Coefficients = m_.viewShown;
        state.LowerChart = m_.viewShown || (m_.residual && m_.reconstructed);
        state.Zoomed = charts.Chart1().Zoomed() || charts.Chart2().Zoomed();
        state.CanUndo = m_.CanUndo();
        state.CanRedo = m_.CanRedo();
        for (const ui::MenuItemLayout& item : ui::kMainMenuItems) {
            Same(s_.form->Menu().Action(item.Command).isEnabled() == state.Has(item.Needs),
                 "the menu item " + std::string(item.Caption) +
                     (state.Has(item.Needs) ? " is disabled" : " is enabled"));
        }
        const auto name = [](const char* verb, const std::string& step) {
            return step.empty() ? std::string(verb) : verb + (" " + step);
        };
        Same(s_.form->Menu().Action(WindowCommand::Undo).text().toStdString() == name("Undo", m_.UndoName()),
             "Undo names " + s_.form->Menu().Action(WindowCommand::Undo).text().toStdString() + ", expected " +
                 name("Undo", m_.UndoName()));
        Same(s_.form->Menu().Action(WindowCommand::Redo).text().toStdString() == name("Redo", m_.RedoName()),
             "Redo names the step it redoes");
        Same(s_.form->Menu().Action(WindowCommand::Residual).isChecked() == m_.residual, "View > Residual's check");
        Same(s_.form->Menu().Action(WindowCommand::SaveWholeGrid).isChecked() == m_.wholeGrid,
             "Save Whole Grid's check");
        Same(s_.dialogs.Answered(), "a dialog the action answered was not shown");
    }

    void Boxes(std::size_t before) {
        const std::vector<RecordedBox>& boxes = s_.dialogs.Boxes;
        Same(boxes.size() - before == static_cast<std::size_t>(m_.boxes),
             std::to_string(boxes.size() - before) + " message boxes, expected " + std::to_string(m_.boxes) +
                 (boxes.size() > before ? ": " + boxes.back().Text : ""));
        for (std::size_t i = before; i < boxes.size(); ++i)
            Same(KnownBox(boxes[i]), "an unknown message: " + boxes[i].Text);
    }

    // A hint says why the action did nothing; otherwise the bar says what the buffer holds.
    void Status() {
        const std::string status = s_.form->statusBar()->currentMessage().toStdString();
        if (!m_.hint.empty()) {
            Same(status == m_.hint, "the status \"" + status + "\", expected \"" + m_.hint + "\"");
            return;
        }
        if (status.rfind("Signal of", 0) != 0) return;
        const std::string expected =
            "Signal of " + std::to_string(m_.n) + " samples (J = " + std::to_string(m_.j) + ") from " + m_.source;
        Same(m_.loaded && (status == expected || status.rfind(expected + ";", 0) == 0),
             "the status \"" + status + "\", expected \"" + expected + "…\"");
    }

    SoakSession& s_;
    const SoakModel& m_;
    std::string failure_;
};

}  // namespace

std::string CheckInvariants(SoakSession& session, std::size_t boxesBefore) { return Checker(session).Run(boxesBefore); }

}  // namespace soak
