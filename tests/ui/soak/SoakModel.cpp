#include "SoakModel.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <cstdlib>

#include "TransformReference.h"

namespace soak {
namespace {

constexpr long kMaxSamples = (1L << 30) + 1;

std::optional<long> ParseCount(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> SoakModel::ParseThreshold(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

long SoakModel::CopiesKb() const {
    std::size_t values = signal.capacity() + buffer.capacity();
    for (const std::vector<Change>* changes : {&undo_, &redo_}) {
        for (const Change& change : *changes) values += change.before.capacity() + change.after.capacity();
    }
    return static_cast<long>(values * sizeof(double) / 1024);
}

void SoakModel::TypeThreshold(const std::string& text) {
    // Typed key by key: the lines follow every text on the way that is a number.
    thresholdText = text;
    for (std::size_t length = 1; length <= text.size(); ++length) {
        if (const std::optional<double> t = ParseThreshold(text.substr(0, length))) linesAt = *t;
    }
}

void SoakModel::ShowThreshold(const std::string& text) {
    thresholdText = text;
    if (const std::optional<double> t = ParseThreshold(text)) linesAt = *t;
}

void SoakModel::Load(const std::string& path) {
    if (countText.empty()) {
        hint = "Type a sample count first";
        return;
    }
    const std::optional<long> count = ParseCount(countText);
    if (!count || *count > kMaxSamples) {
        // A load begins by emptying the lower chart; a text that is no count ends it there.
        viewShown = false;
        boxes = 1;
        return;
    }
    int order = 2;
    while ((1L << order) + 1 < *count) ++order;
    const int size = (1 << order) + 1;
    const auto file = files_.find(path);
    if (file == files_.end() || !file->second.exists) {
        boxes = 1;
        return;
    }
    const SampleFile& f = file->second;
    const std::size_t stored = std::min<std::size_t>(f.badLine.value_or(f.numbers.size()), size);
    if (stored == 0) {
        boxes = 1;
        return;
    }
    boxes = stored < static_cast<std::size_t>(size) ? 1 : 0;  // the warning of a short read
    loadCount = countText;
    buffer.assign(static_cast<std::size_t>(size), 0.0);
    std::copy_n(f.numbers.begin(), stored, buffer.begin());
    NewSignal(path, size);
    imported.reset();
    source = path.substr(path.rfind('/') + 1);
}

void SoakModel::Import(const std::string& path, GridFill fill) {
    const auto file = imports_.find(path);
    if (file == imports_.end() || file->second.values.empty()) {
        boxes = 1;
        return;
    }
    const std::vector<double>& x = file->second.values;
    const int read = static_cast<int>(x.size());
    int order = 2;
    while ((1 << order) + 1 < read) ++order;
    buffer = x;
    // Reflection walks back from the last sample and turns at either end.
    int at = read - 1;
    int step = -1;
    while (static_cast<int>(buffer.size()) < (1 << order) + 1) {
        if (read > 1 && (at + step < 0 || at + step >= read)) step = -step;
        if (read > 1) at += step;
        buffer.push_back(fill == GridFill::Reflect  ? x[static_cast<std::size_t>(at)]
                         : fill == GridFill::Repeat ? x.back()
                                                    : 0.0);
    }
    NewSignal(path, read);
    loadCount = countText;
    imported = fill;
    const std::string name = path.substr(path.rfind('/') + 1);
    source = name + ", " + file->second.part + ", " + std::to_string(read) + (read == 1 ? " sample" : " samples");
    if (file->second.rate > 0) source += ", " + std::to_string(file->second.rate) + " Hz";
    static const char* const kFills[] = {"reflection at the end", "repeating the last value", "zeros"};
    if (read < n) source += std::string(", extended by ") + kFills[static_cast<int>(fill)];
}

void SoakModel::NewSignal(const std::string& path, int read) {
    n = static_cast<int>(buffer.size());
    j = 2;
    while ((1 << j) + 1 < n) ++j;
    countText = std::to_string(n);
    loadedFile = path;
    signalSamples = read;
    signal = buffer;
    loaded = true;
    levelIndex = -1;
    steps.clear();
    StartFresh();
    canReconstruct = false;
}

void SoakModel::StartFresh() {
    levels = -1;
    undo_.clear();
    redo_.clear();
    viewed = -1;
    viewItems = 0;
    viewIndex = -1;
    viewShown = false;
    reconstructed = false;
    mean.reset();
    typedRows.clear();
}

void SoakModel::Inverse() {
    if (levels < 1) return;
    if (!steps.empty() && steps.back().kind == ModelStep::ApplyAll && steps.back().shifts > 1) {
        buffer = ShiftAverage(steps.back());
    } else {
        analysis::test::ReferenceInverse<double>(buffer, j, levels);
    }
    levels = -1;
}

// Translation-invariant denoising by its definition: shift s's copy starts
// at offset 0, 1, -1, 2, ..., continued by even reflection at both ends; each
// copy is decomposed, thresholded and rebuilt, and each sample averages the
// estimates made for it. A sample shown by a reflection gets that estimate
// first and its direct one after, as the sums must be made in one order to
// agree to the last bit.
std::vector<double> SoakModel::ShiftAverage(const ModelStep& step) const {
    const auto count = static_cast<long>(beforeDecompose.size());
    const long last = count - 1;
    const auto reflect = [last](long q) {
        q %= 2 * last;
        if (q < 0) q += 2 * last;
        return static_cast<std::size_t>(q <= last ? q : 2 * last - q);
    };
    std::vector<double> sum(beforeDecompose.size(), 0.0), estimates(beforeDecompose.size(), 0.0);
    for (int s = 0; s < step.shifts; ++s) {
        const long offset = s % 2 != 0 ? (s + 1) / 2 : -(s / 2);
        std::vector<double> copy;
        for (long i = 0; i < count; ++i) copy.push_back(beforeDecompose[reflect(i + offset)]);
        analysis::test::ReferenceForward<double>(copy, j, levels);
        Shrink(copy, step.thresholds, step.soft);
        analysis::test::ReferenceInverse<double>(copy, j, levels);
        for (const bool direct : {false, true}) {
            for (long i = 0; i < count; ++i) {
                if ((i + offset >= 0 && i + offset <= last) != direct) continue;
                sum[reflect(i + offset)] += copy[static_cast<std::size_t>(i)];
                estimates[reflect(i + offset)] += 1;
            }
        }
    }
    for (std::size_t p = 0; p < sum.size(); ++p) sum[p] /= estimates[p];
    return sum;
}

void SoakModel::Forward(int count) {
    Inverse();
    beforeDecompose = buffer;
    analysis::test::ReferenceForward<double>(buffer, j, count);
    levels = count;
    undo_.clear();
    redo_.clear();
    viewItems = levels + 1;
    viewIndex = -1;
    viewed = -1;
    viewShown = false;
    reconstructed = false;
    canReconstruct = true;
    typedRows.clear();
    if (levels == j) mean = 0.5 * (buffer.front() + buffer.back());
    steps.push_back({ModelStep::Decompose, levels, 0, {}, false, 1});
}

void SoakModel::Decompose() {
    if (levelIndex < 0) {
        hint = "Choose a number of levels first";
        return;
    }
    Forward(levelIndex + 1);
}

void SoakModel::PickView(int index) {
    viewIndex = index;
    viewed = index + 1;
    viewShown = true;
}

SoakModel::Item SoakModel::ItemAt(int item) const {
    if (item <= levels) return {std::size_t{1} << (item - 1), std::size_t{1} << item, 1 << (j - item)};
    return {0, std::size_t{1} << levels, (1 << (j - levels)) + 1};
}

std::vector<double> SoakModel::ViewValues() const {
    std::vector<double> values;
    if (!viewShown) return values;
    const Item item = ItemAt(viewed);
    for (int i = 0; i < item.count; ++i) values.push_back(buffer[item.first + i * item.stride]);
    return values;
}

void SoakModel::Changed() {
    if (levels == j) mean = 0.5 * (buffer.front() + buffer.back());
    viewShown = viewed >= 1;
}

void SoakModel::Record(const std::string& name, const std::vector<double>& before, const ModelStep& step) {
    undo_.push_back({name, before, buffer, step});
    redo_.clear();
    steps.push_back(step);
    Changed();
}

void SoakModel::Thresholding() {
    if (viewIndex < 0) {
        hint = "Choose a level to view first";
        return;
    }
    const std::optional<double> t = ParseThreshold(thresholdText);
    if (!t) {
        boxes = 1;
        return;
    }
    ThresholdItem(viewed, *t);
    TypeViewedRow(*t);
}

void SoakModel::ThresholdItem(int item, double t) {
    threshold = t;
    const std::vector<double> before = buffer;
    const Item at = ItemAt(item);
    for (int i = 0; i < at.count; ++i) {
        double& c = buffer[at.first + i * at.stride];
        if (!(std::fabs(c) > t)) c = 0.0;
    }
    const std::string name = item > levels ? "Approximation" : "Level " + std::to_string(item);
    Record("Thresholding " + name, before, {ModelStep::Thresholding, 0, item, {t}, false, 1});
}

void SoakModel::Shrink(std::vector<double>& y, const std::vector<double>& thresholds, bool soft) const {
    for (int k = 1; k <= levels; ++k) {
        const Item item = ItemAt(k);
        const double t = thresholds[static_cast<std::size_t>(k - 1)];
        for (int i = 0; i < item.count; ++i) {
            double& c = y[item.first + i * item.stride];
            const double magnitude = std::fabs(c);
            if (!(magnitude > t)) {
                c = 0.0;
            } else if (soft) {
                c = c > 0 ? magnitude - t : -(magnitude - t);
            }
        }
    }
}

void SoakModel::ApplyAll(const std::vector<double>& thresholds, bool soft, int shifts) {
    const std::vector<double> before = buffer;
    Shrink(buffer, thresholds, soft);
    Record("Apply to All Levels", before, {ModelStep::ApplyAll, 0, 0, thresholds, soft, shifts});
}

void SoakModel::TakeDown() {
    levels = -1;
    viewItems = 0;
    viewIndex = -1;
    viewed = -1;
    viewShown = false;
    reconstructed = true;
    typedRows.clear();
}

void SoakModel::Reconstruct() {
    const std::vector<double> before = buffer;
    const int decomposed = levels, wasViewed = viewed;
    Inverse();
    TakeDown();
    if (decomposed < 1) return;
    const ModelStep step{ModelStep::Reconstruct, 0, 0, {}, false, 1};
    undo_.push_back({"Reconstruct", before, buffer, step, decomposed, wasViewed});
    redo_.clear();
    steps.push_back(step);
}

void SoakModel::Undo() {
    Change change = std::move(undo_.back());
    undo_.pop_back();
    buffer = change.before;
    steps.pop_back();
    if (change.step.kind == ModelStep::Reconstruct) {
        // The decomposition is back, viewed as it was.
        levels = change.levels;
        viewItems = levels + 1;
        viewed = change.viewed;
        viewIndex = viewed >= 1 ? viewed - 1 : -1;
        reconstructed = false;
    }
    redo_.push_back(std::move(change));
    Changed();
}

void SoakModel::Redo() {
    Change change = std::move(redo_.back());
    redo_.pop_back();
    buffer = change.after;
    steps.push_back(change.step);
    const bool reconstruct = change.step.kind == ModelStep::Reconstruct;
    undo_.push_back(std::move(change));
    if (reconstruct) return TakeDown();
    Changed();
}

void SoakModel::Replay(const std::string& path, const ModelRecipe& recipe) {
    if (recipe.imported) {
        Import(recipe.file, *recipe.imported);
    } else {
        countText = recipe.count;
        Load(recipe.file);
    }
    for (const ModelStep& step : recipe.steps) {
        switch (step.kind) {
        case ModelStep::Decompose: Forward(step.levels); break;
        case ModelStep::Thresholding:
            viewed = step.viewed;
            ThresholdItem(step.viewed, step.thresholds[0]);
            break;
        case ModelStep::ApplyAll: ApplyAll(step.thresholds, step.soft, step.shifts); break;
        case ModelStep::Reconstruct: Reconstruct(); break;
        }
    }
    // The lists show what the replay viewed last.
    if (levels >= 1 && viewed >= 1) viewIndex = viewed - 1;
    hint = "Replayed " + std::filesystem::path(path).filename().string() + ": identical";
}

}  // namespace soak
