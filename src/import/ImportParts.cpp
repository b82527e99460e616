#include "import/ImportParts.h"

#include <charconv>
#include <filesystem>

#include "import/ImportError.h"
#include "import/ImportPreview.h"

namespace importer {
namespace {

// "2,3,5" as numbers from 1; an empty list for anything else.
std::vector<int32_t> NumberList(const std::string& text) {
    std::vector<int32_t> numbers;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        int32_t value = 0;
        const auto [stop, error] = std::from_chars(p, end, value);
        if (error != std::errc() || value < 1 || (stop != end && *stop != ',')) return {};
        numbers.push_back(value);
        p = stop + (stop != end);
    }
    return numbers;
}

bool IsAudio(const std::string& fileName, const ImportChoices& choices) {
    return (choices.kind ? choices.kind : SourceKindOfFile(fileName)) == SourceKind::Audio;
}

// The columns to read, each as the choices of a one-column import; none
// of an audio file, whose channels are all or one.
std::vector<ImportChoices> Parts(const std::string& fileName, const ImportChoices& choices) {
    std::vector<ImportChoices> parts;
    if (IsAudio(fileName, choices)) return parts;
    std::vector<int32_t> columns = NumberList(choices.text.column);
    if (choices.text.column == "all") {
        ImportChoices first = choices;
        first.text.column.clear();
        const ImportPreview preview = PreviewImport(fileName, first, 0);
        if (!preview.error.empty()) throw fw::Exception(preview.error);
        for (int32_t column = 1; column <= preview.columns; ++column) columns.push_back(column);
    }
    for (const int32_t column : columns) {
        parts.push_back(choices);
        parts.back().text.column = std::to_string(column);
    }
    return parts;
}

}  // namespace

bool AsksForManyParts(const ImportChoices& choices) {
    return choices.channel == "all" || choices.text.column == "all" ||
           choices.text.column.find(',') != std::string::npos;
}

std::vector<ImportedSignal> ImportParts(const std::string& fileName, const ImportChoices& choices,
                                        const analysis::ReadProgress& progress) {
    // An audio file's channels come from one decoding.
    if (IsAudio(fileName, choices) && choices.channel == "all") return ImportEveryChannel(fileName, choices);
    const std::string shown = std::filesystem::path(fileName).filename().string();
    std::vector<ImportChoices> parts;
    try {
        parts = Parts(fileName, choices);
    } catch (const ImportFailure& failure) {
        throw ImportError(shown, failure.Message());
    }
    if (parts.empty()) {
        throw ImportError(shown, "the parts to read are \"all\" or numbers from 1 separated by commas, not \"" +
                                     (choices.channel == "all" ? choices.channel : choices.text.column) + "\"");
    }
    std::vector<ImportedSignal> signals;
    for (const ImportChoices& part : parts) {
        signals.push_back(ImportSignal(fileName, part, progress));
        if (signals.back().samples.size() != signals.front().samples.size()) {
            throw ImportError(shown, signals.back().part + " has " + std::to_string(signals.back().samples.size()) +
                                         " samples and " + signals.front().part + " " +
                                         std::to_string(signals.front().samples.size()) + ": they make no table");
        }
    }
    return signals;
}

}  // namespace importer
