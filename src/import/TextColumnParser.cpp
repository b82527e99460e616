#include "import/TextColumnParser.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/FileError.h"
#include "analysis/io/NearestDouble.h"
#include "analysis/io/SampleNumber.h"
#include "import/ImportError.h"

namespace importer {
namespace {

enum class Plain { Number, Other, NeedMore };

// A number of the plain shape most tables hold, [sign] digits [. digits]
// [(e|E) [sign] digits] with at most 19 significant digits and a small
// exponent, converted by the sample reader's exact NearestDouble; `stop` is
// one past it. Other: a shape for ScanSampleNumber to decide.
Plain ScanPlain(const char* p, const char* end, bool lastData, double& value, const char*& stop) {
    const auto digit = [](char c) { return static_cast<unsigned>(c - '0') < 10u; };
    const bool negative = *p == '-';
    p += *p == '-' || *p == '+';
    uint64_t digits = 0;
    int significant = 0;
    int exponent = 0;
    bool any = false;
    for (; p < end && digit(*p); ++p, any = true) {
        if (digits == 0 && *p == '0') continue;
        if (++significant > analysis::kNearestDoubleMaxExponent) return Plain::Other;
        digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    }
    if (p < end && *p == '.') {
        for (++p; p < end && digit(*p); ++p, any = true) {
            --exponent;
            if (digits == 0 && *p == '0') continue;
            if (++significant > analysis::kNearestDoubleMaxExponent) return Plain::Other;
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
        }
    }
    if (!any) return Plain::Other;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        const bool down = p < end && *p == '-';
        p += p < end && (*p == '-' || *p == '+');
        int written = 0;
        const char* first = p;
        for (; p < end && digit(*p) && p - first < 4; ++p) written = written * 10 + (*p - '0');
        if (p == first || (p < end && digit(*p))) return p == end && !lastData ? Plain::NeedMore : Plain::Other;
        exponent += down ? -written : written;
    }
    if (p == end && !lastData) return Plain::NeedMore;
    if (digits != 0 &&
        (exponent < analysis::kNearestDoubleMinExponent || exponent > analysis::kNearestDoubleMaxExponent)) {
        return Plain::Other;
    }
    const double magnitude = analysis::NearestDouble(digits, exponent);
    value = negative ? -magnitude : magnitude;
    stop = p;
    return Plain::Number;
}

const char* SkipBlanks(const char* p, const char* end) {
    while (p < end && IsFieldBlank(*p)) ++p;
    return p;
}

bool StartsNumber(const char* p, const char* end) {
    const auto digitOrPoint = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
    if (digitOrPoint(*p)) return true;
    return (*p == '-' || *p == '+') && p + 1 < end && digitOrPoint(p[1]);
}

}  // namespace

TextColumnParser::TextColumnParser(const TextDialect& dialect, int32_t column) : dialect_(dialect), column_(column) {}

const char* TextColumnParser::Feed(const char* begin, const char* end, bool lastData) {
    const char* p = begin;
    while (p < end) {
        const char c = *p;
        if (skipped_ < dialect_.skipLines) {
            const char* next = RecordEnd(p, end, lastData);
            if (next == nullptr) return p;
            line_ += std::count(p, next, '\n');
            ++skipped_;
            p = next;
            continue;
        }
        if (c == '#' || c == '%' || c == '\n' || IsFieldBlank(c)) {
            // Told from a data line by its first character after blanks: a
            // long data line is not searched for its end first.
            const char* first = SkipBlanks(p, end);
            if (first == end && !lastData) return p;
            if (IsCommentLine(first, end)) {
                const char* next = LineEnd(first, end, lastData);
                if (next == nullptr) return p;
                line_ += next[-1] == '\n';
                p = next;
                continue;
            }
        }
        const char* next = DataRecord(p, end, lastData);
        if (next == nullptr) return p;
        p = next;
    }
    return p;
}

const char* TextColumnParser::DataRecord(const char* p, const char* end, bool lastData) {
    const Delimiter delimiter = dialect_.delimiter;
    const char separator = static_cast<char>(delimiter);
    int32_t lineFeeds = 0;
    // The fields before the column.
    for (int32_t field = 1; field < column_; ++field) {
        if (delimiter == Delimiter::Blanks) {
            while (p < end && IsFieldBlank(*p)) ++p;
        }
        const std::optional<FieldScan> scan = ScanField(p, end, lastData, delimiter);
        if (!scan) return nullptr;
        lineFeeds += scan->lineFeeds;
        bool lineEnds = scan->stop == end || *scan->stop == '\n';
        if (delimiter == Delimiter::Blanks && !lineEnds) {
            // Only blanks (or a comment) may follow the last field; what
            // follows them tells, not a search for the line's end, which
            // would make a long line cost its length once per field.
            const char* next = SkipBlanks(scan->stop, end);
            if (next == end && !lastData) return nullptr;
            lineEnds = IsCommentLine(next, end);
        }
        if (lineEnds) {
            throw ImportFailure("line " + std::to_string(line_) + " has no column " + std::to_string(column_) +
                                " (it has " + std::to_string(field) + ")");
        }
        p = scan->stop + 1;
    }
    while (p < end && IsFieldBlank(*p)) ++p;
    if (p == end && !lastData) return nullptr;
    // Most fields are a plain number that ends at a delimiter or line end:
    // read in place, without finding the field's end first.
    const char* stop = nullptr;
    bool read = false;
    if (!dialect_.decimalComma && p < end && StartsNumber(p, end)) {
        double value = 0.0;
        const char* numberEnd = nullptr;
        const Plain plain = ScanPlain(p, end, lastData, value, numberEnd);
        if (plain == Plain::NeedMore) return nullptr;
        if (plain == Plain::Other) {
            const analysis::SampleNumber number = analysis::ScanSampleNumber(p, end, lastData);
            if (number.status == analysis::SampleNumberStatus::NeedMore) return nullptr;
            if (number.status == analysis::SampleNumberStatus::Number) {
                value = number.value;
                numberEnd = number.end;
            }
        }
        if (numberEnd != nullptr) {
            const char* q = numberEnd;
            while (q < end && IsFieldBlank(*q)) ++q;
            if (q == end && !lastData) return nullptr;
            if (q == end || *q == '\n' || *q == separator || (delimiter == Delimiter::Blanks && q > numberEnd)) {
                values_.push_back(value);
                stop = delimiter == Delimiter::Blanks && q < end && *q != '\n' ? q - 1 : q;
                read = true;
            }
        }
    }
    if (!read) {
        const std::optional<FieldScan> scan = ScanField(p, end, lastData, delimiter);
        if (!scan) return nullptr;
        const std::optional<double> value = FieldNumber(scan->field, dialect_.decimalComma);
        if (!value) FieldError(scan->field);
        values_.push_back(*value);
        lineFeeds += scan->lineFeeds;
        stop = scan->stop;
    }
    if (values_.size() > static_cast<std::size_t>(analysis::kMaxSamples)) {
        values_.pop_back();
        throw ImportFailure("the column holds more than " + std::to_string(analysis::kMaxSamples) +
                            " values, the most a signal may have");
    }
    // The fields after the column; with blanks between fields, a "#" or "%"
    // where a field would start begins a comment to the line's end.
    while (stop < end && *stop != '\n') {
        if (delimiter == Delimiter::Blanks) {
            const char* q = stop + 1;
            while (q < end && IsFieldBlank(*q)) ++q;
            if (q < end && (*q == '#' || *q == '%')) {
                const void* feed = std::memchr(q, '\n', static_cast<std::size_t>(end - q));
                stop = feed ? static_cast<const char*>(feed) : end;
                break;
            }
        }
        const std::optional<FieldScan> scan = ScanField(stop + 1, end, lastData, delimiter);
        if (!scan) {
            values_.pop_back();
            return nullptr;
        }
        lineFeeds += scan->lineFeeds;
        stop = scan->stop;
    }
    if (stop == end && !lastData) {
        values_.pop_back();
        return nullptr;
    }
    line_ += lineFeeds + (stop < end);
    return stop < end ? stop + 1 : end;
}

void TextColumnParser::FieldError(TextField field) const {
    const std::string where = "line " + std::to_string(line_) + ", column " + std::to_string(column_) + ": ";
    if (field.begin == field.end) throw ImportFailure(where + "the field is empty");
    throw ImportFailure(where + "\"" + analysis::QuoteBytes(field.begin, field.end) + "\" is not a number");
}

}  // namespace importer
