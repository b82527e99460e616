#include "framework/gui/window/OpenDialogFilter.h"

#include <string_view>

namespace fw {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::vector<OpenDialogFilterEntry> ParseOpenDialogFilter(const std::string& filter) {
    std::vector<OpenDialogFilterEntry> entries;
    const std::vector<std::string_view> parts = Split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty()) {
            continue;
        }
        OpenDialogFilterEntry entry{std::string(parts[i]), {}};
        for (std::string_view pattern : Split(parts[i + 1], ';')) {
            pattern = Trim(pattern);
            if (!pattern.empty()) {
                entry.Patterns.emplace_back(pattern);
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

QStringList QtNameFilters(const std::vector<OpenDialogFilterEntry>& entries) {
    QStringList filters;
    for (const OpenDialogFilterEntry& entry : entries) {
        QStringList patterns;
        for (const std::string& pattern : entry.Patterns) {
            patterns << (pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern));
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        filters << QString::fromStdString(entry.Description) + QStringLiteral(" (") + patterns.join(u' ') +
                       QStringLiteral(")");
    }
    return filters;
}

}  // namespace fw
