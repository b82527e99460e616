#pragma once
// What the window should hold after each action, worked out without the
// program's code: counts and thresholds are read with the C library, the
// samples lifted by the plain reference transform and thresholded by the
// definition of hard and soft shrinkage. The soak's actions tell the model
// what the user did; the invariant checker compares it with the window.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace soak {

// A sample file the soak wrote: its numbers, then a line that is no number
// when badLine is set (the numbers before it are numbers[0 .. badLine)).
struct SampleFile {
    std::vector<double> numbers;
    std::optional<std::size_t> badLine;
    bool exists = true;
};

// A file File > Import… is pointed at: what an import of it gives, nothing
// when the import fails.
struct ImportSource {
    std::vector<double> values;  // empty: the import fails
    std::string part;            // how the status names what was read: column "v" (2)
    int rate = 0;                // an audio file's samples per second
};

// How an import fills the grid after the signal, as the import dialog lists them.
enum class GridFill { Reflect, Repeat, Zero };

// One step as a recipe keeps it.
struct ModelStep {
    enum Kind { Decompose, Thresholding, ApplyAll, Reconstruct } kind;
    int levels = 0;                  // Decompose
    int viewed = 0;                  // Thresholding: the item, 1-based
    std::vector<double> thresholds;  // Thresholding: one; ApplyAll: one per level
    bool soft = false;               // ApplyAll
    int shifts = 1;                  // ApplyAll: the shifted copies Reconstruct averages
};

struct ModelRecipe {
    std::string file, count;
    std::vector<ModelStep> steps;
    std::optional<GridFill> imported;  // the file was imported so
};

class SoakModel {
public:
    SoakModel(const std::map<std::string, SampleFile>& files, const std::map<std::string, ImportSource>& imports)
        : files_(files), imports_(imports) {}

    // What the user typed into the count and threshold boxes.
    void TypeCount(const std::string& text) { countText = text; }
    void TypeThreshold(const std::string& text);
    // The window wrote text into the threshold box at once (a drag, a suggestion).
    void ShowThreshold(const std::string& text);
    void Load(const std::string& path);
    void Import(const std::string& path, GridFill fill);
    void PickLevels(int index) { levelIndex = index; }
    void Decompose();
    void PickView(int index);
    void Thresholding();
    void ApplyAll(const std::vector<double>& thresholds, bool soft, int shifts);
    void Reconstruct();
    void Undo();
    void Redo();
    // A recipe saved now, and one replayed.
    ModelRecipe Recipe() const { return {loadedFile, loadCount, steps, imported}; }
    void Replay(const std::string& path, const ModelRecipe& recipe);

    // The coefficients of the viewed item, as the lower chart plots them.
    std::vector<double> ViewValues() const;
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    std::string UndoName() const { return undo_.empty() ? "" : undo_.back().name; }
    std::string RedoName() const { return redo_.empty() ? "" : redo_.back().name; }

    static std::optional<double> ParseThreshold(const std::string& text);
    // The kilobytes the model's own copies of the samples take (its undo
    // history keeps whole buffers), to tell them from the window's.
    long CopiesKb() const;

    // The boxes and the status hint the last action should show.
    int boxes = 0;
    std::string hint;

    std::string countText = "513", thresholdText = "10";
    double linesAt = 10;   // the threshold lines follow the box's last number
    double threshold = 0;  // the last threshold applied
    bool loaded = false;
    int n = 0, j = 0;
    std::vector<double> signal, buffer;
    std::vector<double> beforeDecompose;  // what a denoising over shifts starts from
    std::string loadedFile, loadCount;
    std::optional<GridFill> imported;  // how the signal was imported, if it was
    int signalSamples = 0;             // of the n samples, those read; the rest were made up
    std::string source;                // how the status names where the signal came from
    bool wholeGrid = false;            // saves hold all n samples, made up or not
    int levels = -1;
    bool canReconstruct = false;
    int levelIndex = -1, viewItems = 0, viewIndex = -1;
    int viewed = -1;  // the item the session views, 1-based
    bool viewShown = false, reconstructed = false;
    std::optional<double> mean;
    bool panel = false, residual = false;
    std::vector<ModelStep> steps;
    // The panel's rule (its list's index) and the rows whose threshold was typed.
    int rule = 0;
    std::map<int, double> typedRows;
    // The viewed level and the panel's T for it that the box took last.
    std::optional<std::pair<int, double>> followed;
    // A threshold the user set for the viewed detail level (a drag let go,
    // Thresholding) becomes its row's while the panel is shown.
    void TypeViewedRow(double t) {
        if (panel && viewed >= 1 && viewed <= levels) typedRows[viewed - 1] = t;
    }

private:
    struct Change {
        std::string name;
        std::vector<double> before, after;
        ModelStep step;
        int levels = -1, viewed = -1;  // a Reconstruct's decomposition and view
    };
    // After a Reconstruct: no decomposition, nothing viewed.
    void TakeDown();
    void StartFresh();
    // The buffer holds a new signal from path, n of its samples read.
    void NewSignal(const std::string& path, int read);
    // The inverse of the buffer's decomposition, or while the last step done
    // averages shifts, that average.
    void Inverse();
    // Hard or soft thresholding of every detail level of y.
    void Shrink(std::vector<double>& y, const std::vector<double>& thresholds, bool soft) const;
    std::vector<double> ShiftAverage(const ModelStep& step) const;
    void Forward(int levels);
    void Changed();
    // Hard thresholding of item (1-based) at t, as one step to undo.
    void ThresholdItem(int item, double t);
    void Record(const std::string& name, const std::vector<double>& before, const ModelStep& step);
    // The buffer positions of item v (1-based) after `levels` levels.
    struct Item {
        std::size_t first, stride;
        int count;
    };
    Item ItemAt(int item) const;

    const std::map<std::string, SampleFile>& files_;
    const std::map<std::string, ImportSource>& imports_;
    std::vector<Change> undo_, redo_;
};

}  // namespace soak
