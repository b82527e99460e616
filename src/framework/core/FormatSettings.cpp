#include "framework/core/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>

namespace fw {

namespace {

// The POSIX conversions that stand for a whole pattern of others.
std::string ExpandComposites(const std::string& pattern) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            out.push_back(pattern[i]);
            continue;
        }
        const char c = pattern[++i];
        switch (c) {
        case 'D': out += "%m/%d/%y"; break;
        case 'F': out += "%Y-%m-%d"; break;
        case 'T': out += "%H:%M:%S"; break;
        case 'R': out += "%H:%M"; break;
        case 'r': out += "%I:%M:%S %p"; break;
        default:
            out += '%';
            out += c;
            break;
        }
    }
    return out;
}

// Removes "%S" together with the one separator character just before it.
std::string WithoutSeconds(const std::string& pattern) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == 'S') {
                if (!out.empty() && out.back() != ' ' && !(out.size() >= 2 && out[out.size() - 2] == '%'))
                    out.pop_back();
                ++i;
                continue;
            }
            out += pattern.substr(i, 2);
            ++i;
            continue;
        }
        out.push_back(pattern[i]);
    }
    return out;
}

const char* FrameworkLetters(char conversion) {
    switch (conversion) {
    case 'd': return "dd";
    case 'e': return "d";
    case 'm': return "mm";
    case 'y': return "yy";
    case 'Y': return "yyyy";
    case 'b':
    case 'h': return "mmm";
    case 'B': return "mmmm";
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'H':
    case 'I': return "hh";
    case 'k':
    case 'l': return "h";
    case 'M': return "nn";
    case 'S': return "ss";
    case 'p':
    case 'P': return "ampm";
    case 'n':
    case 't': return " ";
    default: return "";  // time zone, century, week numbers: not shown
    }
}

bool IsSeparatorCandidate(char c, char placeholder) {
    return placeholder == '/' ? (c == '/' || c == '.' || c == '-') : (c == ':' || c == '.');
}

std::string Quoted(char c) {
    if (c == '"') return "'\"'";
    return std::string("\"") + c + "\"";
}

// A single-byte locale text, or nothing for an empty or multi-byte one.
bool SingleByte(const char* text, char& out) {
    if (text == nullptr || text[0] == '\0' || text[1] != '\0') return false;
    out = text[0];
    return true;
}

void ReadName(nl_item item, std::string& out) {
    const char* text = nl_langinfo(item);
    if (text != nullptr && text[0] != '\0') out = text;
}

}  // namespace

std::string FormatFromPosixPattern(const std::string& pattern, char placeholder, char& separator, bool dropSeconds) {
    std::string expanded = ExpandComposites(pattern);
    if (dropSeconds) expanded = WithoutSeconds(expanded);

    bool separatorChosen = false;
    std::string out;
    for (size_t i = 0; i < expanded.size(); ++i) {
        const char c = expanded[i];
        if (c == '%' && i + 1 < expanded.size()) {
            char conversion = expanded[++i];
            // Flags and the E/O modifiers change nothing the framework can show.
            while ((conversion == 'E' || conversion == 'O' || conversion == '-' || conversion == '_' ||
                    conversion == '0' || conversion == '^' || conversion == '#') &&
                   i + 1 < expanded.size())
                conversion = expanded[++i];
            if (conversion == '%')
                out += Quoted('%');
            else
                out += FrameworkLetters(conversion);
            continue;
        }
        if (IsSeparatorCandidate(c, placeholder) && (!separatorChosen || c == separator)) {
            separator = c;
            separatorChosen = true;
            out.push_back(placeholder);
            continue;
        }
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '/' || c == ':' || c == '"' || c == '\'')
            out += Quoted(c);
        else
            out.push_back(c);
    }
    // Trailing blanks left by a dropped part are no use in a label.
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

FormatSettings FormatSettings::FromUserLocale() {
    FormatSettings s;
    if (const lconv* conv = localeconv()) {
        SingleByte(conv->decimal_point, s.DecimalSeparator);
        if (conv->thousands_sep != nullptr && conv->thousands_sep[0] != '\0' &&
            !SingleByte(conv->thousands_sep, s.ThousandSeparator))
            s.ThousandSeparator = ' ';  // a multi-byte blank such as a no-break space
    }
    // Both separators equal would make grouped numbers unreadable.
    if (s.ThousandSeparator == s.DecimalSeparator) s.ThousandSeparator = s.DecimalSeparator == ',' ? '.' : ',';

    const std::string dateFormat = nl_langinfo(D_FMT);
    if (!dateFormat.empty()) s.ShortDateFormat = FormatFromPosixPattern(dateFormat, '/', s.DateSeparator);
    const std::string timeFormat = nl_langinfo(T_FMT);
    if (!timeFormat.empty()) {
        s.LongTimeFormat = FormatFromPosixPattern(timeFormat, ':', s.TimeSeparator);
        s.ShortTimeFormat = FormatFromPosixPattern(timeFormat, ':', s.TimeSeparator, true);
    }
    ReadName(AM_STR, s.TimeAMString);
    ReadName(PM_STR, s.TimePMString);
    for (int m = 0; m < 12; ++m) {
        ReadName(static_cast<nl_item>(ABMON_1 + m), s.ShortMonthNames[static_cast<size_t>(m)]);
        ReadName(static_cast<nl_item>(MON_1 + m), s.LongMonthNames[static_cast<size_t>(m)]);
    }
    for (int d = 0; d < 7; ++d) {
        ReadName(static_cast<nl_item>(ABDAY_1 + d), s.ShortDayNames[static_cast<size_t>(d)]);
        ReadName(static_cast<nl_item>(DAY_1 + d), s.LongDayNames[static_cast<size_t>(d)]);
    }
    return s;
}

FormatSettings& DefaultFormatSettings() {
    static FormatSettings settings;
    return settings;
}

}  // namespace fw
