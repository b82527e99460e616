#pragma once
// Readable failure output for Qt strings (found by GoogleTest through ADL).

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
