// The text-table import on any text and choices: a failure is an
// ImportFailure with a message, never a crash; the column read equals that
// of a plain reference reader of the same layout, value for value; and fed
// in pieces that end anywhere, the parser reads what it reads whole.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "import/ImportError.h"
#include "import/TextColumnParser.h"
#include "import/TextImport.h"

namespace {

using importer::Delimiter;
using importer::TextDialect;

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }

struct Expected {
    double value;
    bool underflow;  // beyond the smallest double: either zero or the nearest subnormal
};

// The sample file's number syntax, checked by hand, converted by strtod.
std::optional<Expected> ReferenceNumber(std::string field, bool decimalComma) {
    const auto trim = [](std::string& s) {
        while (!s.empty() && Blank(s.front())) s.erase(s.begin());
        while (!s.empty() && Blank(s.back())) s.pop_back();
    };
    trim(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
        trim(field);
    }
    if (decimalComma) {
        if (field.find('.') != std::string::npos) return std::nullopt;
        for (char& c : field) c = c == ',' ? '.' : c;
    }
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < field.size() && Digit(field[i])) ++i, ++digits;
    if (i < field.size() && field[i] == '.') {
        ++i;
        while (i < field.size() && Digit(field[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
        std::size_t exponent = 0;
        while (i < field.size() && Digit(field[i])) ++i, ++exponent;
        if (exponent == 0) return std::nullopt;
    }
    if (i != field.size()) return std::nullopt;
    errno = 0;
    const double value = std::strtod(field.c_str(), nullptr);
    if (errno == ERANGE && std::abs(value) >= DBL_MIN) return std::nullopt;
    return Expected{value, errno == ERANGE};
}

// The column, read the plain way: records end at a line feed outside a
// field's quotes; fields part at the delimiter or at runs of blanks.
std::optional<std::vector<Expected>> ReferenceColumn(const std::string& text, const TextDialect& dialect,
                                                     int32_t column) {
    std::vector<Expected> values;
    std::size_t p = 0;
    int32_t skipped = 0;
    while (p < text.size()) {
        if (skipped < dialect.skipLines) {
            // A comment ends at its line feed; a quote opens a quoted run
            // only where a field can start.
            std::size_t first = p;
            while (first < text.size() && Blank(text[first])) ++first;
            const bool comment =
                first == text.size() || text[first] == '\n' || text[first] == '#' || text[first] == '%';
            bool quoted = false, fieldStart = true, closed = false;
            while (p < text.size() && (text[p] != '\n' || quoted)) {
                const char c = text[p++];
                if (comment) continue;
                if (quoted) {
                    closed = c == '"';
                    quoted = !closed;
                    continue;
                }
                if (c == '"' && (fieldStart || closed)) {
                    quoted = true;
                    continue;
                }
                closed = false;
                fieldStart = c == ',' || c == ';' || Blank(c);
            }
            ++p;
            ++skipped;
            continue;
        }
        std::size_t first = p;
        while (first < text.size() && Blank(text[first])) ++first;
        if (first == text.size() || text[first] == '\n' || text[first] == '#' || text[first] == '%') {
            while (p < text.size() && text[p] != '\n') ++p;
            ++p;
            continue;
        }
        std::vector<std::string> fields;
        const char separator = static_cast<char>(dialect.delimiter);
        const bool blanks = dialect.delimiter == Delimiter::Blanks;
        bool comment = false;
        for (;;) {
            if (blanks) {
                while (p < text.size() && Blank(text[p])) ++p;
                comment = p < text.size() && (text[p] == '#' || text[p] == '%');
                if (p == text.size() || text[p] == '\n' || comment) break;
            }
            std::string field;
            std::size_t q = p;
            while (q < text.size() && Blank(text[q])) field += text[q++];
            if (q < text.size() && text[q] == '"') {
                field += text[q++];
                for (;;) {
                    while (q < text.size() && text[q] != '"') field += text[q++];
                    if (q == text.size()) break;
                    field += text[q++];
                    if (q == text.size() || text[q] != '"') break;
                    field += text[q++];
                }
            }
            while (q < text.size() && text[q] != '\n' && !(blanks ? Blank(text[q]) : text[q] == separator)) {
                field += text[q++];
            }
            fields.push_back(field);
            p = q;
            if (p == text.size() || text[p] == '\n') break;
            ++p;
        }
        if (static_cast<int32_t>(fields.size()) < column) return std::nullopt;
        const std::string& field = fields[static_cast<std::size_t>(column - 1)];
        if (field.find('\n') != std::string::npos) return std::nullopt;
        const std::optional<Expected> number = ReferenceNumber(field, dialect.decimalComma);
        if (!number) return std::nullopt;
        values.push_back(*number);
        while (comment && p < text.size() && text[p] != '\n') ++p;
        while (p < text.size() && text[p] != '\n') {
            // The rest of the record, quoted line ends and all.
            bool quoted = false;
            std::size_t q = p + 1;
            while (q < text.size() && Blank(text[q])) ++q;
            if (q < text.size() && text[q] == '"') {
                for (++q; q < text.size(); ++q) {
                    if (text[q] != '"') continue;
                    if (q + 1 < text.size() && text[q + 1] == '"') {
                        ++q;
                        continue;
                    }
                    break;
                }
                quoted = true;
            }
            if (quoted && q < text.size()) ++q;
            while (q < text.size() && text[q] != '\n' && !(blanks ? Blank(text[q]) : text[q] == separator)) ++q;
            p = q;
        }
        ++p;
    }
    return values;
}

bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.Byte();
    importer::TextChoices choices;
    constexpr Delimiter kDelimiters[] = {Delimiter::Comma, Delimiter::Semicolon, Delimiter::Tab, Delimiter::Blanks};
    if (choice & 4) choices.delimiter = kDelimiters[choice & 3];
    if (choice & 8) choices.decimalComma = (choice & 16) != 0;
    choices.column = (choice & 32) ? std::to_string(1 + (choice >> 6)) : "";
    const std::string text = input.Rest();

    std::optional<importer::TextColumn> read;
    try {
        read = importer::ParseTextColumn(text, choices);
    } catch (const importer::ImportFailure& failure) {
        fuzz::Check(!failure.Message().empty(), "a failure says why");
    }
    const std::string body = text.substr(importer::ByteOrderMarkLength(text));
    const importer::TextLayout layout =
        importer::DetectLayout(std::string_view(body).substr(0, 64 * 1024), true, choices);
    int32_t column = 0;
    try {
        column = importer::ChosenColumn(layout, choices.column);
    } catch (const importer::ImportFailure&) {
        fuzz::Check(!read, "a column that is not there is not read");
        return 0;
    }
    const std::optional<std::vector<Expected>> expected = ReferenceColumn(body, layout.dialect, column);
    fuzz::Check(read.has_value() == (expected && !expected->empty()), "reads exactly when the reference reads");
    if (!read) return 0;
    fuzz::Check(read->values.size() == expected->size(), "as many values as the reference");
    for (std::size_t i = 0; i < expected->size(); ++i) {
        const Expected& e = (*expected)[i];
        const double v = read->values[i];
        fuzz::Check(Same(v, e.value) || (e.underflow && v == 0.0 && std::signbit(v) == std::signbit(e.value)),
                    "value " + std::to_string(i) + " is the reference's");
    }

    // In pieces: a window that grows by a few bytes at a time.
    importer::TextColumnParser pieces(layout.dialect, column);
    const char* begin = body.data();
    const std::size_t step = 1 + choice % 5;
    for (std::size_t end = 0;; end = std::min(end + step, body.size())) {
        begin = pieces.Feed(begin, body.data() + end, end == body.size());
        if (end == body.size()) break;
    }
    fuzz::Check(pieces.Values().size() == read->values.size(), "pieces give as many values");
    for (std::size_t i = 0; i < read->values.size(); ++i) {
        fuzz::Check(Same(pieces.Values()[i], read->values[i]), "pieces give the same values");
    }
    return 0;
}
