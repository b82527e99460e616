#include "import/SignalImport.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "import/AudioImport.h"
#include "import/ImportError.h"
#include "import/MatImport.h"
#include "import/NpyArray.h"
#include "import/TextImport.h"

namespace importer {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A number from 1, or 0 for an empty text; nullopt for anything else.
std::optional<int64_t> CountingNumber(const std::string& text) {
    if (text.empty()) return 0;
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < 1) return std::nullopt;
    return value;
}

int64_t ArrayIndex(const std::string& column) {
    const std::optional<int64_t> number = CountingNumber(column);
    if (!number) throw ImportFailure("the column (or row) of an array is a number from 1, not \"" + column + "\"");
    return *number;
}

std::string Quoted(const std::string& text) { return analysis::QuotedName(text); }

// "\"mV\" (2)", or "2" for a column without a name.
std::string ColumnName(const TextColumn& table, int32_t column) {
    const auto index = static_cast<std::size_t>(column - 1);
    const std::string& name = index < table.layout.names.size() ? table.layout.names[index] : std::string();
    return name.empty() ? std::to_string(column) : Quoted(name) + " (" + std::to_string(column) + ")";
}

void ReadText(const std::string& fileName, const ImportChoices& choices, const analysis::ReadProgress& progress,
              ImportedSignal& signal) {
    TextColumn table = ReadTextColumn(fileName, choices.text, choices.gaps != Gaps::Refuse, progress);
    signal.samples = std::move(table.values);
    const int32_t first = table.column;
    const int32_t last = table.layout.columns;
    signal.part = "column " + ColumnName(table, first);
    if (choices.text.rowsAsSeries) {
        if (last > first) signal.part = "columns " + ColumnName(table, first) + " to " + ColumnName(table, last);
        signal.part += ", row by row";
    }
}

// What the samples of a channel (0: the mean of all) of an audio file are.
void DescribeAudio(const std::string& fileName, int64_t channel, const AudioInfo& info, ImportedSignal& signal) {
    signal.sampleRate = info.sampleRate;
    const auto read = static_cast<int64_t>(signal.samples.size());
    if (read < info.frames) {
        signal.warning = Quoted(std::filesystem::path(fileName).filename().string()) + ": its header promises " +
                         std::to_string(info.frames) + " frames, " + std::to_string(read) +
                         " could be read; the signal is those " + std::to_string(read);
    }
    signal.part = channel > 0 || info.channels == 1 ? "channel " + std::to_string(std::max<int64_t>(channel, 1))
                                                    : "mean of " + std::to_string(info.channels) + " channels";
}

void ReadAudioChannel(const std::string& fileName, const ImportChoices& choices, ImportedSignal& signal) {
    const std::string& text = choices.channel;
    const std::optional<int64_t> channel = text == "mean" ? 0 : CountingNumber(text);
    if (!channel || *channel > 65535)
        throw ImportFailure("the channel is \"mean\" or a number from 1, not " + Quoted(text));
    AudioInfo info;
    signal.samples = ReadAudio(fileName, static_cast<int32_t>(*channel), &info);
    DescribeAudio(fileName, *channel, info, signal);
}

// The gaps filled or dropped as the choices say.
void ResolveSignalGaps(const ImportChoices& choices, ImportedSignal& signal) {
    signal.gaps = ResolveGaps(signal.samples, choices.gaps);
    signal.gapsResolved = choices.gaps;
}

void ReadMat(const std::string& fileName, const ImportChoices& choices, ImportedSignal& signal) {
    const int64_t index = ArrayIndex(choices.text.column);
    MatVariable variable;
    signal.samples = ReadMatVariable(fileName, choices.variable, index, choices.axis, &variable);
    signal.part = "variable " + Quoted(variable.name);
    if (variable.Vector()) return;
    const ArrayAxis axis = SignalAxis(choices.axis, variable.rows, variable.columns);
    signal.part += std::string(", ") + SignalWord(axis) + " " +
                   std::to_string(index > 0 ? index : SignalsOf(axis, variable.rows, variable.columns).count);
}

void ReadNumPy(const std::string& fileName, const ImportChoices& choices, ImportedSignal& signal) {
    const int64_t index = ArrayIndex(choices.text.column);
    NpyHeader header;
    signal.samples = ReadNpy(fileName, index, choices.axis, &header);
    const ArrayAxis axis = NpyAxis(header, choices.axis);
    const int64_t count = NpySignals(header, axis).count;
    signal.part = count > 1 ? std::string(SignalWord(axis)) + " " + std::to_string(index > 0 ? index : count) : "array";
}

}  // namespace

std::optional<SourceKind> SourceKindNamed(const std::string& name) {
    if (name == "text" || name == "csv") return SourceKind::Text;
    if (name == "audio") return SourceKind::Audio;
    if (name == "mat") return SourceKind::Mat;
    if (name == "npy") return SourceKind::Npy;
    return std::nullopt;
}

std::optional<SourceKind> SourceKindOfFile(const std::string& fileName) {
    const std::string extension = Lower(std::filesystem::path(fileName).extension().string());
    if (extension == ".csv" || extension == ".tsv" || extension == ".txt" || extension == ".dat") {
        return SourceKind::Text;
    }
    if (extension == ".wav" || extension == ".flac" || extension == ".aiff" || extension == ".aif" ||
        extension == ".ogg") {
        return SourceKind::Audio;
    }
    if (extension == ".mat") return SourceKind::Mat;
    if (extension == ".npy") return SourceKind::Npy;
    return std::nullopt;
}

bool ImportedByName(const std::string& fileName) {
    const std::optional<SourceKind> kind = SourceKindOfFile(fileName);
    if (kind != SourceKind::Text) return kind.has_value();
    const std::string extension = Lower(std::filesystem::path(fileName).extension().string());
    return extension != ".dat" && extension != ".txt";
}

std::string ImportedSignal::Describe() const {
    std::string text = analysis::ShownName(std::filesystem::path(fileName).filename().string()) + ", " + part + ", " +
                       std::to_string(samples.size()) + (samples.size() == 1 ? " sample" : " samples");
    if (sampleRate > 0) text += ", " + std::to_string(sampleRate) + " Hz";
    if (gaps > 0) {
        text += ", " + std::to_string(gaps) + (gaps == 1 ? " gap " : " gaps ") +
                (gapsResolved == Gaps::Drop ? "dropped" : "filled");
    }
    return text;
}

ImportedSignal ImportSignal(const std::string& fileName, const ImportChoices& choices,
                            const analysis::ReadProgress& progress) {
    const std::string shown = std::filesystem::path(fileName).filename().string();
    try {
        const std::optional<SourceKind> kind = choices.kind ? choices.kind : SourceKindOfFile(fileName);
        if (!kind) throw ImportFailure("its kind is not known from its name; choose text, audio, mat or npy");
        ImportedSignal signal;
        signal.fileName = fileName;
        switch (*kind) {
        case SourceKind::Text: ReadText(fileName, choices, progress, signal); break;
        case SourceKind::Audio: ReadAudioChannel(fileName, choices, signal); break;
        case SourceKind::Mat: ReadMat(fileName, choices, signal); break;
        case SourceKind::Npy: ReadNumPy(fileName, choices, signal); break;
        }
        ResolveSignalGaps(choices, signal);
        return signal;
    } catch (const ImportFailure& failure) {
        throw ImportError(shown, failure.Message());
    }
}

std::vector<ImportedSignal> ImportEveryChannel(const std::string& fileName, const ImportChoices& choices) {
    try {
        AudioInfo info;
        std::vector<Samples> channels = ReadAudioChannels(fileName, &info);
        std::vector<ImportedSignal> signals(channels.size());
        for (std::size_t c = 0; c < channels.size(); ++c) {
            signals[c].fileName = fileName;
            signals[c].samples = std::move(channels[c]);
            DescribeAudio(fileName, static_cast<int64_t>(c) + 1, info, signals[c]);
            ResolveSignalGaps(choices, signals[c]);
        }
        return signals;
    } catch (const ImportFailure& failure) {
        throw ImportError(std::filesystem::path(fileName).filename().string(), failure.Message());
    }
}

}  // namespace importer
