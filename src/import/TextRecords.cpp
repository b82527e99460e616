#include "import/TextRecords.h"

#include <cstring>

#include "analysis/io/SampleNumber.h"

namespace importer {
namespace {

bool EndsField(char c, Delimiter delimiter) {
    if (c == '\n') return true;
    if (delimiter == Delimiter::Blanks) return c == ' ' || c == '\t' || c == '\r';
    return c == static_cast<char>(delimiter);
}

}  // namespace

std::optional<Delimiter> DelimiterNamed(const std::string& name) {
    if (name == "," || name == "comma") return Delimiter::Comma;
    if (name == ";" || name == "semicolon") return Delimiter::Semicolon;
    if (name == "\t" || name == "tab") return Delimiter::Tab;
    if (name == " " || name == "blanks" || name == "space") return Delimiter::Blanks;
    return std::nullopt;
}

bool IsCommentLine(const char* p, const char* end) {
    while (p < end && IsFieldBlank(*p)) ++p;
    return p == end || *p == '\n' || *p == '#' || *p == '%';
}

const char* LineEnd(const char* p, const char* end, bool lastData) {
    if (const void* feed = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
        return static_cast<const char*>(feed) + 1;
    }
    return lastData ? end : nullptr;
}

const char* RecordEnd(const char* p, const char* end, bool lastData) {
    if (IsCommentLine(p, end)) return LineEnd(p, end, lastData);
    bool quoted = false;
    bool fieldStart = true;  // a quote here opens a quoted run
    bool closed = false;     // a quote here is the second of a doubled one
    for (; p < end; ++p) {
        const char c = *p;
        if (quoted) {
            closed = c == '"';
            quoted = !closed;
            continue;
        }
        if (c == '\n') return p + 1;
        if (c == '"' && (fieldStart || closed)) {
            quoted = true;
            continue;
        }
        closed = false;
        fieldStart = c == ',' || c == ';' || IsFieldBlank(c);
    }
    return lastData ? end : nullptr;
}

std::optional<FieldScan> ScanField(const char* p, const char* end, bool lastData, Delimiter delimiter) {
    FieldScan scan;
    while (p < end && IsFieldBlank(*p)) ++p;
    const char* begin = p;
    if (p < end && *p == '"') {
        // To the quote that is not doubled; an open quote runs to the end.
        ++p;
        for (;;) {
            while (p < end && *p != '"') scan.lineFeeds += *p++ == '\n';
            if (p == end) {
                if (!lastData) return std::nullopt;
                break;
            }
            if (++p == end && !lastData) return std::nullopt;
            if (p == end || *p != '"') break;
            ++p;
        }
    }
    while (p < end && !EndsField(*p, delimiter)) ++p;
    if (p == end && !lastData) return std::nullopt;
    const char* last = p;
    while (last > begin && IsFieldBlank(last[-1])) --last;
    scan.field = TextField{begin, last};
    scan.stop = p;
    return scan;
}

RecordScan SplitRecord(const char* p, const char* end, bool lastData, Delimiter delimiter,
                       std::vector<TextField>& fields) {
    fields.clear();
    RecordScan record;
    for (;;) {
        if (delimiter == Delimiter::Blanks) {
            while (p < end && IsFieldBlank(*p)) ++p;
            if (p < end && *p == '\n') {
                record.next = p + 1;
                return record;
            }
            if (p == end) {
                if (lastData) record.next = end;
                return record;
            }
        }
        const std::optional<FieldScan> scan = ScanField(p, end, lastData, delimiter);
        if (!scan) return RecordScan{};
        fields.push_back(scan->field);
        record.lineFeeds += scan->lineFeeds;
        p = scan->stop;
        if (p == end) {
            record.next = end;
            return record;
        }
        if (*p == '\n') {
            record.next = p + 1;
            ++record.lineFeeds;
            return record;
        }
        ++p;  // past the delimiter
    }
}

std::string FieldText(TextField field) {
    const char* begin = field.begin;
    const char* end = field.end;
    if (end - begin >= 2 && *begin == '"' && end[-1] == '"') {
        ++begin;
        --end;
    }
    std::string text;
    for (const char* p = begin; p < end; ++p) {
        text += *p;
        if (*p == '"' && p + 1 < end && p[1] == '"') ++p;
    }
    return text;
}

std::optional<double> FieldNumber(TextField field, bool decimalComma) {
    const char* begin = field.begin;
    const char* end = field.end;
    if (end - begin >= 2 && *begin == '"' && end[-1] == '"') {
        ++begin;
        --end;
        while (begin < end && IsFieldBlank(*begin)) ++begin;
        while (end > begin && IsFieldBlank(end[-1])) --end;
    }
    // A sign stays next to its digits: the sample file's "- 2" is no field's number.
    if (begin == end || analysis::IsSampleBlank(*begin) || std::memchr(begin, '\n', end - begin)) return std::nullopt;
    if ((*begin == '-' || *begin == '+') && end - begin > 1 && analysis::IsSampleBlank(begin[1])) return std::nullopt;
    std::string swapped;
    if (decimalComma) {
        if (std::memchr(begin, '.', static_cast<std::size_t>(end - begin))) return std::nullopt;
        swapped.assign(begin, end);
        for (char& c : swapped) c = c == ',' ? '.' : c;
        begin = swapped.data();
        end = begin + swapped.size();
    }
    const analysis::SampleNumber number = analysis::ScanSampleNumber(begin, end, true);
    if (number.status != analysis::SampleNumberStatus::Number || number.end != end) return std::nullopt;
    return number.value;
}

}  // namespace importer
