#include "import/TextImport.h"

#include <algorithm>

#include "analysis/io/FileChunkReader.h"
#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"
#include "framework/core/Exceptions.h"
#include "import/ImportError.h"
#include "import/SourceFile.h"
#include "import/TextColumnParser.h"

namespace importer {
namespace {

TextColumn Start(std::string_view head, bool wholeText, const TextChoices& choices) {
    TextColumn result;
    result.layout = DetectLayout(head, wholeText, choices);
    result.column = ChosenColumn(result.layout, choices.column, choices.rowsAsSeries);
    const auto index = static_cast<std::size_t>(result.column - 1);
    if (index < result.layout.names.size()) result.name = result.layout.names[index];
    return result;
}

void CheckRead(const analysis::FileChunkReader& window, const std::string& fileName) {
    if (window.Error() != 0) throw analysis::EFileUnreadable(analysis::CannotReadText(fileName, window.Error()));
}

void Finish(TextColumn& result, TextColumnParser& parser) {
    result.values = std::move(parser.Values());
    if (result.values.empty()) throw ImportFailure("the file holds no values");
}

}  // namespace

TextColumn ParseTextColumn(std::string_view text, const TextChoices& choices, bool gaps) {
    text.remove_prefix(ByteOrderMarkLength(text));
    TextColumn result = Start(text.substr(0, kTextHeadBytes), text.size() <= kTextHeadBytes, choices);
    TextColumnParser parser(result.layout.dialect, result.column, {choices.rowsAsSeries, gaps});
    parser.Feed(text.data(), text.data() + text.size(), true);
    Finish(result, parser);
    return result;
}

TextColumn ReadTextColumn(const std::string& fileName, const TextChoices& choices, bool gaps,
                          const analysis::ReadProgress& progress) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor file(OpenSourceFile(fileName, fileBytes));
    return fw::MapOutOfMemory([&] {
        const auto size = static_cast<std::size_t>(std::max<int64_t>(fileBytes, 0)) + 1;
        analysis::FileChunkReader window(file.Get(), analysis::kReadChunkBytes,
                                         std::min(analysis::kReadChunkBytes, size), fileBytes, progress);
        while (static_cast<std::size_t>(window.End() - window.Begin()) < kTextHeadBytes && window.Fill()) {
        }
        if (window.Cancelled()) throw fw::EAbort();
        CheckRead(window, fileName);
        const std::string_view head(window.Begin(), static_cast<std::size_t>(window.End() - window.Begin()));
        const std::size_t mark = ByteOrderMarkLength(head);
        window.Consume(window.Begin() + mark);
        const std::string_view text = head.substr(mark);
        TextColumn result =
            Start(text.substr(0, kTextHeadBytes), window.LastData() && text.size() <= kTextHeadBytes, choices);
        TextColumnParser parser(result.layout.dialect, result.column, {choices.rowsAsSeries, gaps});
        // Values are about 10 bytes of text each.
        parser.Values().reserve(std::min<std::size_t>(size / 10 + 16, 1 << 24));
        for (;;) {
            const bool last = window.LastData();
            const char* rest = parser.Feed(window.Begin(), window.End(), last);
            // A record the window cuts is parsed again from its start once
            // more text is there. The text waiting is at least doubled first,
            // so that a record of any length is parsed a few times over in
            // all, not once per chunk of it.
            const auto waiting = static_cast<std::size_t>(window.End() - rest);
            const std::size_t want = rest == window.Begin() ? 2 * waiting : waiting + 1;
            window.Consume(rest);
            if (last) break;
            do {
                if (!window.Fill() && window.Cancelled()) throw fw::EAbort();
                CheckRead(window, fileName);
            } while (!window.LastData() && static_cast<std::size_t>(window.End() - window.Begin()) < want);
        }
        Finish(result, parser);
        return result;
    });
}

}  // namespace importer
