#pragma once
// The open dialog's filter text: "description|patterns|description|patterns...",
// each patterns part a ";"-separated list such as "*.dat; *.txt".

#include <string>
#include <vector>

#include <QStringList>

namespace fw {

struct OpenDialogFilterEntry {
    std::string Description;
    std::vector<std::string> Patterns;  // trimmed, empty pieces dropped

    bool operator==(const OpenDialogFilterEntry&) const = default;
};

// An unpaired trailing description is ignored, as is a pair without a description.
std::vector<OpenDialogFilterEntry> ParseOpenDialogFilter(const std::string& filter);

// Qt name filters "description (pattern pattern ...)": Qt filters on the last
// parenthesised group, so the description text stays as it is. "*.*" means every
// file here, while on Qt it would demand a dot in the name, so it becomes "*";
// an entry without patterns shows every file.
QStringList QtNameFilters(const std::vector<OpenDialogFilterEntry>& entries);

}  // namespace fw
