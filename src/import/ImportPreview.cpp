#include "import/ImportPreview.h"

#include <algorithm>
#include <filesystem>

#include "analysis/io/FileDescriptor.h"
#include "import/ImportError.h"
#include "import/NpyArray.h"
#include "import/SourceFile.h"
#include "import/TextEstimate.h"
#include "import/TextImport.h"

namespace importer {
namespace {

// Enough for the lines a layout is found from, and for a NumPy header.

std::string ReadHead(const std::string& fileName, int64_t& fileBytes) {
    const analysis::FileDescriptor file(OpenSourceFile(fileName, fileBytes));
    std::string head(static_cast<std::size_t>(std::clamp<int64_t>(fileBytes, 0, kTextHeadBytes)), '\0');
    head.resize(analysis::ReadFileAt(file.Get(), fileName, head.data(), head.size(), 0));
    return head;
}

void PreviewText(std::string_view head, bool wholeText, const ImportChoices& choices, ImportPreview& preview) {
    head.remove_prefix(ByteOrderMarkLength(head));
    const char* p = head.data();
    const char* end = p + head.size();
    for (const char* line = p; line != end && preview.lines.size() < kPreviewRecords;) {
        const char* next = LineEnd(line, end, true);
        std::string text(line, next);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        preview.lines.push_back(std::move(text));
        line = next;
    }
    preview.layout = DetectLayout(head, wholeText, choices.text);
    preview.columnNames = preview.layout.names;
    preview.columns = preview.layout.columns;
    std::vector<TextField> fields;
    while (p != end && preview.records.size() < kPreviewRecords) {
        std::vector<std::string>& record = preview.records.emplace_back();
        if (IsCommentLine(p, end)) {
            p = LineEnd(p, end, true);
            continue;
        }
        p = SplitRecord(p, end, true, preview.layout.dialect.delimiter, fields).next;
        for (const TextField& field : fields) record.push_back(FieldText(field));
    }
    preview.column = ChosenColumn(preview.layout, choices.text.column, choices.text.rowsAsSeries);
}

void EstimateText(const std::string& fileName, std::string_view head, const ImportChoices& choices,
                  ImportPreview& preview) {
    TextChoices fixed = choices.text;
    fixed.delimiter = preview.layout.dialect.delimiter;
    fixed.decimalComma = preview.layout.dialect.decimalComma;
    fixed.skipLines = preview.layout.dialect.skipLines;
    const TextEstimate estimate = EstimateTextCount(fileName, head, fixed, choices.gaps);
    const Samples& values = estimate.firstValues;
    preview.firstValues.assign(values.begin(), values.begin() + std::min(values.size(), kPreviewValues));
    preview.n = estimate.n;
    preview.least = estimate.least;
    preview.most = estimate.most;
    preview.estimated = true;
}

void PreviewHeader(const std::string& fileName, std::string_view head, const ImportChoices& choices,
                   ImportPreview& preview) {
    switch (preview.kind) {
    case SourceKind::Text: break;
    case SourceKind::Audio: preview.audio = ReadAudioInfo(fileName); break;
    case SourceKind::Mat: {
        preview.variables = ListMatVariables(fileName);
        const auto chosen = std::find_if(preview.variables.begin(), preview.variables.end(), [&](const auto& v) {
            return choices.variable.empty() ? v.Vector() : v.name == choices.variable;
        });
        const auto shown =
            chosen != preview.variables.end() || !choices.variable.empty() ? chosen : preview.variables.begin();
        if (shown == preview.variables.end()) break;
        preview.variable = shown->name;
        preview.type = shown->type;
        preview.shape = {shown->rows, shown->columns};
        preview.axis = SignalAxis(choices.axis, shown->rows, shown->columns);
        preview.columns = static_cast<int32_t>(SignalsOf(preview.axis, shown->rows, shown->columns).count);
        break;
    }
    case SourceKind::Npy: {
        const NpyHeader header = ParseNpyHeader(head);
        preview.type = header.descr;
        preview.shape = header.shape;
        preview.axis = NpyAxis(header, choices.axis);
        preview.columns = static_cast<int32_t>(NpySignals(header, preview.axis).count);
        break;
    }
    }
}

}  // namespace

ImportPreview PreviewImport(const std::string& fileName, const ImportChoices& choices, int64_t wholeTextBytes) {
    ImportPreview preview;
    ImportChoices chosen = choices;
    chosen.kind = preview.kind = choices.kind.value_or(SourceKindOfFile(fileName).value_or(SourceKind::Text));
    try {
        try {
            int64_t fileBytes = 0;
            const std::string head = ReadHead(fileName, fileBytes);
            const bool whole = preview.kind != SourceKind::Text || fileBytes <= wholeTextBytes;
            if (preview.kind == SourceKind::Text)
                PreviewText(head, fileBytes <= int64_t{kTextHeadBytes}, chosen, preview);
            PreviewHeader(fileName, head, chosen, preview);
            if (!whole) {
                EstimateText(fileName, head, chosen, preview);
                return preview;
            }
        } catch (const ImportFailure& failure) {
            throw ImportError(std::filesystem::path(fileName).filename().string(), failure.Message());
        }
        ImportedSignal& signal = preview.signal.emplace(ImportSignal(fileName, chosen));
        preview.n = preview.least = preview.most = static_cast<int64_t>(signal.samples.size());
        preview.firstValues.assign(signal.samples.begin(),
                                   signal.samples.begin() + std::min(signal.samples.size(), kPreviewValues));
    } catch (const fw::Exception& error) {
        // ImportError, a file that cannot be read, or no memory for the signal.
        preview.error = error.Message();
    }
    return preview;
}

}  // namespace importer
