#include "import/ImportChoiceNames.h"

#include <charconv>

namespace importer {
namespace {

// A whole number from `least` on, written plainly.
std::optional<int32_t> WholeNumber(const std::string& text, int32_t least) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < least) return std::nullopt;
    return value;
}

const char* KindName(SourceKind kind) {
    switch (kind) {
    case SourceKind::Text: return "text";
    case SourceKind::Audio: return "audio";
    case SourceKind::Mat: return "mat";
    case SourceKind::Npy: break;
    }
    return "npy";
}

const char* DelimiterName(Delimiter delimiter) {
    switch (delimiter) {
    case Delimiter::Comma: return "comma";
    case Delimiter::Semicolon: return "semicolon";
    case Delimiter::Tab: return "tab";
    case Delimiter::Blanks: break;
    }
    return "space";
}

}  // namespace

std::string SetChoice(ImportChoices& choices, const std::string& name, const std::string& text) {
    const std::string quoted = "'" + text + "'";
    if (name == "format") {
        choices.kind = SourceKindNamed(text);
        if (!choices.kind) return quoted + " is not text, csv, audio, mat or npy";
    } else if (name == "column") {
        if (text.empty()) return "no column is named";
        choices.text.column = text;
    } else if (name == "delimiter") {
        choices.text.delimiter = DelimiterNamed(text);
        if (!choices.text.delimiter) return quoted + " is not , ; tab or space";
    } else if (name == "decimal-comma") {
        if (text != "true" && text != "false") return quoted + " is not true or false";
        choices.text.decimalComma = text == "true";
    } else if (name == "skip-lines") {
        choices.text.skipLines = WholeNumber(text, 0);
        if (!choices.text.skipLines) return quoted + " is not a number of lines";
    } else if (name == "channel") {
        if (text != "mean" && text != "all" && !WholeNumber(text, 1))
            return quoted + " is not a channel from 1, mean or all";
        choices.channel = text;
    } else if (name == "variable") {
        if (text.empty()) return "no variable is named";
        choices.variable = text;
    } else if (name == "extend") {
        const std::optional<Extension> extension = ExtensionNamed(text);
        if (!extension) return quoted + " is not reflect, repeat or zero";
        choices.extension = *extension;
    } else if (name == "rows-as-series") {
        if (text != "true" && text != "false") return quoted + " is not true or false";
        choices.text.rowsAsSeries = text == "true";
    } else if (name == "axis") {
        choices.axis = ArrayAxisNamed(text);
        if (!choices.axis) return quoted + " is not rows or columns";
    } else if (name == "gaps") {
        const std::optional<Gaps> gaps = GapsNamed(text);
        if (!gaps) return quoted + " is not fill, drop or refuse";
        choices.gaps = *gaps;
    } else {
        return "not an import choice (format, column, delimiter, decimal-comma, skip-lines, rows-as-series, channel, "
               "variable, axis, gaps, extend)";
    }
    return {};
}

std::map<std::string, std::string> ChoiceTexts(const ImportChoices& choices, const std::string& fileName) {
    std::map<std::string, std::string> texts;
    // Recorded after the import, which knew the kind from the name when none was chosen.
    const std::optional<SourceKind> kind = choices.kind ? choices.kind : SourceKindOfFile(fileName);
    texts["format"] = KindName(kind.value_or(SourceKind::Text));
    texts["extend"] = ExtensionName(choices.extension);
    if (!choices.text.column.empty()) texts["column"] = choices.text.column;
    if (choices.text.delimiter) texts["delimiter"] = DelimiterName(*choices.text.delimiter);
    if (choices.text.decimalComma) texts["decimal-comma"] = *choices.text.decimalComma ? "true" : "false";
    if (choices.text.skipLines) texts["skip-lines"] = std::to_string(*choices.text.skipLines);
    if (!choices.channel.empty()) texts["channel"] = choices.channel;
    if (!choices.variable.empty()) texts["variable"] = choices.variable;
    // At their defaults they are left out, as recipes from before them have it.
    if (choices.text.rowsAsSeries) texts["rows-as-series"] = "true";
    if (choices.axis) texts["axis"] = ArrayAxisName(*choices.axis);
    if (choices.gaps != Gaps::Refuse) texts["gaps"] = GapsName(choices.gaps);
    return texts;
}

}  // namespace importer
